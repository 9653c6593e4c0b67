#include "render/image.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

#include "core/fatal.h"

Image::Image() : texture(0), uMax(0.0f), vMax(0.0f), width(0), height(0), opaque(false) {}

Image::~Image() {
  if (texture != 0) {
    GLuint name = texture;
    glDeleteTextures(1, &name);
    texture = 0;
  }
}

Image& Image::operator=(const Image& other) {
  texture = other.texture;
  uMax = other.uMax;
  vMax = other.vMax;
  width = other.width;
  height = other.height;
  opaque = other.opaque;
  return *this;
}

namespace {

// True when every pixel of the picture (the top-left w x h of the padded RGBA surface) has full alpha.
bool FullyOpaque(const SDL_Surface* rgba, int32_t w, int32_t h) {
  for (int32_t y = 0; y < h; ++y) {
    const Uint8* row = static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch;
    for (int32_t x = 0; x < w; ++x) {
      if (row[x * 4 + 3] != 0xFF) return false;
    }
  }
  return true;
}

}  // namespace

int32_t NextPowerOfTwo(int32_t n) {
  int32_t value = 1;
  while (value < n) value *= 2;
  return value;
}

Image* ImageFromFile(const char* path) {
  Image* image = new Image();
  ImageLoadTexture(image, path);
  return image;
}

void ImageLoadTexture(Image* image, const char* path) {
  SDL_Surface* loaded = IMG_Load(path);
  if (loaded == nullptr) {
    printf("Could not load image %s. Reason: %s\n", path, SDL_GetError());
    ExitOnFatalError();
  }
  image->width = loaded->w;
  image->height = loaded->h;
  const int32_t textureWidth = NextPowerOfTwo(image->width);
  const int32_t textureHeight = NextPowerOfTwo(image->height);
  image->uMax = static_cast<float>(image->width) / static_cast<float>(textureWidth);
  image->vMax = static_cast<float>(image->height) / static_cast<float>(textureHeight);

  // R, G, B, A bytes in memory on a little-endian machine.
  SDL_Surface* padded = SDL_CreateRGBSurface(0, textureWidth, textureHeight, 32, 0x000000FFu, 0x0000FF00u,
                                             0x00FF0000u, 0xFF000000u);
  if (padded == nullptr) {
    printf("Could not create intermediate texture while loading image %s\n", path);
    ExitOnFatalError();
  }

  // Per-surface alpha would blend the picture instead of copying its alpha channel: switch it
  // off for the blit and restore it afterwards.
  const Uint32 savedFlags = loaded->flags & (SDL_SRCALPHA | SDL_RLEACCELOK);
  const Uint8 savedAlpha = loaded->format->alpha;
  if (savedFlags & SDL_SRCALPHA) SDL_SetAlpha(loaded, 0, 0);
  SDL_Rect area = {0, 0, static_cast<Uint16>(image->width), static_cast<Uint16>(image->height)};
  SDL_Rect at = {0, 0, 0, 0};
  SDL_UpperBlit(loaded, &area, padded, &at);
  if (savedFlags & SDL_SRCALPHA) SDL_SetAlpha(loaded, savedFlags, savedAlpha);
  image->opaque = FullyOpaque(padded, image->width, image->height);

  GLuint name = 0;
  glGenTextures(1, &name);
  image->texture = name;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               padded->pixels);
  SDL_FreeSurface(padded);
  SDL_FreeSurface(loaded);
}
