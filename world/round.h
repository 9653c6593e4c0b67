// Starting a round, the fixed order in which a played frame advances the world, and emptying
// the world again when a round is left.
#pragma once

#include <cstdint>

// Start-up: the six space pictures a round is played over, hidden.
void CreateSpaceBackgrounds();
// Sets a round up: background, music, ship, controls, pacing, ship values, HUD, stars.
void StartRound(int32_t freePlay);
// One played frame of the world, in its fixed order: the round's frame count, every moving thing,
// then the mission's progress and completion counter.
void UpdateWorld();
// Hides and parks everything of a round: ship, controls, hazards, pickups, bolts, backdrop, HUD.
void ClearWorld();
