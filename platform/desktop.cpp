// Desktop presentation of the tablet's input and screen (see platform.h).
#include <GL/gl.h>
#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/game_state.h"
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

// A window pixel of the pointer in frame coordinates (its middle), held inside the frame.
Uint16 FrameCoordinate(int window, int offset, int size) {
  const double frame = (window - offset + 0.5) / letterbox.scale;
  return static_cast<Uint16>(std::clamp(static_cast<int>(frame), 0, size - 1));
}

double windowScale = 1.0;  // the window's size against the frame's when it opens

bool gamepadAsTilt = true;
bool windowFocusIsAppFocus = true;

// The gamepad's left stick, and events waiting to be handed out (one stick move becomes two axes).
struct Stick {
  int32_t x = 0, y = 0;
};
Stick stick;
SDL_Event pending[2];
int pendingCount = 0;
bool tiltPresentedThisPass = false;

constexpr double kDeadZone = 0.15;      // of full deflection, round
constexpr double kFullTilt = 16000.0;   // the accelerometer's full-scale reading

// The tilt readings for the current stick position: SDL axis 1 carries the horizontal tilt and
// SDL axis 0 the vertical one negated, as the tablet's sensor did in landscape.
// The stick's deflection as a fraction of full scale, and its length.
double StickLength(double* x, double* y) {
  *x = stick.x / 32767.0;
  *y = stick.y / 32767.0;
  return std::sqrt(*x * *x + *y * *y);
}

void QueueTilt(Uint8 which) {
  double x = 0.0, y = 0.0;
  const double length = StickLength(&x, &y);
  double scale = 0.0;
  if (length > kDeadZone) scale = std::min(1.0, (length - kDeadZone) / (1.0 - kDeadZone)) / length;
  const auto reading = [](double v) {
    const double t = std::round(v * kFullTilt);
    return static_cast<Sint16>(std::max(-32767.0, std::min(32767.0, t)));
  };
  SDL_Event horizontal = {};
  horizontal.type = SDL_JOYAXISMOTION;
  horizontal.jaxis.type = SDL_JOYAXISMOTION;
  horizontal.jaxis.which = which;
  horizontal.jaxis.axis = 1;
  horizontal.jaxis.value = reading(x * scale);
  SDL_Event vertical = horizontal;
  vertical.jaxis.axis = 0;
  vertical.jaxis.value = reading(-y * scale);
  pending[0] = horizontal;
  pending[1] = vertical;
  pendingCount = 2;
}

// Pads plugged in or pulled out while the game runs, looked for every two seconds between
// passes: a new pad is opened as joystick 0, and when the count changes the stick is let go, so
// that a pulled-out pad stops steering.
constexpr Uint32 kPadWatchMs = 2000;
Uint32 nextPadWatch = 0;
int padsSeen = -1;

void WatchPads() {
  const Uint32 now = SDL_GetTicks();
  if (now < nextPadWatch || SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  nextPadWatch = now + kPadWatchMs;
  const int pads = SDL_NumJoysticks();
  if (padsSeen == -1) padsSeen = pads;
  if (pads == padsSeen) return;
  padsSeen = pads;
  stick = Stick{};
  if (gamepadAsTilt) QueueTilt(0);
  if (pads > 0 && !SDL_JoystickOpened(0)) SDL_JoystickOpen(0);
}

bool IsFullScreenKey(const SDL_KeyboardEvent& key) {
  if (key.keysym.sym == SDLK_F11) return true;
  return (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) && (key.keysym.mod & KMOD_ALT);
}

// Rewrites one event for the game; false when the game is not to see it at all.
bool Translate(SDL_Event& event) {
  switch (event.type) {
    case SDL_ACTIVEEVENT:
      // Switching windows on a desktop is what switching apps was on the tablet.
      if (windowFocusIsAppFocus && (event.active.state & SDL_APPINPUTFOCUS)) event.active.state |= SDL_APPACTIVE;
      if (event.active.state & SDL_APPACTIVE) event.active.state = SDL_APPACTIVE;
      return true;
    case SDL_JOYAXISMOTION:
      if (!gamepadAsTilt || event.jaxis.which != 0 || event.jaxis.axis > 1) return true;
      if (event.jaxis.axis == 0) {
        stick.x = event.jaxis.value;
      } else {
        stick.y = event.jaxis.value;
      }
      QueueTilt(event.jaxis.which);
      return false;
    case SDL_MOUSEMOTION:
      event.motion.x = FrameCoordinate(event.motion.x, letterbox.left, kFrameWidth);
      event.motion.y = FrameCoordinate(event.motion.y, letterbox.top, kFrameHeight);
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      event.button.x = FrameCoordinate(event.button.x, letterbox.left, kFrameWidth);
      event.button.y = FrameCoordinate(event.button.y, letterbox.top, kFrameHeight);
      return true;
    case SDL_KEYDOWN:
      if (!IsFullScreenKey(event.key)) return true;
      PlatformToggleFullScreen();
      return false;
    default:
      return true;
  }
}

}  // namespace

void PlatformPresentGamepadAsTilt(bool on) {
  gamepadAsTilt = on;
  stick = Stick{};
  pendingCount = 0;
}

void PlatformReportWindowFocus(bool on) { windowFocusIsAppFocus = on; }

bool PlatformStickIsGamepad() { return gamepadAsTilt; }

void PlatformToggleFullScreen() {
  Sdl2Window& calls = Window2();
  void* window = GameWindow();
  if (window == nullptr || calls.setFullscreen == nullptr || calls.getFlags == nullptr) return;
  const bool full = (calls.getFlags(window) & kSdl2FullscreenDesktop) == kSdl2FullscreenDesktop;
  calls.setFullscreen(window, full ? 0 : kSdl2FullscreenDesktop);
}

int PlatformPollEvent(SDL_Event* event) {
  for (;;) {
    if (pendingCount > 0) {
      const SDL_Event next = pending[0];
      pending[0] = pending[1];
      pendingCount -= 1;
      if (event != nullptr) *event = next;
      return 1;
    }
    SDL_Event raw;
    if (!SDL_PollEvent(&raw)) {
      // A tilt sensor reports all the time, a stick held still reports nothing: while the stick
      // is off centre its reading is presented again once every pass, so that a held stick
      // keeps steering after anything (a click on the field, calibration) zeroed the steering.
      double x = 0.0, y = 0.0;
      if (!tiltPresentedThisPass && gamepadAsTilt && StickLength(&x, &y) > kDeadZone) {
        tiltPresentedThisPass = true;
        QueueTilt(0);
        continue;
      }
      tiltPresentedThisPass = false;
      WatchPads();
      if (pendingCount > 0) continue;
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

SDL_Surface* PlatformSetVideoMode(int width, int height, int bpp, Uint32 flags) {
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
  if (calls.getDrawableSize != nullptr && GameWindow() != nullptr) calls.getDrawableSize(GameWindow(), &width, &height);
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
