// The freighter of protect missions: drifts at random in a band near the bottom of the screen,
// banks while it moves sideways, and is lost to the first hazard that touches it.
#pragma once

#include <cstdint>

// Where the freighter of a protect mission starts.
constexpr int32_t kCargoShipStartX = 450, kCargoShipStartY = 450;

// Start-up: the three freighter pictures and its view, hidden.
void CreateCargoShip();
// Puts the freighter at (x, y) with a fresh course and shows it.
void CargoShipPlace(int32_t x, int32_t y);
// Once per played frame of a protect mission: drifts, keeps to the band, banks.
void UpdateCargoShip();
// Hides the freighter and stops it (the round is left).
void CargoShipDeactivate();
// A hazard struck the freighter: it blows up where it is and is gone.
void CargoShipWreck();
// Whether the square of side size - 2 at (x, y) touches the active freighter's hull or body.
bool CargoShipHit(int32_t x, int32_t y, int32_t size);
