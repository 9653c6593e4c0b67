// The upgrade shop on the inter-level screen: one row per upgrade (structure, shield, handling,
// weapons) with icon, title, level and price, and a buy button present only when affordable.
#pragma once

#include <cstdint>

#include "core/game_state.h"

// The price of the next level from the current one; 999999 at level 6 or outside 1..5.
int32_t UpgradeCost(UpgradeKind kind, int32_t level);
// Whether the player's credits buy the upgrade's next level.
bool CanAfford(int32_t credits, int32_t cost);
// Start-up: the four icons, the four rows (prepared once off-screen) and the buy pressed picture.
void CreateShop();
// Shows the four rows at their places, or hides them.
void ShowShop(bool visible);
