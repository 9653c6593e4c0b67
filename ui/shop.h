// The upgrade shop on the inter-level screen: one row per upgrade (structure, shield, handling,
// weapons) with icon, title, level and price, and a buy button present only when affordable.
#pragma once

#include <cstdint>

#include "core/game_state.h"

// The price of the next level from the current one; 999999 at level 6 or outside 1..5.
int32_t UpgradeCost(char kind, int32_t level);
// Start-up: the four icons, the four rows (prepared once off-screen) and the buy highlight.
void CreateShop();
// Shows the four rows at their places, or hides them.
void ShowShop(bool visible);
// Sets a row's title and level/price line and remembers its price.
void RefreshRowTexts(UpgradeRow& row);
// Refreshes the row and hides its buy button when the upgrade cannot be bought.
void UpdateBuyButton(UpgradeRow& row);
void ShowUpgradeRow(UpgradeRow& row, int32_t x, int32_t y);
void HideUpgradeRow(UpgradeRow& row);
// The credit text and every row after a purchase.
void RefreshShop();
int BuyStructureTouched(int phase, int x, int y);
int BuyShieldTouched(int phase, int x, int y);
int BuyHandlingTouched(int phase, int x, int y);
int BuyWeaponsTouched(int phase, int x, int y);
