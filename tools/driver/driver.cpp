#include "tools/driver/driver.h"

#include <GL/gl.h>
#include <SDL.h>
#include <png.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/game_state.h"
#include "storage/levels.h"

namespace driver {
namespace {

void PushButton(Uint8 type, int x, int y) {
  SDL_Event event = {};
  event.type = type;
  event.button.type = type;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
}

}  // namespace

void PushMouseDown(int x, int y) { PushButton(SDL_MOUSEBUTTONDOWN, x, y); }
void PushMouseUp(int x, int y) { PushButton(SDL_MOUSEBUTTONUP, x, y); }

void PushMouseMotion(int x, int y, uint8_t buttons) {
  SDL_Event event = {};
  event.type = SDL_MOUSEMOTION;
  event.motion.type = SDL_MOUSEMOTION;
  event.motion.state = buttons;
  event.motion.x = static_cast<Uint16>(x);
  event.motion.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
}

void PushTap(int x, int y) {
  PushMouseDown(x, y);
  PushMouseUp(x, y);
}

void PushFocus(bool gained) {
  SDL_Event event = {};
  event.type = SDL_ACTIVEEVENT;
  event.active.type = SDL_ACTIVEEVENT;
  event.active.gain = gained ? 1 : 0;
  event.active.state = SDL_APPACTIVE;
  SDL_PushEvent(&event);
}

void PushJoyAxis(int axis, int16_t value) {
  SDL_Event event = {};
  event.type = SDL_JOYAXISMOTION;
  event.jaxis.type = SDL_JOYAXISMOTION;
  event.jaxis.axis = static_cast<Uint8>(axis);
  event.jaxis.value = value;
  SDL_PushEvent(&event);
}

void PushQuit() {
  SDL_Event event = {};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

void PushKey(int key, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.type = event.type;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = static_cast<SDLKey>(key);
  SDL_PushEvent(&event);
}

void PushScriptedPlay(int frame) {
  // Right-hand knob centre (946, 693): grab the knob once, then steer around a figure of eight
  // that stays within the knob's 74 px reach.
  constexpr int kCentreX = 946, kCentreY = 693;
  if (frame % 400 == 0) PushMouseDown(kCentreX, kCentreY);
  const double t = frame / 40.0;
  const int x = kCentreX + static_cast<int>(60 * std::sin(t));
  const int y = kCentreY + static_cast<int>(30 * std::sin(2 * t));
  PushMouseMotion(x, y);
  // The fire button at (32, 660), 78 x 78: a shot fires when the finger is lifted on it.
  if (frame % 9 == 0) PushMouseDown(71, 699);
  if (frame % 9 == 4) PushMouseUp(71, 699);
}

std::string EnterScratchRunTree(const char* prefix, const std::string& dataDirectory) {
  namespace fs = std::filesystem;
  const fs::path data = fs::absolute(dataDirectory);
  if (!fs::exists(data / "Images")) {
    printf("%s: no pictures in %s/Images (run it from the build directory)\n", prefix, data.c_str());
    return "";
  }
  std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return "";
  const fs::path root(pattern);
  fs::create_directories(root / "Data" / "User");
  for (const char* part : {"Images", "Fonts", "Sounds", "Levels"}) {
    fs::create_directory_symlink(data / part, root / "Data" / part);
  }
  fs::current_path(root);
  return root.string();
}

void RemoveScratchDirectory(const std::string& path) {
  namespace fs = std::filesystem;
  if (path.rfind("/tmp/", 0) != 0) return;
  std::error_code ignored;
  fs::current_path("/tmp", ignored);
  fs::remove_all(path, ignored);
}

int FirstLevelOfKind(MissionKind kind) {
  const std::string marker = std::string(";") + MissionLetter(kind) + ";";
  for (int level = 1; level < 1000; ++level) {
    const std::string name = "Data/Levels/level" + std::to_string(level) + ".dat";
    FILE* file = fopen(name.c_str(), "r");
    if (file == nullptr) break;
    char line[128] = {0};
    const bool found = fgets(line, sizeof line, file) != nullptr && std::string(line).find(marker) != std::string::npos;
    fclose(file);
    if (found) return level;
  }
  return 1;
}

void GrabFrame(std::vector<uint8_t>& rgba) {
  const size_t row = static_cast<size_t>(kScreenWidth) * 4;
  std::vector<uint8_t> bottomUp(row * kScreenHeight);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, kScreenWidth, kScreenHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  rgba.resize(bottomUp.size());
  for (int y = 0; y < kScreenHeight; ++y) {
    std::copy_n(&bottomUp[(kScreenHeight - 1 - y) * row], row, &rgba[y * row]);
  }
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = kScreenWidth;
  image.height = kScreenHeight;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(static_cast<size_t>(kScreenWidth) * kScreenHeight * 3);
  for (size_t i = 0, j = 0; i + 3 < rgba.size() + 1 && j < rgb.size(); i += 4, j += 3) {
    rgb[j] = rgba[i];
    rgb[j + 1] = rgba[i + 1];
    rgb[j + 2] = rgba[i + 2];
  }
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace driver
