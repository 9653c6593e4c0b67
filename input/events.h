// The event pump: touches (left-button mouse events) to views and touch areas, accelerometer
// axes to steering, focus changes to pause and pace, and the quit request.
#pragma once

#include <cstdint>

// Drains every pending SDL event; called once per pass before GameLoop.
void PumpEvents();
// Offers a touch to every visible view with a callback whose box (edges inclusive) holds it.
void DispatchTouch(int32_t x, int32_t y, int32_t phase);
// Offers a finger going down to every enabled touch area that holds it (always phase 3).
void DispatchTouchAreas(int32_t x, int32_t y);
