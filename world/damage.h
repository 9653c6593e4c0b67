// The ship's shield (absorbs first, regenerates slowly) and structure (its loss destroys the ship),
// with their bars in the bottom HUD strip.
#pragma once

#include <cstdint>

// Capacities and regeneration by upgrade level 1..6; 0 for any other level.
int32_t MaxStructure(int32_t structureLevel);
double MaxShield(int32_t shieldLevel);
double ShieldRegenAmountFor(int32_t shieldLevel);
int32_t ShieldRegenIntervalFor(int32_t shieldLevel);

// Start-up: the structure and shield bar views, hidden off-screen.
void CreateShipBars();
// A hit: the shield takes it first; what it cannot hold goes to the structure.
void ApplyImpact(int32_t damage);
// Sizes both bars (150 px when full) from Structure and Shield.
void RefreshShipBars();
// Once per played frame: a small step back up towards 100 shield points every interval.
void RegenerateShield();
