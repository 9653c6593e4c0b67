// The event pump: touches (left-button mouse events; each finger a pointer of its own) to views
// and touch areas, accelerometer axes to steering, keys and gamepad buttons to their translation,
// focus changes to pause and pace, and the quit request.
#pragma once

#include <cstdint>

// Drains every pending SDL event; called once per pass before GameLoop.
void PumpEvents();
