#include "render/image.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/fatal.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "render/decoder.h"

Image::Image()
    : texture(0),
      uMin(0.0f),
      vMin(0.0f),
      uMax(0.0f),
      vMax(0.0f),
      width(0),
      height(0),
      keptX(0),
      keptY(0),
      keptWidth(0),
      keptHeight(0),
      opaque(false) {}

Image::~Image() = default;

namespace {

// True when every pixel of the w x h picture at (left, top) of the RGBA surface has full alpha.
bool FullyOpaque(const SDL_Surface* rgba, int32_t left, int32_t top, int32_t w, int32_t h) {
  for (int32_t y = top; y < top + h; ++y) {
    const Uint8* row = static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch;
    for (int32_t x = left; x < left + w; ++x) {
      if (row[x * 4 + 3] != 0xFF) return false;
    }
  }
  return true;
}

SDL_Surface* LoadPicture(const char* path) {
  SDL_Surface* loaded = DecodePicture(path);
  if (loaded == nullptr) {
    printf("Could not load image %s. Reason: %s\n", path, SDL_GetError());
    ExitOnFatalError();
  }
  return loaded;
}

// Textures of any size where the GL takes them (every desktop GL since 2.0, and OpenGL ES from
// 2.0 on, WebGL among them, for textures clamped at their edges with no mipmaps, as all of ours
// are), else powers of two.
bool ExactSizes() {
  static const bool exact = [] {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr) return false;
    constexpr char kEmbedded[] = "OpenGL ES ";
    if (strncmp(version, kEmbedded, sizeof kEmbedded - 1) == 0) version += sizeof kEmbedded - 1;
    return version[0] >= '2' && version[0] <= '9';
  }();
  return exact;
}

int32_t TextureSize(int32_t pictureSize) {
  return ExactSizes() ? std::max(pictureSize, 1) : NextPowerOfTwo(pictureSize);
}

// An RGBA surface (R, G, B, A bytes in memory on a little-endian machine) for a texture.
SDL_Surface* TextureSurface(int32_t width, int32_t height, const char* path) {
  SDL_Surface* surface = SDL_CreateRGBSurface(0, width, height, 32, 0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u);
  if (surface == nullptr) {
    printf("Could not create intermediate texture while loading image %s\n", path);
    ExitOnFatalError();
  }
  memset(surface->pixels, 0, static_cast<size_t>(surface->pitch) * surface->h);  // padding stays clear
  return surface;
}

// Copies the whole decoded picture (RGBA bytes, as every decoded picture is) into the texture
// surface at (x, y), row by row.
void CopyPicture(const SDL_Surface* loaded, SDL_Surface* into, int32_t x, int32_t y) {
  for (int32_t row = 0; row < loaded->h; ++row) {
    memcpy(static_cast<Uint8*>(into->pixels) + (y + row) * into->pitch + x * 4,
           static_cast<const Uint8*>(loaded->pixels) + row * loaded->pitch, static_cast<size_t>(loaded->w) * 4);
  }
}

// Full-screen overlays (the logo, the campaign help, the calibration panel) are mostly fully
// see-through: only the rectangle holding any non-zero byte is kept and drawn. Pixels that are
// zero in all four bytes add nothing to the frame, so nothing drawn changes. Returns the smaller
// texture surface, or null when the whole picture is kept.
SDL_Surface* KeepVisiblePart(const SDL_Surface* padded, Image* image, const char* path) {
  constexpr double kWorthKeepingPart = 0.6;  // of the picture's area, at most
  if (image->width < kScreenWidth || image->height < kScreenHeight) return nullptr;
  int32_t left = image->width, right = -1, top = image->height, bottom = -1;
  for (int32_t y = 0; y < image->height; ++y) {
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(padded->pixels) + y * padded->pitch);
    for (int32_t x = 0; x < image->width; ++x) {
      if (row[x] == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) left = top = right = bottom = 0;  // nothing visible: keep one pixel
  const int32_t width = right - left + 1, height = bottom - top + 1;
  if (width * height > kWorthKeepingPart * image->width * image->height) return nullptr;
  // The kept part is drawn pixel for pixel too: stored at its own size where the GL allows.
  const int32_t textureWidth = TextureSize(width), textureHeight = TextureSize(height);
  SDL_Surface* kept = TextureSurface(textureWidth, textureHeight, path);
  for (int32_t y = 0; y < height; ++y) {
    memcpy(static_cast<Uint8*>(kept->pixels) + y * kept->pitch,
           static_cast<const Uint8*>(padded->pixels) + (top + y) * padded->pitch + left * 4, width * 4);
  }
  image->keptX = left;
  image->keptY = top;
  image->keptWidth = width;
  image->keptHeight = height;
  image->uMax = static_cast<float>(width) / static_cast<float>(textureWidth);
  image->vMax = static_cast<float>(height) / static_cast<float>(textureHeight);
  return kept;
}

// Every texture the game holds, so each is given back exactly once.
std::vector<GLuint> heldTextures;
// The textures uploaded since the last frame, not yet drawn from.
std::vector<GLuint> freshTextures;

// Textures that wait for their pixels: a loading step that asks for an opaque picture not made
// ahead gets it at once from the file's header (its size, and full alpha, so nothing see-through
// to leave out), with the texture's name, and the pixels follow in the waits after it. The full
// screens of the menus and the rounds mostly come so, long before loading ends, which finishes
// them all. `promised` is what the picture gave the image.
struct Deferred {
  std::string path;
  Image promised;
};
std::vector<Deferred> deferred;
double deferredMs = 0.0, deferredPixels = 0.0;  // decoding and making, for the next one

GLuint NewTextureName() {
  GLuint name = 0;
  glGenTextures(1, &name);
  heldTextures.push_back(name);
  return name;
}

// Gives the texture (a new one when name is 0) the surface's pixels.
GLuint UploadTexture(const SDL_Surface* surface, GLuint name = 0) {
  if (name == 0) name = NewTextureName();
  freshTextures.push_back(name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, surface->w, surface->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, surface->pixels);
  return name;
}

}  // namespace

