// Rewrites PNG files in place as 8-bit RGBA, whatever they were (RGB, grey, palette, 16-bit), so
// every picture of the game carries an alpha channel. Usage: velmora-pngrgba FILE.png...
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool Convert(const std::string& path) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    fprintf(stderr, "velmora-pngrgba: cannot read %s: %s\n", path.c_str(), image.message);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    fprintf(stderr, "velmora-pngrgba: cannot decode %s: %s\n", path.c_str(), image.message);
    return false;
  }
  if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr)) {
    fprintf(stderr, "velmora-pngrgba: cannot write %s: %s\n", path.c_str(), image.message);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  bool ok = true;
  for (int i = 1; i < argc; ++i) ok = Convert(argv[i]) && ok;
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
