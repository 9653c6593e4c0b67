// Desktop presentation of the tablet's input and screen (see platform.h).
#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/game_state.h"
#include "platform/gamepad.h"
#include "platform/platform.h"

extern "C" void* SDL12COMPAT_GetWindow(void);  // the SDL 2 window under the 1.2 video surface

namespace {

// A few calls of the SDL 2 library underneath sdl12-compat, looked up at run time (never linked
// directly, so that no SDL 1.2 name can bind to SDL 2 by accident).
struct Sdl2Window {
  void (*setResizable)(void* window, int resizable) = nullptr;
  int (*setFullscreen)(void* window, Uint32 flags) = nullptr;
  Uint32 (*getFlags)(void* window) = nullptr;
  void (*getDrawableSize)(void* window, int* width, int* height) = nullptr;
  void (*setSize)(void* window, int width, int height) = nullptr;
  bool looked = false;
};

constexpr Uint32 kSdl2FullscreenDesktop = 0x00001001;  // SDL_WINDOW_FULLSCREEN_DESKTOP

Sdl2Window& Window2() {
  static Sdl2Window calls;
  if (!calls.looked) {
    calls.looked = true;
    if (void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD)) {
      calls.setResizable = reinterpret_cast<void (*)(void*, int)>(dlsym(sdl2, "SDL_SetWindowResizable"));
      calls.setFullscreen = reinterpret_cast<int (*)(void*, Uint32)>(dlsym(sdl2, "SDL_SetWindowFullscreen"));
      calls.getFlags = reinterpret_cast<Uint32 (*)(void*)>(dlsym(sdl2, "SDL_GetWindowFlags"));
      calls.getDrawableSize = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GL_GetDrawableSize"));
      calls.setSize = reinterpret_cast<void (*)(void*, int, int)>(dlsym(sdl2, "SDL_SetWindowSize"));
    }
  }
  return calls;
}

void* GameWindow() { return SDL12COMPAT_GetWindow(); }

// The size of the window the GL draws into as the X server has it. SDL's own idea can be wrong:
// with no window manager a full-screen request is taken as granted though the window never grew.
bool RealWindowSize(int* width, int* height) {
  static void* (*currentDisplay)() = nullptr;
  static unsigned long (*currentDrawable)() = nullptr;
  static void (*query)(void*, unsigned long, int, unsigned*) = nullptr;
  static bool looked = false;
  if (!looked) {
    looked = true;
    currentDisplay = reinterpret_cast<void* (*)()>(dlsym(RTLD_DEFAULT, "glXGetCurrentDisplay"));
    currentDrawable = reinterpret_cast<unsigned long (*)()>(dlsym(RTLD_DEFAULT, "glXGetCurrentDrawable"));
    query = reinterpret_cast<void (*)(void*, unsigned long, int, unsigned*)>(dlsym(RTLD_DEFAULT, "glXQueryDrawable"));
  }
  if (currentDisplay == nullptr || currentDrawable == nullptr || query == nullptr) return false;
  void* display = currentDisplay();
  const unsigned long drawable = currentDrawable();
  if (display == nullptr || drawable == 0) return false;
  constexpr int kGlxWidth = 0x801D, kGlxHeight = 0x801E;
  unsigned w = 0, h = 0;
  query(display, drawable, kGlxWidth, &w);
  query(display, drawable, kGlxHeight, &h);
  if (w == 0 || h == 0) return false;
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

constexpr int kFrameWidth = kScreenWidth, kFrameHeight = kScreenHeight;

// Where the 1024 x 768 frame sits in the window: scaled to fit with its aspect kept, centred, with
// black bars on two sides. The pointer is mapped back through the same numbers.
struct Letterbox {
  int windowWidth = kFrameWidth, windowHeight = kFrameHeight;
  int left = 0, top = 0;
  double scale = 1.0;
};
Letterbox letterbox;

void FitFrame(int width, int height) {
  if (width <= 0 || height <= 0) return;
  letterbox.windowWidth = width;
  letterbox.windowHeight = height;
  letterbox.scale = std::min(static_cast<double>(width) / kFrameWidth, static_cast<double>(height) / kFrameHeight);
  letterbox.left = static_cast<int>(std::lround((width - kFrameWidth * letterbox.scale) / 2));
  letterbox.top = static_cast<int>(std::lround((height - kFrameHeight * letterbox.scale) / 2));
}

// A window pixel of the pointer in frame coordinates (its middle); below 0 or from the frame's
// size on, it lies in the black bars.
int FramePixel(int window, int offset) {
  return static_cast<int>(std::floor((window - offset + 0.5) / letterbox.scale));
}

// Far outside every view and touch area: where a lift in the black bars is reported, so that it
// lets go of what it held (the knob) and presses nothing.
constexpr Uint16 kOffFrame = 0xFFFF;

double windowScale = 1.0;  // the window's size against the frame's when it opens

bool windowFocusIsAppFocus = true;

bool IsFullScreenKey(const SDL_KeyboardEvent& key) {
  if (key.keysym.sym == SDLK_F11) return true;
  return (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) && (key.keysym.mod & KMOD_ALT);
}

// Rewrites one event for the game; false when the game is not to see it at all.
bool Translate(SDL_Event& event) {
  if (!GamepadTranslate(event)) return false;
  switch (event.type) {
    case SDL_ACTIVEEVENT:
      // Switching windows on a desktop is what switching apps was on the tablet.
      if (windowFocusIsAppFocus && (event.active.state & SDL_APPINPUTFOCUS)) event.active.state |= SDL_APPACTIVE;
      if (event.active.state & SDL_APPACTIVE) event.active.state = SDL_APPACTIVE;
      return true;
    case SDL_MOUSEMOTION:
      // A drag that leaves the frame goes on along its edge.
      event.motion.x = static_cast<Uint16>(std::clamp(FramePixel(event.motion.x, letterbox.left), 0, kFrameWidth - 1));
      event.motion.y = static_cast<Uint16>(std::clamp(FramePixel(event.motion.y, letterbox.top), 0, kFrameHeight - 1));
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      // A click in the black bars around the frame is no touch at all.
      const int x = FramePixel(event.button.x, letterbox.left), y = FramePixel(event.button.y, letterbox.top);
      const bool inside = x >= 0 && x < kFrameWidth && y >= 0 && y < kFrameHeight;
      if (!inside && event.type == SDL_MOUSEBUTTONDOWN) return false;
      event.button.x = inside ? static_cast<Uint16>(x) : kOffFrame;
      event.button.y = inside ? static_cast<Uint16>(y) : kOffFrame;
      return true;
    }
    case SDL_KEYDOWN:
      if (!IsFullScreenKey(event.key)) return true;
      PlatformToggleFullScreen();
      return false;
    default: return true;
  }
}

}  // namespace

