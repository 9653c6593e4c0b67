// The ship's guns: each shot takes over the oldest of the 30 bolt slots and launches it from the
// nose, or from the nose and both wings from weapons level 4.
#pragma once

#include <cstdint>

constexpr int32_t kGunRightWing = 0;
constexpr int32_t kGunLeftWing = 1;
constexpr int32_t kGunNose = 3;

// Start-up: the 30 bolt views, parked.
void InitBolts();
// Hides and parks every bolt (as they are created, and between rounds).
void ClearBolts();
// Launches a bolt from a gun; below weapons level 4 every gun is the nose.
void FireGun(int32_t gun);
// Launches one bolt at (dx, dy) from the ship's top-left, taking over the oldest slot.
void FireBolt(int32_t dx, int32_t dy);
