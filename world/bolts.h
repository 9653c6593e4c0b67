// Laser bolts in flight: the ring of 30 launched by the ship's guns flies straight up 12 px a frame
// and destroys the first asteroid and the first infected asteroid each bolt touches.
#pragma once

#include <cstdint>

// Once per played frame: bolts in flight move and hit.
void UpdateBolts();
// Whether the 3 x 33 bolt at (bx, by) touches the size x size square at (ax, ay), edges inclusive.
bool BoltHit(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t size);
