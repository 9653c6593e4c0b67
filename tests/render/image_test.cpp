// Pictures as textures: padded to powers of two with the picture in the corner (full-screen ones at
// their own size, mostly see-through ones only their visible part), alpha copied rather than blended.
#include <GL/gl.h>
#include <SDL.h>

#include <string>
#include <tuple>
#include <vector>

#include "render/image.h"
#include "support/harness.h"

namespace {

// Writes a w x h RGBA BMP with a known alpha gradient; the loader reads BMP as well as PNG.
// With a visible rectangle given, every pixel outside it is zero.
std::string WritePicture(int w, int h, SDL_Rect visible = {0, 0, 0xFFFF, 0xFFFF}) {
  const std::string name = "pic" + std::to_string(w) + "x" + std::to_string(h) + ".bmp";
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
  auto* px = static_cast<Uint32*>(s->pixels);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool inside = x >= visible.x && x - visible.x < visible.w && y >= visible.y && y - visible.y < visible.h;
      px[y * (s->pitch / 4) + x] = inside ? (static_cast<Uint32>((x * 7 + y) & 0xFF) << 24) | 0x00336699u : 0;
    }
  }
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
  return name;
}

}  // namespace

class ImageTest : public GameTest {};

// The last case is a full-screen picture visible only in 300 x 21 at (100, 50): its texture holds
// just that part, at its own size.
TEST_F(ImageTest, TexturesArePaddedToPowersOfTwoAndKeepThePicturesAlphaOrOnlyTheirVisiblePart) {
  harness::Boot();
  for (auto [w, h, texW, texH, visible] : {std::tuple{100, 37, 128, 64, SDL_Rect{0, 0, 0xFFFF, 0xFFFF}},
                                           {64, 64, 64, 64, {0, 0, 0xFFFF, 0xFFFF}},
                                           {1, 1, 1, 1, {0, 0, 0xFFFF, 0xFFFF}},
                                           {5, 3, 8, 4, {0, 0, 0xFFFF, 0xFFFF}},
                                           {1024, 768, 1024, 768, {0, 0, 0xFFFF, 0xFFFF}},
                                           {1024, 768, 300, 21, {100, 50, 300, 21}}}) {
    Image* image = ImageFromFile(WritePicture(w, h, visible).c_str());
    const int keptX = visible.x, keptY = visible.y, kept = texW * texH;
    EXPECT_TRUE(image->texture != 0 && image->width == w && image->height == h);
    if (visible.x != 0) {
      EXPECT_TRUE(image->keptX == 100 && image->keptY == 50 && image->keptWidth == 300 && image->keptHeight == 21);
    }
    EXPECT_FLOAT_EQ(image->uMax, visible.x != 0 ? 1.0f : float(w) / texW);
    EXPECT_FLOAT_EQ(image->vMax, visible.x != 0 ? 1.0f : float(h) / texH);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_TRUE(width == texW && height == texH) << w << "x" << h;
    std::vector<uint8_t> texels(kept * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    for (int y = 0; y < texH; ++y) {
      for (int x = 0; x < texW; ++x) {
        const uint8_t* t = &texels[(y * texW + x) * 4];
        if (x < w && y < h) {  // copied, not blended: alpha and colour as in the file
          const int alpha = ((x + keptX) * 7 + y + keptY) & 0xFF;
          ASSERT_TRUE(t[3] == alpha && t[0] == 0x99 && t[2] == 0x33) << w << "x" << h << " at " << x << "," << y;
        } else {
          ASSERT_EQ(t[3], 0) << "padding is transparent, at " << x << "," << y;
        }
      }
    }
    delete image;
  }
}
