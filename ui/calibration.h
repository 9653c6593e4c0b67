// The accelerometer calibration panel over the options screen: live dots follow the tilt, markers
// show the stored neutral position, OK stores the current tilt as the new neutral.
#pragma once

// Start-up: the panel's seven views, hidden (created last in the menu step, so drawn on top).
void CreateCalibrationViews();
// Shows the panel and puts the markers at the stored calibration.
void ShowCalibration();
// Hides the panel; with the accelerometer method the stored calibration is applied again.
void HideCalibration();
// Moves the dots to the current (uncalibrated) steering readings, clamped to +-1900.
void UpdateCalibrationDots();
