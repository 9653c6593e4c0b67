// The player's ship: moves each frame by the steering values within fixed bounds, and banks.
#pragma once

#include <cstdint>

// Steering units per pixel by handling level 1..6 (120 down to 40).
int32_t HandlingDivisor();
// Start-up: the level and banked ship pictures.
void LoadShipImages();
// Start-up: the ship view, then the knob base, knob, fire button and its pressed picture.
void CreateShipViews();
// Once per played frame: moves the ship, clamps it to x 0..944, y 50..658, and banks its picture.
void MoveShip();
