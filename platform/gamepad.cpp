// The gamepad's left stick presented as the tablet's tilt sensor (see gamepad.h).
#include "platform/gamepad.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/game_state.h"
#include "platform/platform.h"

namespace {

bool gamepadAsTilt = true;

// The gamepad's left stick, and events waiting to be handed out (one stick move becomes two axes).
struct Stick {
  int32_t x = 0, y = 0;
};
Stick stick;
SDL_Event pending[2];
int pendingCount = 0;
bool tiltPresentedThisPass = false;

constexpr double kDeadZone = 0.15;  // of full deflection, round

// The stick's deflection as a fraction of full scale, and its length.
double StickLength(double* x, double* y) {
  *x = stick.x / 32767.0;
  *y = stick.y / 32767.0;
  return std::sqrt(*x * *x + *y * *y);
}

// The tilt readings for the current stick position, queued to be handed out.
void QueueTilt(Uint8 which) {
  double x = 0.0, y = 0.0;
  const double length = StickLength(&x, &y);
  double scale = 0.0;
  if (length > kDeadZone) scale = std::min(1.0, (length - kDeadZone) / (1.0 - kDeadZone)) / length;
  TiltReadings(x * scale, y * scale, which, pending);
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

}  // namespace

void TiltReadings(double across, double down, Uint8 which, SDL_Event readings[2]) {
  const auto reading = [](double g) {
    return static_cast<Sint16>(std::clamp(std::round(g * kFullTilt), -32767.0, 32767.0));
  };
  SDL_Event event = {};
  event.type = SDL_JOYAXISMOTION;
  event.jaxis.type = SDL_JOYAXISMOTION;
  event.jaxis.which = which;
  event.jaxis.axis = 1;
  event.jaxis.value = reading(across);
  readings[0] = event;
  event.jaxis.axis = 0;
  event.jaxis.value = reading(-down);
  readings[1] = event;
}

void PlatformPresentGamepadAsTilt(bool on) {
  gamepadAsTilt = on;
  stick = Stick{};
  pendingCount = 0;
}

bool PlatformReadingFromGamepad(const SDL_JoyAxisEvent& reading) {
  return gamepadAsTilt && static_cast<int>(reading.which) != kTiltSensorJoystick;
}

bool GamepadTranslate(const SDL_Event& event) {
  if (event.type != SDL_JOYAXISMOTION) return true;
  if (!gamepadAsTilt || event.jaxis.which != 0 || event.jaxis.axis > 1) return true;
  if (event.jaxis.axis == 0) {
    stick.x = event.jaxis.value;
  } else {
    stick.y = event.jaxis.value;
  }
  QueueTilt(event.jaxis.which);
  return false;
}

bool GamepadNextEvent(SDL_Event* event) {
  if (pendingCount == 0) return false;
  const SDL_Event next = pending[0];
  pending[0] = pending[1];
  pendingCount -= 1;
  if (event != nullptr) *event = next;
  return true;
}

bool GamepadEndOfPass() {
  // A tilt sensor reports all the time, a stick held still reports nothing: while the stick is
  // off centre its reading is presented again once every pass, so that a held stick keeps
  // steering after anything (a click on the field, calibration) zeroed the steering.
  double x = 0.0, y = 0.0;
  if (!tiltPresentedThisPass && gamepadAsTilt && StickLength(&x, &y) > kDeadZone) {
    tiltPresentedThisPass = true;
    QueueTilt(0);
    return true;
  }
  tiltPresentedThisPass = false;
  WatchPads();
  return pendingCount > 0;
}
