#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "render/image.h"
#include "support/harness.h"

namespace {

// Writes a w x h RGBA BMP with a known alpha gradient; SDL_image reads BMP as well as PNG, and
// the loader does not care which.
std::string WritePicture(const std::string& name, int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
  auto* px = static_cast<Uint32*>(s->pixels);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[y * (s->pitch / 4) + x] = (static_cast<Uint32>((x * 7 + y) & 0xFF) << 24) | 0x00336699u;
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
  return name;
}

// An opaque 24-bit picture of one colour.
std::string WriteOpaquePicture(const std::string& name, int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0x99, 0x66, 0x33));
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
  return name;
}

}  // namespace

TEST(NextPowerOfTwo, SmallestPowerNotBelow) {
  EXPECT_EQ(NextPowerOfTwo(-5), 1);
  EXPECT_EQ(NextPowerOfTwo(0), 1);
  EXPECT_EQ(NextPowerOfTwo(1), 1);
  EXPECT_EQ(NextPowerOfTwo(37), 64);
  EXPECT_EQ(NextPowerOfTwo(64), 64);
  EXPECT_EQ(NextPowerOfTwo(100), 128);
  EXPECT_EQ(NextPowerOfTwo(1024), 1024);
}

TEST_F(GameTest, TexturesArePaddedToPowersOfTwoWithPictureExtent) {
  harness::Boot();
  struct Case { int w, h, texW, texH; };
  for (Case c : {Case{100, 37, 128, 64}, Case{64, 64, 64, 64}, Case{1, 1, 1, 1}}) {
    const std::string path = WritePicture("pic" + std::to_string(c.w) + "x" + std::to_string(c.h) + ".bmp", c.w, c.h);
    Image* image = ImageFromFile(path.c_str());
    EXPECT_NE(image->texture, 0u);
    EXPECT_EQ(image->width, c.w);
    EXPECT_EQ(image->height, c.h);
    EXPECT_FLOAT_EQ(image->uMax, static_cast<float>(c.w) / c.texW);
    EXPECT_FLOAT_EQ(image->vMax, static_cast<float>(c.h) / c.texH);
    GLint texW = 0, texH = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texW);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texH);
    EXPECT_EQ(texW, c.texW);
    EXPECT_EQ(texH, c.texH);
    delete image;
  }
}

namespace {
SDL_Surface* loadedSurface = nullptr;
Uint32 freedFlags = 0;
Uint8 freedAlpha = 0;
void GivePerSurfaceAlpha(SDL_Surface* surface) {
  loadedSurface = surface;
  SDL_SetAlpha(surface, SDL_SRCALPHA, 77);
}
void NoteFlagsAtFree(SDL_Surface* surface) {
  if (surface != loadedSurface) return;
  freedFlags = surface->flags & SDL_SRCALPHA;
  freedAlpha = surface->format->alpha;
}
}  // namespace

TEST_F(GameTest, PictureAlphaReachesTheTextureUnchanged) {
  harness::Boot();
  Image* image = ImageFromFile(WritePicture("alpha.bmp", 5, 3).c_str());
  std::vector<uint8_t> texels(8 * 4 * 4);
  glBindTexture(GL_TEXTURE_2D, image->texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const uint8_t* t = &texels[(y * 8 + x) * 4];
      EXPECT_EQ(t[3], (x * 7 + y) & 0xFF) << x << "," << y;  // copied, not blended
      EXPECT_EQ(t[0], 0x99);
      EXPECT_EQ(t[2], 0x33);
    }
  }
  EXPECT_EQ(texels[(0 * 8 + 6) * 4 + 3], 0);  // padding is transparent black
  EXPECT_EQ(texels[(3 * 8 + 0) * 4 + 3], 0);
  delete image;
}

TEST_F(GameTest, PerSurfaceAlphaIsKeptAndDoesNotBlendIntoTheTexture) {
  harness::Boot();
  const std::string path = WriteOpaquePicture("opaque.bmp", 3, 2);
  harness::onImageLoaded = GivePerSurfaceAlpha;
  harness::onSurfaceFreed = NoteFlagsAtFree;
  Image* image = ImageFromFile(path.c_str());
  harness::onImageLoaded = nullptr;
  harness::onSurfaceFreed = nullptr;
  EXPECT_EQ(freedFlags, static_cast<Uint32>(SDL_SRCALPHA));  // put back after the blit
  EXPECT_EQ(freedAlpha, 77);
  std::vector<uint8_t> texels(4 * 2 * 4);
  glBindTexture(GL_TEXTURE_2D, image->texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels[0], 0x99);
  EXPECT_EQ(texels[1], 0x66);
  EXPECT_EQ(texels[2], 0x33);
  EXPECT_EQ(texels[3], 0xFF);
  delete image;
}

TEST_F(GameTest, MissingPicturePrintsItsFullPathAndExitsWithOne) {
  EXPECT_EXIT(
      {
        dup2(2, 1);  // the message goes to standard output; let the death test see it
        harness::Boot();
        ImageFromFile("./Data/Images/noSuchPicture.png");
      },
      ::testing::ExitedWithCode(1), "Could not load image \\./Data/Images/noSuchPicture\\.png\\. Reason: ");
}
