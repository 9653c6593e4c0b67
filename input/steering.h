// The two steering values, fed by the accelerometer (joystick 0) or by the on-screen knob, with
// the player's calibration subtracted from accelerometer readings.
#pragma once

#include <cstdint>

constexpr int32_t kSourceTouch = 0;
constexpr int32_t kFullPull = 32768;  // the knob's reading for a full pull
constexpr int32_t kSourceAccelerometer = 4;

// Opens joystick 0 as the accelerometer, or says "Could not find joystick!" and goes on.
void AccelOpen();
// Turns a raw axis value of a source into a steering value (axis 0 horizontal, 1 vertical).
void SetAxis(int32_t axis, int32_t value, int32_t source);
// The horizontal steering value, truncated; doubled when 599 or less (so every negative value).
double ReadSteerX();
// The vertical steering value, with the same one-sided doubling.
double ReadSteerY();
// Takes the stored calibration over as the offsets subtracted from accelerometer readings.
void ApplyCalibration(int32_t calX, int32_t calY);
// Sets both offsets to 0 (the calibration panel shows uncalibrated readings).
void ClearCalibrationOffsets();
