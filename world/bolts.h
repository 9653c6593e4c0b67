// Laser bolts: a ring of 30 that fly straight up 12 px a frame and destroy the first asteroid and
// the first infected asteroid they touch.
#pragma once

#include <cstdint>

constexpr int32_t kGunRightWing = 0;
constexpr int32_t kGunLeftWing = 1;
constexpr int32_t kGunNose = 3;

// Start-up: the 30 bolt views, hidden.
void InitBolts();
// Launches a bolt from a gun; below weapons level 4 every gun is the nose.
void FireGun(int32_t gun);
// Launches one bolt at (dx, dy) from the ship's top-left, taking over the oldest slot.
void FireBolt(int32_t dx, int32_t dy);
// Once per played frame: bolts in flight move and hit.
void UpdateBolts();
// Whether the 3 x 33 bolt at (bx, by) touches the size x size square at (ax, ay), edges inclusive.
bool BoltHit(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t size);
