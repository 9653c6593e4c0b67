#include "render/text.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/data_path.h"
#include "render/draw.h"

namespace {

TextView* TextAt(TextId id) { return GameState.TextTable.At(id); }

void CopyText(char* target, const char* text) {
  strncpy(target, text != nullptr ? text : "", kTextCapacity);
  target[kTextCapacity] = '\0';
}

}  // namespace

FontId FontAdd(const char* name) {
  GameState.FontTable.NextId("font");
  Font* font = new Font();
  const std::string directory = DataPath(name);
  // The 95 glyphs share one texture, so that a line of text goes to GL as one draw.
  constexpr int kGlyphs = 126 - 32 + 1;
  char paths[kGlyphs][1024];
  const char* pathList[kGlyphs];
  for (int code = 32; code <= 126; ++code) {
    snprintf(paths[code - 32], sizeof paths[0], code <= 99 ? "%s/F0%d.png" : "%s/F%d.png", directory.c_str(), code);
    pathList[code - 32] = paths[code - 32];
  }
  font->atlas = ImagesLoadAtlas(pathList, kGlyphs, font->glyphs);
  return GameState.FontTable.Add(font);
}

const Font* FontById(FontId id) { return GameState.FontTable.At(id); }

TextId TextAdd(int32_t x, int32_t y, const char* text, FontId font) {
  TextView* view = new TextView();
  view->id = GameState.TextTable.NextId("text view");
  CopyText(view->text, text);
  view->x = x;
  view->y = y;
  view->visible = 1;
  view->font = font;
  GameState.TextTable.Add(view);
  return view->id;
}

TextId TextSetText(TextId id, const char* text) {
  TextView* view = TextAt(id);
  if (view != nullptr) CopyText(view->text, text);
  return id;
}

void TextSetxy(TextId id, int32_t x, int32_t y) {
  TextView* view = TextAt(id);
  if (view == nullptr) return;
  view->x = x;
  view->y = y;
}

void TextSetVisible(TextId id, int32_t value) {
  TextView* view = TextAt(id);
  if (view != nullptr) view->visible = value;
}

void TextDraw(const Font& font, int32_t x, int32_t y, const char* text) {
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
    if (*c < 32 || *c > 126) continue;
    const Image& glyph = font.glyphs[*c - 32];
    DrawImage(glyph, x, y);
    x += glyph.width;
  }
}

void TextsSetVisible(std::initializer_list<TextId> ids, int32_t value) {
  for (TextId id : ids) TextSetVisible(id, value);
}
