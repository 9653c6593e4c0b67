// What the shop's upgrades cost and when the player can pay for one.
#pragma once

#include <cstdint>

#include "core/game_state.h"

// The price of the next level from the current one; 999999 at level 6 or outside 1..5.
int32_t UpgradeCost(UpgradeKind kind, int32_t level);
// Whether the player's credits pay the cost (to the last credit).
bool CanAfford(int32_t credits, int32_t cost);