void ImageFreeTexture(Image* image) {
  const GLuint name = image->texture;
  image->texture = 0;
  const auto held = std::find(heldTextures.begin(), heldTextures.end(), name);
  if (name == 0 || held == heldTextures.end()) return;
  heldTextures.erase(held);
  deferred.erase(std::remove_if(deferred.begin(), deferred.end(),
                                [name](const Deferred& d) { return d.promised.texture == name; }),
                 deferred.end());
  freshTextures.erase(std::remove(freshTextures.begin(), freshTextures.end(), name), freshTextures.end());
  glDeleteTextures(1, &name);
}

void FreeAllTextures() {
  if (!heldTextures.empty()) glDeleteTextures(static_cast<GLsizei>(heldTextures.size()), heldTextures.data());
  heldTextures.clear();
  freshTextures.clear();
  deferred.clear();
}

void TakeFreshTextures(void (*warm)(GLuint texture)) {
  for (const GLuint name : freshTextures) warm(name);
  freshTextures.clear();
}

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

namespace {

// Gives the image a width x height picture's size and the part of its texture the picture covers;
// returns the texture's size.
SDL_Rect PlacePicture(Image* image, int32_t width, int32_t height) {
  image->width = width;
  image->height = height;
  // Full-screen pictures are stored at their own size where the GL allows: they are always drawn
  // pixel for pixel, and padding them would waste a quarter of their memory. Smaller ones, some
  // drawn stretched, keep their power-of-two textures, whose sampling today's frames are made of.
  const bool fullScreen = width >= kScreenWidth && height >= kScreenHeight;
  const int32_t textureWidth = fullScreen ? TextureSize(width) : NextPowerOfTwo(width);
  const int32_t textureHeight = fullScreen ? TextureSize(height) : NextPowerOfTwo(height);
  image->uMax = static_cast<float>(width) / static_cast<float>(textureWidth);
  image->vMax = static_cast<float>(height) / static_cast<float>(textureHeight);
  return SDL_Rect{0, 0, static_cast<Uint16>(textureWidth), static_cast<Uint16>(textureHeight)};
}

// Makes the image's texture (into the texture name `into` when it is not 0) from the decoded
// picture, which it frees.
void MakeTexture(Image* image, SDL_Surface* loaded, const char* path, GLuint into = 0) {
  const SDL_Rect size = PlacePicture(image, loaded->w, loaded->h);
  const int32_t textureWidth = size.w, textureHeight = size.h;
  // A decoded picture that already has the texture's size and rows is uploaded as it is.
  const bool asDecoded = textureWidth == loaded->w && textureHeight == loaded->h && loaded->pitch == textureWidth * 4;
  SDL_Surface* padded = loaded;
  if (!asDecoded) {
    padded = TextureSurface(textureWidth, textureHeight, path);
    CopyPicture(loaded, padded, 0, 0);
  }
  image->opaque = FullyOpaque(padded, 0, 0, image->width, image->height);
  SDL_Surface* kept = KeepVisiblePart(padded, image, path);
  image->texture = UploadTexture(kept != nullptr ? kept : padded, into);
  if (kept != nullptr) SDL_FreeSurface(kept);
  if (padded != loaded) SDL_FreeSurface(padded);
  SDL_FreeSurface(loaded);
}

// Textures made ahead: where the pictures are decoded in the game's waits (the browser), the
// large ones are uploaded there too, so that the loading step that asks for one finds it made.
// Small ones cost little, and the font's glyphs go into atlases instead.
constexpr int32_t kLeastPixelsMadeAhead = 256 * 256;
struct MadeAhead {
  std::string file;
  Image image;
};
std::vector<MadeAhead> madeAhead;
double makingMs = 0.0, madePixels = 0.0;  // for what the next one may take

// Decodes the first deferred picture and makes its texture into the name it was given.
void FinishFirstDeferred() {
  const Deferred picture = deferred.front();
  deferred.erase(deferred.begin());
  const Uint32 began = SDL_GetTicks();
  Image made;
  MakeTexture(&made, LoadPicture(picture.path.c_str()), picture.path.c_str(), picture.promised.texture);
  deferredMs += SDL_GetTicks() - began;
  deferredPixels += static_cast<double>(made.width) * made.height;
  const Image& p = picture.promised;
  if (made.width != p.width || made.height != p.height || made.opaque != p.opaque || made.keptWidth != p.keptWidth) {
    fprintf(stderr, "Image %s is not the opaque %dx%d picture its header promised\n", picture.path.c_str(), p.width, p.height);
  }
}

bool MakeTexturesInWaits(uint32_t budgetMs) {
  if (!DecodingAheadInWaits()) {  // loading is over: what nobody asked for goes
    FinishTexturesAhead();
    return false;
  }
  const Uint32 started = SDL_GetTicks();
  auto spent = [started] { return static_cast<double>(SDL_GetTicks() - started); };
  const double fullScreen = static_cast<double>(kScreenWidth) * kScreenHeight;
  // First what the loading steps have asked for, then what they will.
  while (!deferred.empty()) {
    const double expected = deferredPixels > 0.0 ? deferredMs / deferredPixels * fullScreen : 0.0;
    if (spent() + expected > budgetMs) return true;
    FinishFirstDeferred();
  }
  std::string file;
  for (;;) {
    const double expected = madePixels > 0.0 ? makingMs / madePixels * fullScreen : 0.0;
    if (spent() + expected > budgetMs) break;
    SDL_Surface* decoded = TakeDecodedAhead(kLeastPixelsMadeAhead, &file);
    if (decoded == nullptr) break;
    const Uint32 began = SDL_GetTicks();
    const double pixels = static_cast<double>(decoded->w) * decoded->h;
    madeAhead.push_back(MadeAhead{file, Image()});
    MakeTexture(&madeAhead.back().image, decoded, file.c_str());
    makingMs += SDL_GetTicks() - began;
    madePixels += pixels;
  }
  return true;
}

}  // namespace

