// Touches: a finger going down or lifting is offered to the views and touch areas under it.
#pragma once

#include <cstdint>

// Offers a touch to every visible view with a callback whose box (edges inclusive) holds it.
void DispatchTouch(int32_t x, int32_t y, int32_t phase);
// Offers a finger going down to every enabled touch area that holds it (always phase 3).
void DispatchTouchAreas(int32_t x, int32_t y);
