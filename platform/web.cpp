// clang-format off
// (The JavaScript inside EM_ASM is not C++: the formatter would break it, so this file keeps its
// own layout.)
// The browser presentation of the tablet (see platform.h): the browser owns the frame loop, each
// finger is a touch of its own, the device's orientation sensor is the accelerometer, the page
// hiding is the app losing focus, and the user folder lives in the browser's lasting storage.
#include <GL/gl.h>
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <unistd.h>

#include "core/game_state.h"
#include "core/scene.h"
#include "platform/gamepad.h"
#include "platform/platform.h"
#include "views/views.h"

extern "C" {
// The picture decoder the browser build links (stb_image), called directly so that the decoded
// bytes go straight to the texture without passing through a canvas.
unsigned char* stbi_load(const char* path, int* width, int* height, int* channels, int wanted);
void stbi_image_free(void* pixels);
const char* stbi_failure_reason(void);
int stbi_info(const char* path, int* width, int* height, int* channels);
}

namespace {

constexpr char kCanvas[] = "#canvas";

// Events made here (touches, tilt), handed to the game before SDL's own. A press or a lift is
// never dropped: a finger's moves are merged into its latest position, and room is always kept
// for the lift of every finger whose press was queued. A press that finds no room is not taken,
// and neither is anything else of that finger's touch.
constexpr int kQueueSize = 256;
constexpr int kFingers = 10;
SDL_Event queued[kQueueSize];
int queueHead = 0, queueCount = 0;
int liftsOwed = 0;  // fingers whose press is queued or handed out and whose lift is not queued

SDL_Event& QueuedAt(int i) { return queued[(queueHead + i) % kQueueSize]; }

bool Queue(const SDL_Event& event, int reserve) {
  if (queueCount + reserve >= kQueueSize) return false;
  QueuedAt(queueCount) = event;
  queueCount += 1;
  return true;
}

// A finger's move: into its last queued event when that is a move too, else queued if there is
// room beside the lifts owed, else dropped (its next move or its lift says where it went).
void QueueMove(const SDL_Event& move) {
  for (int i = queueCount - 1; i >= 0; --i) {
    SDL_Event& event = QueuedAt(i);
    const bool pointer = event.type == SDL_MOUSEMOTION || event.type == SDL_MOUSEBUTTONDOWN ||
                         event.type == SDL_MOUSEBUTTONUP;
    if (!pointer) continue;
    const Uint32 which = event.type == SDL_MOUSEMOTION ? event.motion.which : event.button.which;
    if (which != move.motion.which) continue;
    if (event.type == SDL_MOUSEMOTION) {
      event.motion.x = move.motion.x;
      event.motion.y = move.motion.y;
      return;
    }
    break;
  }
  Queue(move, liftsOwed);
}

bool Dequeue(SDL_Event* event) {
  if (queueCount == 0) return false;
  if (event != nullptr) *event = queued[queueHead];
  queueHead = (queueHead + 1) % kQueueSize;
  queueCount -= 1;
  return true;
}

// ---- Touch: each finger is a pointer of its own (which = its slot + 1; the mouse is 0). ----

long fingerIds[kFingers];
bool fingerDown[kFingers] = {};

int SlotOf(long identifier, bool claim) {
  for (int slot = 0; slot < kFingers; ++slot) {
    if (fingerDown[slot] && fingerIds[slot] == identifier) return slot;
  }
  if (!claim) return -1;
  for (int slot = 0; slot < kFingers; ++slot) {
    if (!fingerDown[slot]) {
      fingerDown[slot] = true;
      fingerIds[slot] = identifier;
      return slot;
    }
  }
  return -1;
}

// A point on the canvas (CSS pixels from its corner) in game coordinates, held inside the frame.
void ToFrame(double cssX, double cssY, int32_t* x, int32_t* y) {
  double width = kScreenWidth, height = kScreenHeight;
  emscripten_get_element_css_size(kCanvas, &width, &height);
  if (width <= 0.0 || height <= 0.0) width = kScreenWidth, height = kScreenHeight;
  *x = std::clamp(static_cast<int32_t>(cssX * kScreenWidth / width), 0, kScreenWidth - 1);
  *y = std::clamp(static_cast<int32_t>(cssY * kScreenHeight / height), 0, kScreenHeight - 1);
}

bool QueueFinger(Uint32 type, int slot, const EmscriptenTouchPoint& point) {
  int32_t x = 0, y = 0;
  ToFrame(point.targetX, point.targetY, &x, &y);
  SDL_Event event = {};
  event.type = type;
  if (type == SDL_MOUSEMOTION) {
    event.motion.which = static_cast<Uint32>(slot + 1);
    event.motion.state = SDL_BUTTON(1);
    event.motion.x = x;
    event.motion.y = y;
  } else {
    event.button.which = static_cast<Uint32>(slot + 1);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
  }
  switch (type) {
    case SDL_MOUSEMOTION:
      QueueMove(event);
      return true;
    case SDL_MOUSEBUTTONDOWN:
      // Room for this finger's lift and every other finger's stays free.
      if (!Queue(event, liftsOwed + 1)) return false;
      liftsOwed += 1;
      return true;
    default:
      Queue(event, 0);
      liftsOwed -= 1;
      return true;
  }
}

EM_BOOL OnTouch(int eventType, const EmscriptenTouchEvent* touch, void*) {
  for (int i = 0; i < touch->numTouches; ++i) {
    const EmscriptenTouchPoint& point = touch->touches[i];
    if (!point.isChanged) continue;
    if (eventType == EMSCRIPTEN_EVENT_TOUCHSTART) {
      const int slot = SlotOf(point.identifier, true);
      if (slot >= 0 && !QueueFinger(SDL_MOUSEBUTTONDOWN, slot, point)) fingerDown[slot] = false;
    } else if (eventType == EMSCRIPTEN_EVENT_TOUCHMOVE) {
      const int slot = SlotOf(point.identifier, false);
      if (slot >= 0) QueueFinger(SDL_MOUSEMOTION, slot, point);
    } else {  // lifted or cancelled
      const int slot = SlotOf(point.identifier, false);
      if (slot < 0) continue;
      QueueFinger(SDL_MOUSEBUTTONUP, slot, point);
      fingerDown[slot] = false;
    }
  }
  return EM_TRUE;  // no scrolling, zooming or mouse events made up from the touch
}

// ---- Tilt: the orientation sensor presented as the tablet's accelerometer. ----

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
bool tiltSeen = false;
double tiltAcross = 0.0, tiltDown = 0.0;  // in g, in the screen's own directions

EM_BOOL OnOrientation(int, const EmscriptenDeviceOrientationEvent* orientation, void*) {
  // The downhill direction in the device's own frame (x to its right, y to its top, held
  // upright): tipping the right edge down is gamma > 0, raising the top edge is beta > 0.
  const double beta = orientation->beta * kDegrees, gamma = orientation->gamma * kDegrees;
  const double deviceX = std::cos(beta) * std::sin(gamma), deviceY = -std::sin(beta);
  // The same in the screen's directions, for whichever way up the device is held.
  const int angle = EM_ASM_INT({
    if (screen.orientation && typeof screen.orientation.angle === "number") return screen.orientation.angle;
    return typeof window.orientation === "number" ? window.orientation : 0;
  });
  double across = deviceX, down = -deviceY;
  switch (((angle % 360) + 360) % 360) {
    case 90:
      across = -deviceY, down = -deviceX;
      break;
    case 180:
      across = -deviceX, down = deviceY;
      break;
    case 270:
      across = deviceY, down = deviceX;
      break;
    default:
      break;
  }
  tiltAcross = across;
  tiltDown = down;
  tiltSeen = true;
  return EM_FALSE;
}

// A sensor reports all the time: the latest reading is presented once every pass.
void QueueTilt() {
  SDL_Event readings[2];
  TiltReadings(tiltAcross, tiltDown, kTiltSensorJoystick, readings);
  Queue(readings[0], liftsOwed + 1);
  Queue(readings[1], liftsOwed);
}
bool tiltPresentedThisPass = false;

// ---- Gamepads: the browser's standard layout presented as a desktop pad's. ----

// Standard buttons 0-5 are where a desktop pad has them; Back (8) and Start (9) move to 6 and 7,
// the triggers (6, 7) out of the way, and the D-pad (12-15) becomes the pad's hat.
constexpr int kStandardToDesktop[17] = {0, 1, 2, 3, 4, 5, 16, 17, 6, 7, 9, 10, -1, -1, -1, -1, 8};
constexpr Uint8 kDpadHat[4] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
Uint8 hatHeld = SDL_HAT_CENTERED;

void PresentPadButton(SDL_Event& event) {
  const int standard = event.jbutton.button;
  if (standard < 0 || standard > 16) return;
  if (kStandardToDesktop[standard] >= 0) {
    event.jbutton.button = static_cast<Uint8>(kStandardToDesktop[standard]);
    return;
  }
  const Uint8 direction = kDpadHat[standard - 12];
  hatHeld = event.type == SDL_JOYBUTTONDOWN ? (hatHeld | direction) : (hatHeld & ~direction);
  const Uint8 which = static_cast<Uint8>(event.jbutton.which);
  event = SDL_Event{};
  event.type = SDL_JOYHATMOTION;
  event.jhat.which = which;
  event.jhat.hat = 0;
  event.jhat.value = hatHeld;
}

// ---- Focus: the page hidden or shown is the app switched away from or back to. ----

bool Translate(SDL_Event& event) {
  if (!GamepadTranslate(event)) return false;
  if (event.type == SDL_JOYBUTTONDOWN || event.type == SDL_JOYBUTTONUP) PresentPadButton(event);
  if (event.type == SDL_WINDOWEVENT) {
    const Uint8 what = event.window.event;
    if (what != SDL_WINDOWEVENT_SHOWN && what != SDL_WINDOWEVENT_HIDDEN) return false;
    SDL_Event active = {};
    active.type = SDL_ACTIVEEVENT;
    active.active.state = SDL_APPACTIVE;
    active.active.gain = what == SDL_WINDOWEVENT_SHOWN ? 1 : 0;
    event = active;
  }
  return true;
}

// ---- The loop: the browser runs each pass after the waits the one before asked for. ----

bool (*loopPass)() = nullptr;
// While the page sets Module.fastFrames (its address has "?fast"), the waits are counted but not
// waited, as the native tests run frames without sleeping.
bool fastFrames = false;
double waitedInAll = 0.0;
// Set while a loading step waits for its files: that pass's wait is the network's, not the game's.
bool waitingForFiles = false;
// The work of the latest passes (events, update and drawing) once loading is over, for the bench
// view of the page; the loading steps, which decode the pictures, are counted apart.
constexpr int kPassesKept = 1024;
double longestLoadingPass = 0.0;
double passWork[kPassesKept];
double passOrdered[kPassesKept];
int passCount = 0;
uint32_t waitBeforeNextPass = 0;
constexpr uint32_t kShortestIdle = 4;  // the shortest wait worth working in, in milliseconds

// The browser counts its timeout from the start of a pass; the game waits after its work, so the
// pass's own time is added to the wait.
void BrowserPass() {
  const double started = emscripten_get_now();
  waitBeforeNextPass = 0;
  const bool loading = GameState.SceneState == SceneLoading;
  fastFrames = EM_ASM_INT({ return Module["fastFrames"] ? 1 : 0; }) != 0;
  if (!loopPass()) {
    emscripten_cancel_main_loop();
    return;
  }
  const double worked = emscripten_get_now() - started;
  // The wait is counted from the pass's end, so work done now, within it, costs the game no time.
  // Once the game takes input, half of it is left to the browser, for the input and timers that
  // come meanwhile; the loading screen answers none, and leaves a quarter for the work's own misses.
  const uint32_t idle = loading ? waitBeforeNextPass * 3 / 4 : waitBeforeNextPass / 2;
  if (idle >= kShortestIdle) PlatformRunIdleWork(idle);
  if (loading) {
    longestLoadingPass = std::max(longestLoadingPass, worked);
  } else {
    passWork[passCount % kPassesKept] = worked;
    passCount += 1;
  }
  emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, static_cast<int>(std::lround(worked + waitBeforeNextPass)));
}

}  // namespace

