// Laser bolts in flight: the ring of 30 launched by the ship's guns flies straight up 12 px a frame
// and destroys the first asteroid and the first infected asteroid each bolt touches.
#pragma once

#include <cstdint>

// Once per played frame: bolts in flight move and hit.
void UpdateBolts();
