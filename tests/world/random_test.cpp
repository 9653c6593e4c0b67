#include "core/game_state.h"
#include "world/random.h"

#include <gtest/gtest.h>

TEST(Random, FixedSequenceAfterSeeding) {
  RandomSeed();
  EXPECT_EQ(RandomBelow(6), 0u);
  RandomSeed();
  EXPECT_EQ(RandomBelow(1024), 418u);
}

TEST(Random, EveryCallAdvancesBothStreams) {
  RandomSeed();
  EXPECT_EQ(RandomBelow(1), 0u);
  const RngRecord afterOne = GameState.Rng;
  EXPECT_NE(afterOne.z, 362436069u);
  EXPECT_NE(afterOne.w, 521288629u);
  RandomSeed();
  RandomBelow(1000);
  EXPECT_EQ(GameState.Rng.z, afterOne.z);
  EXPECT_EQ(GameState.Rng.w, afterOne.w);
}

TEST(Random, FullRangeCountReturnsTheRawValue) {
  RandomSeed();
  const RngRecord start = GameState.Rng;
  const uint32_t z = 36969u * (start.z & 0xFFFFu) + (start.z >> 16);
  const uint32_t w = 18000u * (start.w & 0xFFFFu) + (start.w >> 16);
  const uint32_t raw = (z << 16) + w;
  EXPECT_EQ(RandomBelow(4294967295u), raw == 4294967295u ? 0u : raw);
}

TEST(Random, ValuesStayBelowTheCount) {
  RandomSeed();
  for (int i = 0; i < 10000; ++i) ASSERT_LT(RandomBelow(7), 7u);
}
