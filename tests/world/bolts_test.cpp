// Laser bolts in a round: how long they fly, what they hit and what each kill does to the score.
#include "core/game_state.h"
#include "support/harness.h"
#include "ship/guns.h"
#include "world/bolts.h"
#include "world/round_play.h"

using namespace round_play;

namespace {

class BoltTest : public RoundTest {
 protected:
  void SetUp() override {
    RoundTest::SetUp();
    StartFreePlay();
    QuietFrame();
    StopSpawns();
  }
  // Plays quiet frames until the frame after next is not a time-bonus frame.
  void AwayFromTheTimeBonus() {
    while (GameState.RoundFrame % 30 != 3) QuietFrame();
  }
  // Fires the nose gun from the ship at rest (bolt at x ShipX + 38 = 510) and plays two frames:
  // the bolt reaches y 634, hitting anything placed just above the ship at y 600.
  void ShootAt(HazardSlot& slot, int size) {
    PlaceHazard(slot, 495, 600, size, 0);
    harness::PushTap(kFireX, kFireY);
    harness::Frame();
    harness::Frame();
  }
};

}  // namespace

TEST_F(BoltTest, BoltFromY668FliesSixtyFramesThenIdles) {
  ASSERT_EQ(GameState.ShipY, 658);
  FireBolt(38, 10);
  const BoltSlot& bolt = GameState.BoltPool.slots[0];
  ASSERT_EQ(bolt.y, 668);
  QuietFrames(59);
  EXPECT_EQ(bolt.y, 668 - 59 * 12);
  QuietFrame();
  EXPECT_EQ(bolt.y, -52);
  EXPECT_EQ(V(bolt.view)->y, -52);
  QuietFrames(5);
  EXPECT_EQ(bolt.y, -52) << "idle bolts no longer move";
  EXPECT_EQ(bolt.x, 472 + 38);
}

TEST_F(BoltTest, OneBoltDestroysAPlainAndAnInfectedAsteroidInOneFrame) {
  AwayFromTheTimeBonus();
  HazardSlot& rock = GameState.Asteroids.slots[4];
  HazardSlot& infected = GameState.Infected.slots[2];
  PlaceHazard(infected, 495, -56, 45, 0);  // as just spawned
  const int explosionsBefore = GameState.Explosions.next;
  const size_t soundsBefore = harness::recorded().plays.size();
  GameState.score = 0;
  ShootAt(rock, 40);
  EXPECT_EQ(rock.x, -70);
  EXPECT_EQ(infected.x, -70);
  EXPECT_EQ(GameState.score, 27) << "0 - 40, then truncate(-40 + 67.5)";
  EXPECT_EQ(GameState.BoltPool.slots[0].y, -60);
  EXPECT_EQ((GameState.Explosions.next - explosionsBefore + 4) % 4, 2);
  EXPECT_EQ(PlaysOf(kExplosionSound, soundsBefore), 2);
  // The explosion of the rock sits 90 px left of and 70 px above it.
  const ExplosionSlot& blast = GameState.Explosions.slots[explosionsBefore % 4];
  EXPECT_EQ(blast.x, 495 - 90);
  EXPECT_EQ(blast.y, 600 - 70);
}

TEST_F(BoltTest, KillsChangeTheScoreAndCountForADestroyMission) {
  GameState.currentMission.type = 'D';
  GameState.currentMission.progress = 0;
  HazardSlot& infected = GameState.Infected.slots[0];
  HazardSlot& rock = GameState.Asteroids.slots[0];

  AwayFromTheTimeBonus();
  GameState.score = 0;
  ShootAt(infected, 45);
  EXPECT_EQ(infected.x, -70);
  EXPECT_EQ(GameState.score, 67);
  EXPECT_EQ(GameState.currentMission.progress, 1);

  AwayFromTheTimeBonus();
  GameState.score = -10;
  ShootAt(infected, 45);
  EXPECT_EQ(GameState.score, 57) << "-10 + 67.5 truncates toward zero";
  EXPECT_EQ(GameState.currentMission.progress, 2);

  AwayFromTheTimeBonus();
  const int before = GameState.score;
  ShootAt(rock, 37);
  EXPECT_EQ(rock.x, -70);
  EXPECT_EQ(GameState.score, before - 37) << "a plain asteroid costs its hit size";
  EXPECT_EQ(GameState.currentMission.progress, 2);
}

TEST_F(BoltTest, ParkedHazardsAreOutOfReach) {
  BoltSlot& bolt = GameState.BoltPool.slots[5];
  bolt.x = 0;
  bolt.y = 300;
  ViewSetVisible(bolt.view, 1);
  PlaceHazard(GameState.Asteroids.slots[0], -70, 280, 59, 0);
  PlaceHazard(GameState.Infected.slots[0], -100, 280, 59, 0);
  const int explosionsBefore = GameState.Explosions.next;
  harness::Frame();
  EXPECT_EQ(bolt.y, 288);
  EXPECT_EQ(GameState.Explosions.next, explosionsBefore);

  // One pixel further right the largest rock just reaches x 0, and is hit.
  PlaceHazard(GameState.Asteroids.slots[1], -59, 270, 59, 0);
  harness::Frame();
  EXPECT_EQ(GameState.Asteroids.slots[1].x, -70);
  EXPECT_EQ(GameState.Asteroids.slots[0].x, -70);
  EXPECT_EQ(bolt.y, -60);
}