void PlatformReportWindowFocus(bool on) { windowFocusIsAppFocus = on; }

void PlatformToggleFullScreen() {
  Sdl2Window& calls = Window2();
  void* window = GameWindow();
  if (window == nullptr || calls.setFullscreen == nullptr || calls.getFlags == nullptr) return;
  const bool full = (calls.getFlags(window) & kSdl2FullscreenDesktop) == kSdl2FullscreenDesktop;
  calls.setFullscreen(window, full ? 0 : kSdl2FullscreenDesktop);
}

int PlatformPollEvent(SDL_Event* event) {
  for (;;) {
    SDL_Event raw;
    if (GamepadNextEvent(event)) return 1;
    if (!SDL_PollEvent(&raw)) {
      if (GamepadEndOfPass()) continue;
      return 0;
    }
    if (Translate(raw)) {
      if (event != nullptr) *event = raw;
      return 1;
    }
  }
}

void PlatformPrepareVideo() {
  // The game scales its frame itself (PlatformFrameViewport): sdl12-compat's own scaling would
  // render into a buffer of its own and copy it to the window at every present. The window scale
  // the launcher asks for (SDL12COMPAT_WINDOW_SCALING) is taken over for the same reason.
  const char* asked = getenv("SDL12COMPAT_WINDOW_SCALING");
  windowScale = asked != nullptr ? std::atof(asked) : 1.0;
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
  unsetenv("SDL12COMPAT_WINDOW_SCALING");
}

namespace {

// With no display to show a window on, SDL falls back to drawing off screen, and the game would
// run unseen, using the CPU and writing saves. That is only right when it was asked for.
bool NoDisplay() {
  char name[32] = "";
  if (SDL_VideoDriverName(name, sizeof name) == nullptr) return false;
  const char* asked = getenv("SDL_VIDEODRIVER");
  const bool windowless = strcmp(name, "offscreen") == 0 || strcmp(name, "dummy") == 0;
  return windowless && (asked == nullptr || strcmp(asked, name) != 0);
}

}  // namespace