// The page's bench view: the number of passes measured since loading (percent 0), the given
// percentile of their work in milliseconds over the latest 1024 of them, or the longest loading
// step (percent -1).
extern "C" EMSCRIPTEN_KEEPALIVE double WebFrameWork(int percent) {
  if (percent < 0) return longestLoadingPass;
  const int kept = std::min(passCount, kPassesKept);
  if (percent == 0 || kept == 0) return passCount;
  std::copy(passWork, passWork + kept, passOrdered);
  std::sort(passOrdered, passOrdered + kept);
  return passOrdered[std::min(kept - 1, kept * std::min(percent, 100) / 100)];
}

// What the page's tests look at, by number (the page's test names the same numbers).
enum Probe : int {
  kProbeScene = 0,
  kProbeShipX = 1,
  kProbeShipY = 2,
  kProbeBoltsInFlight = 3,
  kProbeCredits = 4,
  kProbeCampaignLevel = 5,
  kProbeSoundOn = 6,
  kProbeMusicOn = 7,
  kProbeControlMethod = 8,
  kProbeLoadProgress = 9,
  kProbeMessageBoxOpen = 10,
  kProbeWaitedMilliseconds = 11,  // the waits asked for so far
  kProbeKnobHeld = 12,
  kProbeFingersDown = 13,         // the fingers the page holds down
  kProbeCalibrationDotX = 14,     // the x of the calibration's live X dot
  kProbeUserFolderNotice = 15,    // the user folder's problem, once its notice has been shown
};

