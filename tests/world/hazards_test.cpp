// Falling hazards and pickups of a free-play round: the first round after launch, when things
// spawn and how they fall, where the ship can be touched, and which of two touching hazards counts.
#include <vector>

#include "support/harness.h"
#include "world/asteroids.h"

using namespace harness;

class HazardsTest : public GameTest {};

TEST_F(HazardsTest, SpawnsComeOnTheirFramesWithTheirDrawsAndSpeedUpOverTime) {
  StartFreePlay();
  // The first round after launch always draws the same background, periods and first rocks.
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Shown(GameState.SpaceBackground[i]), i == 1) << "background " << i;
  EXPECT_EQ(GameState.OrePeriod, 361);
  EXPECT_EQ(GameState.InfectedPeriod, 277);
  // The frames on which asteroids, infected asteroids, ice and ore were launched.
  const int32_t* const launched[4] = {&GameState.Asteroids.next, &GameState.Infected.next, &GameState.IcePool.next,
                                      &GameState.OrePool.next};
  int32_t seen[4] = {};
  std::vector<int> frames[4];
  while (GameState.RoundFrame < 1815) {
    if (GameState.RoundFrame == 15) {
      const HazardSlot& first = GameState.Asteroids.slots[0];
      EXPECT_EQ(first.x, 482);
      EXPECT_EQ(DrawnWidth(first.view), 43);
      EXPECT_EQ(first.size, 43 / 2 + 20);
      EXPECT_EQ(first.speed, 2);
      EXPECT_EQ(first.y, -60 + first.speed) << "spawned at y -60, it falls in the same frame";
      Frame();
      EXPECT_EQ(first.y, -60 + 2 * first.speed);
    }
    QuietFrame();
    ASSERT_EQ(GameState.SceneState, ScenePlaying);
    for (int i = 0; i < 4; ++i) {
      if (*launched[i] != seen[i]) frames[i].push_back(GameState.RoundFrame);
      seen[i] = *launched[i];
    }
  }
  auto after = [&](int frame) {
    std::vector<int> next;
    for (int f : frames[0]) {
      if (f > frame && next.size() < 2) next.push_back(f);
    }
    return next;
  };
  // Every 15 frames up to frame 600, every 11 once past it, every 7 once past 1800.
  EXPECT_EQ(after(0), (std::vector<int>{15, 30}));
  EXPECT_EQ(after(585), (std::vector<int>{600, 605}));
  EXPECT_EQ(after(605), (std::vector<int>{616, 627}));
  EXPECT_EQ(after(1782), (std::vector<int>{1793, 1806}));
  EXPECT_EQ(after(1806), (std::vector<int>{1813}));
  ASSERT_FALSE(frames[1].empty() || frames[2].empty() || frames[3].empty());
  EXPECT_EQ(std::vector<int>({frames[1][0], frames[2][0], frames[3][0]}), (std::vector<int>{277, 360, 361}))
      << "the first infected asteroid, ice and ore";
}

// Ore and ice reach the ship whole; of two touching hazards only the lower slot counts in a frame,
// and none slips past; the ship's outline is its wings and fuselage, edges included.
TEST_F(HazardsTest, PickupsAndOneHitAFrameReachTheShipThroughItsWingsAndFuselageEdgesIncluded) {
  StartQuietFreePlay();
  const auto catchPiece = [](PickupPoolRecord& pool) {
    ClearHazards();
    PickupSlot& slot = pool.slots[0];
    slot = {slot.view, GameState.ShipX + 20, GameState.ShipY, 1};
    Frame();
    EXPECT_EQ(slot.x, -100);
  };
  const size_t sounds = recorded().plays.size();
  const int score = GameState.score;
  catchPiece(GameState.OrePool);
  EXPECT_EQ(GameState.score, score + 54);
  EXPECT_EQ(Plays(kChime, sounds), 1);
  // An overheated laser drops 50 heat at once, and the heat bar shows it.
  GameState.LaserHeat = 300.0;
  catchPiece(GameState.IcePool);
  EXPECT_EQ(GameState.LaserHeat, 250.0);
  EXPECT_EQ(DrawnWidth(GameState.laserBar), 250);
  EXPECT_EQ(Plays(kChime, sounds), 2);
  EXPECT_EQ(GameState.score, score + 54);

  GameState.Shield = 1000;
  const int x = GameState.ShipX, y = GameState.ShipY;
  HazardSlot& first = GameState.Asteroids.slots[3];
  HazardSlot& second = GameState.Asteroids.slots[7];
  PlaceHazard(second, x + 10, y + 40, 30, 0);
  PlaceHazard(first, x + 40, y + 40, 40, 0);
  Frame();
  EXPECT_EQ(first.x, -100);
  EXPECT_EQ(second.x, x + 10);
  EXPECT_EQ(GameState.Shield, 1000 - 140) << "a hit costs 3.5 times the hit size";
  Frame();
  EXPECT_EQ(second.x, -100);
  EXPECT_EQ(GameState.Shield, 1000 - 140 - 105);
  // A fast asteroid (24 px a frame) cannot pass the ship without a hit, whatever its start.
  for (int offset = 0; offset < 24; ++offset) {
    GameState.Shield = 1000;
    HazardSlot& rock = GameState.Asteroids.slots[0];
    PlaceHazard(rock, x + 60, y - 200 + offset, 30, 24);
    for (int i = 0; i < 20 && rock.x >= 0; ++i) Frame();
    EXPECT_EQ(GameState.Shield, 1000 - 105) << "start offset " << offset;
  }

  GameState.ShipX = 400;
  GameState.ShipY = 500;
  // Size 35: a 30 px square. Wings [400, 480] x [530, 580]; fuselage [432, 449] x [500, 590].
  struct Case {
    int x, y;
    bool hit;
  } cases[] = {
      {370, 550, true}, {369, 550, false}, {480, 550, true}, {481, 550, false},  // wings' sides
      {455, 500, true}, {455, 499, false}, {455, 580, true}, {455, 581, false},  // wings' top, bottom
      {435, 470, true}, {435, 469, false}, {435, 590, true}, {435, 591, false},  // nose, tail
      {449, 585, true}, {450, 585, false}, {402, 585, true}, {401, 585, false},  // tail's sides
  };
  for (const Case& c : cases) EXPECT_EQ(ShipHit(c.x, c.y, 35), c.hit) << c.x << "," << c.y;
}
