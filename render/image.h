// A picture as one GL texture: the texture name, how much of the power-of-two texture the
// picture covers, and the size it is drawn at.
#pragma once

#include <cstdint>

class Image {
 public:
  Image();
  // Deletes the texture this object names (copies share it: only font glyphs are ever destroyed).
  virtual ~Image();
  Image(const Image&) = delete;
  // Copies the texture name, extent, drawn size and opacity; both then name the same texture.
  Image& operator=(const Image& other);

  unsigned int texture;  // GL texture name; 0 means none
  float uMax;            // picture width / texture width
  float vMax;            // picture height / texture height
  int32_t width;         // drawn width in pixels
  int32_t height;        // drawn height in pixels
  bool opaque;           // every pixel of the picture has full alpha: drawn without blending
};

// Loads a PNG (full path) into a new Image; a file that cannot be loaded ends the program.
Image* ImageFromFile(const char* path);
// Fills the image from the file: pads the picture into a W x H RGBA texture and uploads it.
void ImageLoadTexture(Image* image, const char* path);
// The smallest power of two not below n; 1 for n <= 1.
int32_t NextPowerOfTwo(int32_t n);