extern "C" EMSCRIPTEN_KEEPALIVE double WebProbe(int what) {
  int bolts = 0;
  switch (what) {
    case kProbeScene: return GameState.SceneState;
    case kProbeShipX: return GameState.ShipX;
    case kProbeShipY: return GameState.ShipY;
    case kProbeBoltsInFlight:
      for (const BoltSlot& slot : GameState.BoltPool.slots) bolts += slot.x >= 0 && slot.y >= 0 && slot.y < kScreenHeight;
      return bolts;
    case kProbeCredits: return GameState.credits;
    case kProbeCampaignLevel: return GameState.campaignLevel;
    case kProbeSoundOn: return GameState.soundOn;
    case kProbeMusicOn: return GameState.musicOn;
    case kProbeControlMethod: return GameState.controlMethod;
    case kProbeLoadProgress: return GameState.LoadProgress;
    case kProbeMessageBoxOpen: return MessageBoxIsOpen() ? 1 : 0;
    case kProbeWaitedMilliseconds: return waitedInAll;
    case kProbeKnobHeld: return GameState.ControlDragging;
    case kProbeFingersDown: return static_cast<double>(std::count(fingerDown, fingerDown + kFingers, true));
    case kProbeCalibrationDotX: return ViewGetX(GameState.Calibration.xDot);
    case kProbeUserFolderNotice: return GameState.UserFolder.noticeShown ? GameState.UserFolder.problem : 0;
    default: return -1;
  }
}