SDL_Surface* PlatformSetVideoMode(int width, int height, int bpp, Uint32 flags) {
  if (NoDisplay()) {
    SDL_SetError("there is no display to open it on (DISPLAY or WAYLAND_DISPLAY must name one that answers)");
    return nullptr;
  }
  SDL_Surface* surface = SDL_SetVideoMode(width, height, bpp, flags);
  Sdl2Window& calls = Window2();
  if (surface == nullptr || GameWindow() == nullptr) return surface;
  // The player may resize the window: the frame is scaled into it with its aspect kept.
  if (calls.setResizable != nullptr) calls.setResizable(GameWindow(), 1);
  if (windowScale > 0.0 && windowScale != 1.0 && calls.setSize != nullptr) {
    calls.setSize(GameWindow(), static_cast<int>(width * windowScale), static_cast<int>(height * windowScale));
  }
  PlatformFrameViewport();
  return surface;
}

bool PlatformFrameViewport() {
  Sdl2Window& calls = Window2();
  int width = kFrameWidth, height = kFrameHeight;
  // Read at every frame, so the frame follows the window whenever its size changes.
  if (!RealWindowSize(&width, &height) && calls.getDrawableSize != nullptr && GameWindow() != nullptr) {
    calls.getDrawableSize(GameWindow(), &width, &height);
  }
  if (width != letterbox.windowWidth || height != letterbox.windowHeight) FitFrame(width, height);
  const bool bars = letterbox.left != 0 || letterbox.top != 0 || letterbox.scale != 1.0;
  if (bars) {
    // The bars outside the frame: the whole window black, then the frame's part of it.
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  const int frameWidth = static_cast<int>(std::lround(kFrameWidth * letterbox.scale));
  const int frameHeight = static_cast<int>(std::lround(kFrameHeight * letterbox.scale));
  // GL is told only when the frame's place changes, or after the bars were cleared.
  static int applied[4] = {-1, -1, -1, -1};
  const int viewport[4] = {letterbox.left, height - letterbox.top - frameHeight, frameWidth, frameHeight};
  if (bars || !std::equal(viewport, viewport + 4, applied)) {
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    std::copy(viewport, viewport + 4, applied);
  }
  return bars;
}

void PlatformRequestContext() {
  constexpr int kContextMajorVersionAttr = 17;  // GL ES 1.x on the tablet; desktop GL ignores it
  SDL_GL_SetAttribute(static_cast<SDL_GLattr>(kContextMajorVersionAttr), 1);
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 0);
}

void PlatformWait(uint32_t ms) {
  // Usually no idle work is left, and this is a plain sleep.
  const uint32_t spent = ms > 1 ? PlatformRunIdleWork(ms - 1) : 0;
  if (spent < ms) SDL_Delay(ms - spent);
}

void PlatformRunLoop(bool (*pass)()) {
  while (pass()) {
  }
}

namespace {

constexpr Uint32 kRed = 0x000000FFu, kGreen = 0x0000FF00u, kBlue = 0x00FF0000u, kAlpha = 0xFF000000u;

// True when the surface already holds R, G, B, A bytes with nothing to drop (a colour key).
bool IsRgbaBytes(const SDL_Surface* surface) {
  const SDL_PixelFormat* format = surface->format;
  return format->BytesPerPixel == 4 && format->Rmask == kRed && format->Gmask == kGreen && format->Bmask == kBlue &&
         format->Amask == kAlpha && (surface->flags & SDL_SRCCOLORKEY) == 0;
}

}  // namespace

SDL_Surface* PlatformLoadPicture(const char* path) {
  SDL_Surface* loaded = IMG_Load(path);
  if (loaded == nullptr || IsRgbaBytes(loaded)) return loaded;
  // Any other layout is blitted onto clear RGBA: with per-surface alpha off the picture's own
  // alpha is copied rather than blended, and colour-keyed pixels stay clear.
  SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, kRed, kGreen, kBlue, kAlpha);
  if (rgba != nullptr) {
    SDL_SetAlpha(loaded, 0, 0);
    SDL_UpperBlit(loaded, nullptr, rgba, nullptr);
  } else {
    SDL_SetError("no memory to convert %s", path);
  }
  SDL_FreeSurface(loaded);
  return rgba;
}

std::string PlatformPictureFile(const char* path) { return path; }

bool PlatformTakeArrivedFiles() { return false; }

bool PlatformOpaquePictureSize(const char*, int*, int*) { return false; }

bool PlatformDecodesAhead() { return true; }

bool PlatformLoadStepReady(int) { return true; }

void PlatformUserFileWritten() {}

PlatformStorageValue PlatformUserStorage() { return PlatformStorageLasting; }

void PlatformFinishFrame() {
  glFlush();
  glFinish();
}

bool PlatformKeepsLastFrame() { return false; }

bool PlatformCanQuit() { return true; }

bool PlatformHasTouchScreen() { return false; }
