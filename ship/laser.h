// The ship's laser: every shot adds heat, heat drains away in steps, and a shot that would
// overheat it is refused. The heat bar and its two backgrounds show the state.
#pragma once

#include <cstdint>

constexpr double kHeatCap = 310.0;

// Heat per shot (and frames between cooling steps) and cooling per step x 15, by weapons level.
int32_t ShotHeat();
int32_t CoolRate();

// Start-up: the overheated and normal HUD strips, hidden, at (0, 743).
void CreateHeatBackgrounds();
// Start-up: the accelerometer's fire area (disabled), the bolt picture and the heat bar.
void CreateLaserControls();
// One pull of the trigger: fires one beam (three from weapons level 4) unless overheated.
void FireLaser();
// Once per played frame: a cooling step every CoolInterval frames.
void CoolLaser();
// Takes heat off the laser (not below 0); the normal strip shows again once a shot can be fired.
void CoolLaserBy(double heat);
// True when a shot can be fired: heat + 0.6 x heat per shot stays within the cap.
bool LaserReady();
// Sizes the heat bar to the heat in whole pixels.
void ShowHeat();
// The fire button: pressing shows its pressed picture, lifting on it fires while playing.
int FirePointTouched(int phase, int x, int y);
// The accelerometer's trigger: any finger going down below the top 48 px fires while playing.
int FireAreaTouched(int phase, int x, int y);
