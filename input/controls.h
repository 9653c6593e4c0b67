// The on-screen steering knob and the layouts of the touch controls for each control method.
#pragma once

#include <cstdint>

// The knob follows a finger up to this distance (pixels) from the control's centre: a full pull.
constexpr int32_t kKnobReach = 74;

// Lays out knob, base and fire button for the control method (nothing for the accelerometer);
// steering left from an earlier round stops unless the knob is held.
void PlaceControls();
// Motion while dragging: moves the knob and steers, when within 74 px of the control centre.
void ControlZoneMove(int32_t x, int32_t y);
// Any lifted finger: within 199 px of the centre the knob goes home and steering stops (a finger
// lifted far away is another finger, and leaves the steering thumb alone).
void ControlZoneRelease(double x, double y);
// The finger dragging the knob has lifted, wherever it is: the knob goes home and steering stops.
void ControlZoneLetGo();
// The knob's touch callback: a finger going down on it starts dragging.
int ControlPointTouched(int phase, int x, int y);
