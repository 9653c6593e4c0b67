#include "input/steering.h"

#include <SDL.h>

#include <cstdio>

#include "core/game_state.h"

namespace {

constexpr int32_t kFullScaleSteering = 1200;

double DoubledBelow600(double steer) {
  int32_t value = static_cast<int32_t>(steer);
  if (value <= 599) value *= 2;
  return value;
}

}  // namespace

void AccelOpen() {
  GameState.SteerX = 0.0;
  GameState.SteerY = 0.0;
  // The knob scales by the same sensitivity, so a machine without a joystick still steers.
  GameState.AccelSensitivity = kFullScaleSteering;
  if (SDL_NumJoysticks() >= 1) {
    GameState.Accelerometer = SDL_JoystickOpen(0);
    GameState.CalibrationOffsetX = 0.0;
    GameState.CalibrationOffsetY = 0.0;
  } else {
    printf("Could not find joystick!\n");
    fflush(stdout);
  }
}

void SetAxis(int32_t axis, int32_t value, int32_t source) {
  double steer;
  if (source == kSourceAccelerometer) {
    if (value > kFullTilt) value = kFullTilt;
    if (value < -kFullTilt) value = -kFullTilt;
    steer = static_cast<double>(value) / kFullTilt * GameState.AccelSensitivity;
  } else {
    steer = static_cast<double>(value) / kFullPull * GameState.AccelSensitivity;
  }
  const bool accelerometer = source == kSourceAccelerometer;
  if (axis == 0) {
    GameState.SteerX = accelerometer ? steer - GameState.CalibrationOffsetX : steer;
  } else if (axis == 1) {
    GameState.SteerY = accelerometer ? steer - GameState.CalibrationOffsetY : steer;
  }
}

double ReadSteerX() { return DoubledBelow600(GameState.SteerX); }

double ReadSteerY() { return DoubledBelow600(GameState.SteerY); }

void ApplyCalibration(int32_t calX, int32_t calY) {
  GameState.CalibrationOffsetX = calX;
  GameState.CalibrationOffsetY = calY;
}

void ClearCalibrationOffsets() {
  GameState.CalibrationOffsetX = 0.0;
  GameState.CalibrationOffsetY = 0.0;
}
