// Whether two things on the field touch: the one rule every collision of the round uses.
#pragma once

#include <cstdint>

// Whether the box from (left, top) to (right, bottom) touches the square of side s at (x, y);
// touching edges count.
constexpr bool Touches(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t x, int32_t y, int32_t s) {
  return bottom >= y && top <= y + s && right >= x && left <= x + s;
}

// Whether the 3 x 33 bolt at (bx, by) touches the size x size square at (ax, ay), edges inclusive.
constexpr bool BoltHit(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t size) {
  return by + 32 >= ay && by <= ay + size && bx + 2 >= ax && bx <= ax + size;
}
