#include "render/text.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/fatal.h"
#include "render/draw.h"
#include "views/views.h"

namespace {

TextView* TextAt(TextId id) {
  if (id < 0 || id >= GameState.TextTable.count) return nullptr;
  return GameState.TextTable.texts[id];
}

void CopyText(char* target, const char* text) {
  strncpy(target, text != nullptr ? text : "", kTextCapacity);
  target[kTextCapacity] = '\0';
}

}  // namespace

FontId FontAdd(const char* name) {
  FontTableRecord& table = GameState.FontTable;
  if (table.count >= kMaxFonts) FatalTableFull("font", kMaxFonts);
  Font* font = new Font();
  const std::string directory = DataPath(name);
  char path[1024];
  for (int code = 32; code <= 126; ++code) {
    snprintf(path, sizeof path, code <= 99 ? "%s/F0%d.png" : "%s/F%d.png", directory.c_str(), code);
    Image* glyph = ImageFromFile(path);
    font->glyphs[code - 32] = *glyph;
    glyph->texture = 0;  // the font's slot owns the texture now
    delete glyph;
  }
  const FontId id = table.count;
  table.fonts[id] = font;
  table.count += 1;
  return id;
}

const Font* FontById(FontId id) {
  if (id < 0 || id >= GameState.FontTable.count) return nullptr;
  return GameState.FontTable.fonts[id];
}

TextId TextAdd(int32_t x, int32_t y, const char* text, FontId font) {
  TextTableRecord& table = GameState.TextTable;
  if (table.count >= kMaxTexts) FatalTableFull("text view", kMaxTexts);
  TextView* view = new TextView();
  CopyText(view->text, text);
  view->x = x;
  view->y = y;
  view->visible = 1;
  view->id = table.count;
  view->font = font;
  table.texts[view->id] = view;
  table.count += 1;
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
