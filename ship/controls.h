// The on-screen steering knob and the layouts of the touch controls for each control method.
#pragma once

#include <cstdint>

// Lays out knob, base and fire button for the control method (nothing for the accelerometer).
void PlaceControls();
// Motion while dragging: moves the knob and steers, when within 74 px of the control centre.
void ControlZoneMove(int32_t x, int32_t y);
// Any lifted finger: within 199 px of the centre the knob goes home and steering stops.
void ControlZoneRelease(double x, double y);
// The knob's touch callback: a finger going down on it starts dragging.
int ControlPointTouched(int phase, int x, int y);
