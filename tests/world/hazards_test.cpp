// Falling hazards and pickups of a free-play round: the first round after launch, when things
// spawn, where the ship can be touched, and which of two touching hazards counts.
#include <vector>

#include "core/game_state.h"
#include "support/harness.h"
#include "world/asteroids.h"
#include "world/round_play.h"

using namespace round_play;

namespace {

class HazardTest : public RoundTest {};

}  // namespace

TEST_F(HazardTest, FirstFreePlayRoundAfterLaunchHasItsFixedDraws) {
  StartFreePlay();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Shown(GameState.SpaceBackground[i]), i == 1) << "background " << i;
  EXPECT_FALSE(Shown(GameState.menuBackground));
  EXPECT_EQ(GameState.OrePeriod, 361);
  EXPECT_EQ(GameState.InfectedPeriod, 277);
  EXPECT_EQ(GameState.RoundAsteroidPace, 60);
}

TEST_F(HazardTest, SpawnsComeOnTheirFramesAndSpeedUpOverTime) {
  StartFreePlay();
  std::vector<int> asteroidFrames, infectedFrames, iceFrames, oreFrames;
  int asteroids = 0, infected = 0, ice = 0, ore = 0;
  auto spawned = [](int& seen, int now, std::vector<int>& frames) {
    if (now != seen) frames.push_back(GameState.RoundFrame);
    seen = now;
  };
  while (GameState.RoundFrame < 1815) {
    QuietFrame();
    ASSERT_EQ(GameState.SceneState, ScenePlaying);
    spawned(asteroids, GameState.Asteroids.next, asteroidFrames);
    spawned(infected, GameState.Infected.next, infectedFrames);
    spawned(ice, GameState.IcePool.next, iceFrames);
    spawned(ore, GameState.OrePool.next, oreFrames);
  }
  ASSERT_GE(asteroidFrames.size(), 3u);
  EXPECT_EQ(asteroidFrames[0], 15);
  EXPECT_EQ(asteroidFrames[1], 30);
  auto after = [&](int frame) {
    std::vector<int> next;
    for (int f : asteroidFrames)
      if (f > frame && next.size() < 2) next.push_back(f);
    return next;
  };
  // Every 15 frames up to frame 600, every 11 once past it, every 7 once past 1800.
  EXPECT_EQ(after(585), (std::vector<int>{600, 605}));
  EXPECT_EQ(after(605), (std::vector<int>{616, 627}));
  EXPECT_EQ(after(1782), (std::vector<int>{1793, 1806}));
  EXPECT_EQ(after(1806), (std::vector<int>{1813}));
  ASSERT_FALSE(infectedFrames.empty());
  EXPECT_EQ(infectedFrames[0], 277);
  ASSERT_FALSE(iceFrames.empty());
  EXPECT_EQ(iceFrames[0], 360);
  ASSERT_FALSE(oreFrames.empty());
  EXPECT_EQ(oreFrames[0], 361);
}

TEST_F(HazardTest, ShipHitBoundariesAreInclusive) {
  StartFreePlay();
  GameState.ShipX = 400;
  GameState.ShipY = 500;
  // Size 35: a 30 px square. Wings [400, 480] x [530, 580]; fuselage [432, 449] x [500, 590].
  struct Case { int x, y; bool hit; const char* what; };
  const Case cases[] = {
      {370, 550, true, "right edge on the wings' left edge"}, {369, 550, false, "one left of the wings"},
      {480, 550, true, "left edge on the wings' right edge"}, {481, 550, false, "one right of the wings"},
      {455, 500, true, "bottom on the wings' top"},           {455, 499, false, "one above the wings"},
      {455, 580, true, "top on the wings' bottom"},           {455, 581, false, "one below the wings"},
      {435, 470, true, "bottom on the nose"},                 {435, 469, false, "one above the nose"},
      {435, 590, true, "top on the tail"},                    {435, 591, false, "one below the tail"},
      {449, 585, true, "left edge on the tail's right side"}, {450, 585, false, "right of the tail"},
      {402, 585, true, "right edge on the tail's left side"}, {401, 585, false, "left of the tail"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShipHit(c.x, c.y, 35), c.hit) << c.what;
  // Pickups test a 27 px square.
  EXPECT_TRUE(ShipHit(373, 550, 32));
  EXPECT_FALSE(ShipHit(372, 550, 32));
}

TEST_F(HazardTest, OnlyTheLowerOfTwoTouchingSlotsIsAppliedPerFrame) {
  StartFreePlay();
  QuietFrame();
  StopSpawns();
  GameState.Shield = 1000;
  const int x = GameState.ShipX, y = GameState.ShipY;
  HazardSlot& first = GameState.Asteroids.slots[3];
  HazardSlot& second = GameState.Asteroids.slots[7];
  PlaceHazard(second, x + 10, y + 40, 30, 0);
  PlaceHazard(first, x + 40, y + 40, 40, 0);
  harness::Frame();
  EXPECT_EQ(first.x, -100);
  EXPECT_EQ(second.x, x + 10);
  EXPECT_EQ(GameState.Shield, 1000 - 140);
  harness::Frame();
  EXPECT_EQ(second.x, -100);
  EXPECT_EQ(GameState.Shield, 1000 - 140 - 105);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
}

TEST_F(HazardTest, FastAsteroidCannotSlipPastTheShip) {
  StartFreePlay();
  QuietFrame();
  StopSpawns();
  const int shipY = GameState.ShipY;
  for (int offset = 0; offset < 24; ++offset) {
    GameState.Shield = 1000;
    HazardSlot& rock = GameState.Asteroids.slots[0];
    PlaceHazard(rock, GameState.ShipX + 60, shipY - 200 + offset, 30, 24);
    for (int i = 0; i < 20 && rock.x >= 0; ++i) harness::Frame();
    EXPECT_EQ(rock.x, -100) << "start offset " << offset;
    EXPECT_EQ(GameState.Shield, 1000 - 105) << "start offset " << offset;
  }
}

TEST_F(HazardTest, OreScoresAndIceCoolsTheLaserEachWithTheChime) {
  StartFreePlay();
  StopSpawns();
  QuietFrames(3);
  const auto catchPiece = [](PickupPoolRecord& pool) {
    ClearHazards();
    PickupSlot& slot = pool.slots[0];
    slot.x = GameState.ShipX + 20;
    slot.y = GameState.ShipY;
    slot.speed = 1;
    ViewSetVisible(slot.view, 1);
    harness::Frame();
  };
  const size_t sounds = harness::recorded().plays.size();
  const int score = GameState.score;
  catchPiece(GameState.OrePool);
  EXPECT_EQ(GameState.score, score + 54);
  EXPECT_EQ(GameState.OrePool.slots[0].x, -100);
  EXPECT_EQ(PlaysOf(GameState.CalabriumSound, sounds), 1);

  // An overheated laser drops 50 heat at once, and the heat bar shows it.
  GameState.LaserHeat = 300.0;
  catchPiece(GameState.IcePool);
  EXPECT_EQ(GameState.LaserHeat, 250.0);
  EXPECT_EQ(DrawnWidth(GameState.laserBar), 250);
  EXPECT_EQ(PlaysOf(GameState.CalabriumSound, sounds), 2);
  EXPECT_EQ(GameState.score, score + 54);
}
