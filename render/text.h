// Bitmap fonts (one PNG per printable ASCII character) and the text views drawn above all views.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/game_state.h"
#include "render/image.h"

constexpr int kFontGlyphs = 99;    // codes 32..126 use slots 0..94; the last four stay empty
constexpr int kTextCapacity = 51;  // characters a text view holds, before its terminator

// A font's glyphs, all in one shared texture (the atlas), held like every texture (render/image.h).
struct Font {
  Image glyphs[kFontGlyphs];
  unsigned int atlas = 0;
};

struct TextView {
  char text[kTextCapacity + 1];
  int32_t x;        // left edge of the first glyph
  int32_t y;        // top edge of every glyph
  int32_t visible;  // drawn only when exactly 1
  int32_t id;
  int32_t font;
};

// Loads the 95 glyphs of a font directory under ./Data/ and returns the new font id.
FontId FontAdd(const char* name);
// The font with this id, or null for an id that names none.
const Font* FontById(FontId id);
// A new visible text view; the text is cut to 51 characters.
TextId TextAdd(int32_t x, int32_t y, const char* text, FontId font);
// Replaces the string (cut to 51 characters) and returns the id.
TextId TextSetText(TextId id, const char* text);
void TextSetxy(TextId id, int32_t x, int32_t y);
void TextSetVisible(TextId id, int32_t value);
// Shows (1) or hides (0) every text of the list.
void TextsSetVisible(std::initializer_list<TextId> ids, int32_t value);
// The width in pixels the string takes in the font (bytes outside 32..126 take none).
int32_t TextWidth(const Font& font, const char* text);
// Draws the string glyph by glyph from (x, y); bytes outside 32..126 are skipped.
void TextDraw(const Font& font, int32_t x, int32_t y, const char* text);
