// The game's only source of randomness: a multiply-with-carry generator with fixed seeds, so a
// given sequence of calls yields the same numbers on every launch.
#pragma once

#include <cstdint>

// Stores the fixed seeds; called once at start-up.
void RandomSeed();
// Returns a value in 0 .. n-1; both streams advance once per call whatever n is. n must not be 0.
uint32_t RandomBelow(uint32_t n);
