// The falling hazards: 35 plain asteroids and 5 infected ones, spawned above the top edge at a
// steady pace, falling straight down, damaging the ship or destroying the cargo ship on contact.
#pragma once

#include <cstdint>

// Start-up: the three asteroid pictures and 35 views, each wearing a random one.
void InitAsteroids();
// Start-up: the two infected pictures and 5 views.
void InitInfected();
// Hides and parks every asteroid and infected asteroid (as they are created, and between rounds).
void ClearHazards();
// Once per played frame: spawns, moves, and resolves the first hit on the ship.
void UpdateAsteroids();
// The same for infected asteroids (skipped in a mission without them).
void UpdateInfected();
// Whether the square of side size - 5 at (x, y) touches the ship's wings or fuselage.
bool ShipHit(int32_t x, int32_t y, int32_t size);
