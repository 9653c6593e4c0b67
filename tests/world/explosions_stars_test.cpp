// Explosions (placement, the four-slot ring, the flip-book and its sound) and the starfield
// (start, drift, wrap, and what each costs the random generator).
#include "core/game_state.h"
#include "support/harness.h"
#include "world/explosions.h"
#include "world/random.h"
#include "world/round_play.h"
#include "world/stars.h"

using namespace round_play;

namespace {

class ExplosionTest : public RoundTest {
 protected:
  void SetUp() override {
    RoundTest::SetUp();
    StartFreePlay();
    QuietFrame();
    StopSpawns();
  }
  const ExplosionSlot& Slot(int i) { return GameState.Explosions.slots[i]; }
  unsigned Picture(int n) { return EntryTexture(GameState.Explosions.frameImage[n]); }
};

// Advances a copy of the generator by `draws` values.
RngRecord After(RngRecord rng, int draws) {
  const RngRecord saved = GameState.Rng;
  GameState.Rng = rng;
  for (int i = 0; i < draws; ++i) RandomBelow(2);
  const RngRecord advanced = GameState.Rng;
  GameState.Rng = saved;
  return advanced;
}

bool SameRng(const RngRecord& a, const RngRecord& b) { return a.z == b.z && a.w == b.w; }

}  // namespace

TEST_F(ExplosionTest, PlaysTwentyFivePicturesNinetySeventyOffTheObjectSilentWithSoundOff) {
  GameState.soundOn = 0;
  const size_t soundsBefore = harness::recorded().plays.size();
  const int slot = GameState.Explosions.next % 4;
  SpawnExplosion(300, 200);
  EXPECT_EQ(PlaysOf(kExplosionSound, soundsBefore), 0);
  EXPECT_EQ(V(Slot(slot).view)->x, 210);
  EXPECT_EQ(V(Slot(slot).view)->y, 130);
  EXPECT_EQ(Texture(Slot(slot).view), Picture(1));
  for (int update = 1; update <= 25; ++update) {
    QuietFrame();
    ASSERT_TRUE(Shown(Slot(slot).view)) << "update " << update;
    EXPECT_EQ(Texture(Slot(slot).view), Picture(update + 1)) << "update " << update;
  }
  QuietFrame();
  EXPECT_FALSE(Shown(Slot(slot).view)) << "hidden on the 26th update";
  QuietFrames(3);
  EXPECT_FALSE(Shown(Slot(slot).view));
}

TEST_F(ExplosionTest, FifthExplosionInOneFrameTakesOverTheFirstSlot) {
  // Line the ring up at slot 0 first.
  while (GameState.Explosions.next % 4 != 0) SpawnExplosion(600, 600);
  QuietFrames(30);
  const size_t soundsBefore = harness::recorded().plays.size();
  for (int i = 0; i < 5; ++i) SpawnExplosion(100 + 100 * i, 300);
  EXPECT_EQ(PlaysOf(kExplosionSound, soundsBefore), 5);
  QuietFrame();
  EXPECT_EQ(Slot(0).x, 500 - 90) << "the fifth explosion plays in the first slot";
  EXPECT_EQ(V(Slot(0).view)->x, 410);
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(Slot(i).x, 100 * (i + 1) - 90);
    EXPECT_TRUE(Shown(Slot(i).view));
    EXPECT_EQ(Texture(Slot(i).view), Picture(2));
  }
  EXPECT_EQ(GameState.Explosions.next, 1);
}

class StarTest : public RoundTest {};

TEST_F(StarTest, StartShowsEveryStarAndDrawsFourValuesEach) {
  StartFreePlay();
  for (const Star& star : GameState.StarField.stars) EXPECT_TRUE(Shown(star.view));
  // Stars that left the bottom during a round stay hidden until the next start.
  for (int i = 0; i < kStars; i += 2) ViewSetVisible(GameState.StarField.stars[i].view, 0);
  const RngRecord before = GameState.Rng;
  StartStars();
  EXPECT_TRUE(SameRng(GameState.Rng, After(before, 200)));
  for (const Star& star : GameState.StarField.stars) {
    EXPECT_TRUE(Shown(star.view));
    EXPECT_GE(star.y, -60);
    EXPECT_LE(star.y, 767);
    EXPECT_GE(star.speed, 1);
    EXPECT_LE(star.speed, 3);
    EXPECT_EQ(V(star.view)->y, star.y);
  }
}

TEST_F(StarTest, StarsPastY778WrapToTheTopHidden) {
  StartFreePlay();
  Star* stars = GameState.StarField.stars;
  for (int i = 0; i < kStars; ++i) {
    stars[i].y = 100;
    stars[i].speed = 1;
  }
  stars[0].y = 776;  // reaches 779: wraps
  stars[0].speed = 3;
  stars[1].y = 778;  // reaches 779: wraps
  stars[1].speed = 1;
  stars[2].y = 775;  // reaches exactly 778: stays
  stars[2].speed = 3;
  const RngRecord before = GameState.Rng;
  UpdateStars();
  EXPECT_TRUE(SameRng(GameState.Rng, After(before, 4))) << "two draws per wrap";
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(stars[i].y, 0);
    EXPECT_FALSE(Shown(stars[i].view));
    EXPECT_EQ(V(stars[i].view)->y, 0);
    EXPECT_EQ(V(stars[i].view)->x, stars[i].x);
  }
  EXPECT_EQ(stars[2].y, 778);
  EXPECT_TRUE(Shown(stars[2].view));
  EXPECT_EQ(stars[3].y, 101);
}
