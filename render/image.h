// A picture as one GL texture: the texture name, how much of the power-of-two texture the
// picture covers, and the size it is drawn at.
#pragma once

#include <cstdint>

// An Image names its texture and does not own it: copies share it, and every texture is given
// back through the one owner below (ImageFreeTexture, FreeAllTextures).
class Image {
 public:
  Image();
  virtual ~Image();
  Image(const Image&) = default;
  // Both then name the same texture.
  Image& operator=(const Image& other) = default;

  unsigned int texture;  // GL texture name; 0 means none
  float uMin;            // left edge of the picture in the texture (0 but in a shared atlas)
  float vMin;            // top edge of the picture in the texture (0 but in a shared atlas)
  float uMax;            // right edge: picture width / texture width for a picture of its own
  float vMax;            // bottom edge: picture height / texture height for a picture of its own
  int32_t width;         // drawn width in pixels
  int32_t height;        // drawn height in pixels
  // A full-screen picture that is mostly see-through keeps only the part with anything in it: that
  // part's place and size within the picture. keptWidth 0: the whole picture is kept.
  int32_t keptX, keptY, keptWidth, keptHeight;
  bool opaque;  // every pixel of the picture has full alpha: drawn without blending
};

// Gives the image's texture back to the GL at once (no other record may still name it) and
// leaves the image naming none.
void ImageFreeTexture(Image* image);
// Gives every texture still held back; at shutdown, while the GL context still stands.
void FreeAllTextures();
// Hands each texture uploaded since the last call to warm, once.
void TakeFreshTextures(void (*warm)(unsigned int texture));
// Loads a PNG (full path) into a new Image; a file that cannot be loaded ends the program.
Image* ImageFromFile(const char* path);
// Fills the image from the file: pads the picture into a W x H RGBA texture and uploads it (or
// takes the texture made ahead from it).
void ImageLoadTexture(Image* image, const char* path);
// Where the pictures are decoded in the game's waits (the browser), the large ones are uploaded in
// them too, until loading ends, and an opaque picture a loading step asks for may get its pixels
// only in the waits after it. Called once decoding ahead has started.
void StartMakingTexturesAhead();
// Gives every texture still waiting for its pixels those pixels, and gives back the textures made
// ahead that no loading step asked for. Loading calls it before the menu shows.
void FinishTexturesAhead();
// Loads several pictures side by side into one shared texture (an atlas), so that they draw
// together: each image gets its part of it. Returns the texture; a file that cannot be loaded
// ends the program.
unsigned int ImagesLoadAtlas(const char* const* paths, int count, Image* images);
// The smallest power of two not below n; 1 for n <= 1.
int32_t NextPowerOfTwo(int32_t n);
