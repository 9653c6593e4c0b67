#include "world/random.h"

#include "core/game_state.h"

void RandomSeed() {
  GameState.Rng.z = 362436069u;
  GameState.Rng.w = 521288629u;
}

uint32_t RandomBelow(uint32_t n) {
  RngRecord& rng = GameState.Rng;
  rng.z = 36969u * (rng.z & 0xFFFFu) + (rng.z >> 16);
  rng.w = 18000u * (rng.w & 0xFFFFu) + (rng.w >> 16);
  const uint32_t r = (rng.z << 16) + rng.w;
  return n == 0 ? 0 : r % n;  // a count of 0 is invalid data; answer 0 rather than trap
}