int PlatformPollEvent(SDL_Event* event) {
  for (;;) {
    if (Dequeue(event) || GamepadNextEvent(event)) return 1;
    SDL_Event raw;
    if (!SDL_PollEvent(&raw)) {
      if (!tiltPresentedThisPass && tiltSeen) {
        tiltPresentedThisPass = true;
        QueueTilt();
        continue;
      }
      tiltPresentedThisPass = false;
      if (GamepadEndOfPass()) continue;
      return 0;
    }
    if (Translate(raw)) {
      if (event != nullptr) *event = raw;
      return 1;
    }
  }
}

void PlatformPrepareVideo() {}

SDL_Surface* PlatformSetVideoMode(int width, int height, int bpp, Uint32 flags) {
  SDL_Surface* surface = SDL_SetVideoMode(width, height, bpp, flags);
  // Fingers are ours: SDL's own touch handling would make the first finger a mouse.
  EM_ASM({
    "touchstart touchend touchmove".split(" ").forEach(function(name) {
      Module["canvas"].removeEventListener(name, SDL.receiveEvent, true);
    });
  });
  emscripten_set_touchstart_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchmove_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchend_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_touchcancel_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
  emscripten_set_deviceorientation_callback(nullptr, EM_TRUE, OnOrientation);
  return surface;
}