void StartMakingTexturesAhead() {
  if (DecodingAheadInWaits()) PlatformAddIdleWork(MakeTexturesInWaits);
}

void FinishTexturesAhead() {
  while (!deferred.empty()) FinishFirstDeferred();
  for (MadeAhead& made : madeAhead) ImageFreeTexture(&made.image);
  madeAhead.clear();
  madeAhead.shrink_to_fit();
}

void ImageLoadTexture(Image* image, const char* path) {
  if (!madeAhead.empty()) {
    const std::string file = PlatformPictureFile(path);
    for (auto made = madeAhead.begin(); made != madeAhead.end(); ++made) {
      if (made->file != file) continue;
      *image = made->image;
      madeAhead.erase(made);
      return;
    }
  }
  int width = 0, height = 0;
  if (DecodingAheadInWaits() && PlatformOpaquePictureSize(path, &width, &height)) {
    *image = Image();
    PlacePicture(image, width, height);
    image->opaque = true;
    image->texture = NewTextureName();
    deferred.push_back(Deferred{path, *image});
    return;
  }
  MakeTexture(image, LoadPicture(path), path);
}

unsigned int ImagesLoadAtlas(const char* const* paths, int count, Image* images) {
  constexpr int32_t kAtlasWidth = 512;
  std::vector<SDL_Surface*> loaded(count);
  std::vector<SDL_Rect> places(count);
  // Row by row, left to right, each picture where the last one ended.
  int32_t x = 0, y = 0, rowHeight = 0;
  for (int i = 0; i < count; ++i) {
    loaded[i] = LoadPicture(paths[i]);
    if (x + loaded[i]->w > kAtlasWidth) {
      x = 0;
      y += rowHeight;
      rowHeight = 0;
    }
    places[i] = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(loaded[i]->w),
                 static_cast<Uint16>(loaded[i]->h)};
    x += loaded[i]->w;
    rowHeight = std::max(rowHeight, loaded[i]->h);
  }
  const int32_t atlasHeight = NextPowerOfTwo(y + rowHeight);
  SDL_Surface* atlas = TextureSurface(kAtlasWidth, atlasHeight, count > 0 ? paths[0] : "");
  for (int i = 0; i < count; ++i) CopyPicture(loaded[i], atlas, places[i].x, places[i].y);
  const GLuint texture = UploadTexture(atlas);
  for (int i = 0; i < count; ++i) {
    Image& image = images[i];
    image.texture = texture;
    image.width = places[i].w;
    image.height = places[i].h;
    image.uMin = static_cast<float>(places[i].x) / kAtlasWidth;
    image.vMin = static_cast<float>(places[i].y) / atlasHeight;
    image.uMax = static_cast<float>(places[i].x + places[i].w) / kAtlasWidth;
    image.vMax = static_cast<float>(places[i].y + places[i].h) / atlasHeight;
    image.opaque = FullyOpaque(atlas, places[i].x, places[i].y, places[i].w, places[i].h);
    SDL_FreeSurface(loaded[i]);
  }
  SDL_FreeSurface(atlas);
  return texture;
}
