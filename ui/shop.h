// The upgrade shop on the inter-level screen: one row per upgrade (structure, shield, handling,
// weapons) with icon, title, level and price, and a buy button present only when affordable.
#pragma once

// Start-up: the four icons, the four rows (prepared once off-screen) and the buy pressed picture.
void CreateShop();
// Shows the four rows at their places, or hides them.
void ShowShop(bool visible);