// The page scales the canvas, letterboxed, with CSS: the frame always fills its canvas.
bool PlatformFrameViewport() { return false; }

void PlatformReportWindowFocus(bool) {}

void PlatformToggleFullScreen() {
  EM_ASM({
    if (typeof Module["toggleFullScreen"] === "function") Module["toggleFullScreen"]();
  });
}

void PlatformRequestContext() {}

void PlatformWait(uint32_t ms) {
  // The game's own delays; the passes spent waiting for the download are the network's.
  if (!waitingForFiles) waitedInAll += ms;
  waitingForFiles = false;
  if (!fastFrames) waitBeforeNextPass += ms;
}

void PlatformRunLoop(bool (*pass)()) {
  loopPass = pass;
  const uint32_t firstWait = waitBeforeNextPass;
  emscripten_set_main_loop(BrowserPass, 0, 0);
  emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, static_cast<int>(firstWait));
  emscripten_exit_with_live_runtime();
}

// The download of a JPEG is a fraction of the PNG's: "Images/menuBG.png" is read from
// "Images/menuBG.jpg" when only that is there.
std::string PlatformPictureFile(const char* path) {
  const size_t length = strlen(path);
  if (length < 4 || strcmp(path + length - 4, ".png") != 0 || access(path, F_OK) == 0) return path;
  std::string jpeg(path, length - 4);
  jpeg += ".jpg";
  return access(jpeg.c_str(), F_OK) == 0 ? jpeg : std::string(path);
}

SDL_Surface* PlatformLoadPicture(const char* path) {
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(PlatformPictureFile(path).c_str(), &width, &height, &channels, 4);
  if (pixels == nullptr) {
    SDL_SetError("%s", stbi_failure_reason());
    return nullptr;
  }
  SDL_Surface* surface =
      SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0xFF000000u);
  if (surface != nullptr) {
    for (int row = 0; row < height; ++row) {
      memcpy(static_cast<Uint8*>(surface->pixels) + row * surface->pitch, pixels + row * width * 4,
             static_cast<size_t>(width) * 4);
    }
  }
  stbi_image_free(pixels);
  return surface;
}

bool PlatformOpaquePictureSize(const char* path, int* width, int* height) {
  const std::string file = PlatformPictureFile(path);
  const size_t length = file.size();
  int channels = 0;
  return length > 4 && file.compare(length - 4, 4, ".jpg") == 0 && stbi_info(file.c_str(), width, height, &channels) == 1;
}

bool PlatformDecodesAhead() { return false; }

// The page puts each step's files into the file system once all of them have arrived (index.html).
bool PlatformLoadStepReady(int step) {
  waitingForFiles = EM_ASM_INT({ return Module["assetsReadyFor"] && Module["assetsReadyFor"]($0) ? 0 : 1; }, step) != 0;
  return !waitingForFiles;
}

bool PlatformTakeArrivedFiles() {
  return EM_ASM_INT({ return Module["assetsArrived"] && Module["assetsArrived"]() ? 1 : 0; }) != 0;
}

void PlatformFinishFrame() {}

bool PlatformKeepsLastFrame() { return true; }

void PlatformUserFileWritten() {
  // One copy to lasting storage at a time; a write made meanwhile is copied once more after it.
  EM_ASM({
    if (Module["syncUserFolder"]) Module["syncUserFolder"]();
  });
}

PlatformStorageValue PlatformUserStorage() {
  // Set by the page's storage script (storage.js) as it reads and writes the browser's storage.
  return static_cast<PlatformStorageValue>(EM_ASM_INT({ return Module["userStorage"] | 0; }));
}

bool PlatformCanQuit() { return false; }

bool PlatformHasTouchScreen() {
  return EM_ASM_INT({ return (navigator.maxTouchPoints > 0 || 'ontouchstart' in window) ? 1 : 0; }) != 0;
}
