// glyphgen: renders the game's two bitmap fonts from a TrueType font with FreeType.
//
//   glyphgen <font.ttf> [output-root]
//
// Writes <output-root>/Fonts/Free20RegularWhite/ and <output-root>/Fonts/Free14RegularWhite/,
// one PNG per printable ASCII code: F032.png … F099.png, F100.png … F126.png.
//
// The text code draws every glyph with its top at the text's y and then moves right by the
// picture's width, with no kerning and no baseline handling of its own. So every picture of a
// font has the same height with the baseline on the same row, its width is the glyph's advance,
// and the pixels are pure white with the antialiased coverage in alpha.
//
// The game centres its texts by padding them with leading spaces, which only lines up when a
// space is about as wide as an ordinary letter. The space is therefore made as wide as the mean
// advance of the lowercase letters a–z (7 px at 14 px, 10 px at 20 px) instead of the font's own
// narrow word space (4 and 6 px). With it the padded headings of the message box
// ("      CONGRATULATIONS!", "           WARNING!") sit within 4 px of the box's middle; the mean
// over capitals and lowercase together (8 px at 14 px) would push them 6 to 7 px right, and
// "            SCORE: %d" 25 px right.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kFirstCode = 32;
constexpr int kLastCode = 126;

struct FontSizing {
  const char* directory;
  int pixelSize;
};

constexpr FontSizing kFonts[] = {
    {"Fonts/Free20RegularWhite", 20},
    {"Fonts/Free14RegularWhite", 14},
};

// One rendered glyph before it is placed on the font's common canvas.
struct Glyph {
  int code = 0;
  int advance = 1;  // picture width in pixels
  int left = 0;     // column of the bitmap's left edge in the picture
  int top = 0;      // rows from the top of the bitmap to the baseline
  int width = 0;
  int rows = 0;
  std::vector<unsigned char> coverage;  // width × rows, 0..255
};

std::string GlyphFileName(int code) {
  char name[32];
  if (code <= 99)
    std::snprintf(name, sizeof name, "F0%d.png", code);
  else
    std::snprintf(name, sizeof name, "F%d.png", code);
  return name;
}

// Horizontal shift, in 1/64 px, that places the outline inside its box of `box` whole pixels.
// The rounding of the advance is shared out evenly between both sides, so letter spacing keeps
// the design's proportions; ink that would still stick out of the box (the faint right column of
// an 'e' whose advance was rounded down, the tail of a 'j') is slid inside where the box has
// room. Ink wider than the box is centred in it.
FT_Pos PlacementShift(const FT_BBox& ink, FT_Pos linearAdvance, int box) {
  const FT_Pos boxWidth = static_cast<FT_Pos>(box) * 64;
  if (ink.xMax - ink.xMin > boxWidth) return (boxWidth - (ink.xMin + ink.xMax)) / 2;
  const FT_Pos even = (boxWidth - linearAdvance) / 2;
  return std::clamp(even, -ink.xMin, boxWidth - ink.xMax);
}

bool RenderGlyph(FT_Face face, int code, Glyph& out) {
  FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
  if (index == 0) {
    std::fprintf(stderr, "glyphgen: the font has no glyph for code %d\n", code);
    return false;
  }
  // Light hinting snaps to the pixel grid vertically only, which keeps the letter shapes and
  // the advances of the design while staying crisp at 14 px.
  if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT) != 0 || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    std::fprintf(stderr, "glyphgen: FreeType could not load the outline of code %d\n", code);
    return false;
  }
  FT_GlyphSlot slot = face->glyph;
  const FT_Pos linearAdvance = slot->linearHoriAdvance >> 10;  // 16.16 to 26.6
  out.code = code;
  out.advance = std::max(1, static_cast<int>(std::lround(linearAdvance / 64.0)));
  if (slot->outline.n_points > 0) {
    FT_BBox ink;
    FT_Outline_Get_BBox(&slot->outline, &ink);
    FT_Outline_Translate(&slot->outline, PlacementShift(ink, linearAdvance, out.advance), 0);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
    std::fprintf(stderr, "glyphgen: FreeType could not render code %d\n", code);
    return false;
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  out.left = slot->bitmap_left;
  out.top = slot->bitmap_top;
  out.width = static_cast<int>(bitmap.width);
  out.rows = static_cast<int>(bitmap.rows);
  out.coverage.assign(static_cast<size_t>(out.width) * out.rows, 0);
  for (int y = 0; y < out.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    std::memcpy(&out.coverage[static_cast<size_t>(y) * out.width], row, out.width);
  }
  return true;
}

bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<unsigned char>& rgba) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr)) {
    std::fprintf(stderr, "glyphgen: cannot write %s: %s\n", path.c_str(), image.message);
    return false;
  }
  return true;
}

bool MakeFont(FT_Face face, const FontSizing& sizing, const std::filesystem::path& root) {
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(sizing.pixelSize)) != 0) {
    std::fprintf(stderr, "glyphgen: cannot set pixel size %d\n", sizing.pixelSize);
    return false;
  }

  std::vector<Glyph> glyphs;
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    Glyph g;
    if (!RenderGlyph(face, code, g)) return false;
    glyphs.push_back(std::move(g));
  }

  // The space: as wide as an average lowercase letter, so leading spaces centre text.
  int letterSum = 0;
  for (int code = 'a'; code <= 'z'; ++code) letterSum += glyphs[code - kFirstCode].advance;
  Glyph& space = glyphs[' ' - kFirstCode];
  space.advance = std::max(1, static_cast<int>(std::lround(letterSum / 26.0)));
  space.width = space.rows = 0;
  space.coverage.clear();

  // One canvas height for the whole font: the tallest ascent over the deepest descent.
  int ascent = 0;
  int descent = 0;
  for (const Glyph& g : glyphs) {
    if (g.rows == 0) continue;
    ascent = std::max(ascent, g.top);
    descent = std::max(descent, g.rows - g.top);
  }
  const int height = ascent + descent;

  const std::filesystem::path dir = root / sizing.directory;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "glyphgen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
    return false;
  }

  for (const Glyph& g : glyphs) {
    const int width = g.advance;
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4, 0);
    for (size_t i = 0; i < rgba.size(); i += 4) rgba[i] = rgba[i + 1] = rgba[i + 2] = 255;
    const int x0 = g.left;
    const int y0 = ascent - g.top;
    for (int y = 0; y < g.rows; ++y) {
      for (int x = 0; x < g.width; ++x) {
        const int px = x0 + x;
        const int py = y0 + y;
        if (px < 0 || px >= width || py < 0 || py >= height) continue;
        rgba[(static_cast<size_t>(py) * width + px) * 4 + 3] = g.coverage[static_cast<size_t>(y) * g.width + x];
      }
    }
    if (!WritePng(dir / GlyphFileName(g.code), width, height, rgba)) return false;
  }
  std::printf("glyphgen: %s: %d px, pictures %d px high (baseline at row %d), space %d px\n", sizing.directory,
              sizing.pixelSize, height, ascent, space.advance);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: glyphgen <font.ttf> [output-root]\n");
    return 2;
  }
  const std::filesystem::path fontPath = argv[1];
  const std::filesystem::path root = argc == 3 ? argv[2] : ".";
  if (!std::filesystem::is_regular_file(fontPath)) {
    std::fprintf(stderr,
                 "glyphgen: font file %s not found; install the Debian package "
                 "fonts-freefont-ttf (GNU FreeFont)\n",
                 fontPath.c_str());
    return 1;
  }

  FT_Library library;
  if (FT_Init_FreeType(&library) != 0) {
    std::fprintf(stderr, "glyphgen: cannot initialise FreeType\n");
    return 1;
  }
  FT_Face face;
  if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
    std::fprintf(stderr, "glyphgen: %s is not a font FreeType can read\n", fontPath.c_str());
    FT_Done_FreeType(library);
    return 1;
  }

  bool ok = true;
  for (const FontSizing& sizing : kFonts) ok = ok && MakeFont(face, sizing, root);

  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return ok ? 0 : 1;
}
