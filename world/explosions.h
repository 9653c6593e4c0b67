// Up to four flip-book explosions at once, one picture per frame, with a bang at the start.
#pragma once

#include <cstdint>

// Start-up: the 26 frame pictures, the four slot views and the explosion sound.
void InitExplosions();
// Starts an explosion for an object whose top-left is (x, y): the picture sits 90 px left of and
// 70 px above it. A fifth explosion takes over the oldest slot.
void SpawnExplosion(int32_t x, int32_t y);
// Advances every slot one picture; a finished slot is hidden.
void UpdateExplosions();
// Hides every slot and parks it off-screen.
void HideExplosions();
