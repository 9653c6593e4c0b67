// Laser bolts in a round: how long they fly, what they hit and what each kill does to the score.
#include "ship/guns.h"
#include "support/harness.h"

using namespace harness;

class BoltsTest : public GameTest {
 protected:
  // Fires the nose gun from the ship at rest (bolt at x 510) with the score at `score`, and plays
  // two frames without a time bonus: the bolt reaches y 634, hitting what sits at y 600.
  void ShootAt(HazardSlot& slot, int size, int score) {
    while (GameState.RoundFrame % 30 != 3) QuietFrame();
    GameState.score = score;
    PlaceHazard(slot, 495, 600, size, 0);
    PushTap(kFire[0], kFire[1]);
    Frames(2);
  }
};

TEST_F(BoltsTest, KillsChangeTheScoreAndCountForADestroyMissionAndABoltFliesSixtyFramesUpOutOfReachOfParkedHazards) {
  StartQuietFreePlay();
  // One bolt destroys a plain and an infected asteroid in one frame: -40, then +67.5, truncated.
  HazardSlot& rock = GameState.Asteroids.slots[4];
  HazardSlot& infected = GameState.Infected.slots[2];
  const size_t sounds = recorded().plays.size();
  while (GameState.RoundFrame % 30 != 3) QuietFrame();
  PlaceHazard(infected, 495, -56, 45, 0);  // as just spawned
  ShootAt(rock, 40, 0);
  EXPECT_EQ(rock.x, -70);
  EXPECT_EQ(infected.x, -70);
  EXPECT_EQ(GameState.score, 27);
  EXPECT_EQ(GameState.BoltPool.slots[0].y, -60);
  EXPECT_EQ(Plays(kExplosionSound, sounds), 2);

  GameState.currentMission.type = MissionDestroy;
  GameState.currentMission.progress = 0;
  ShootAt(GameState.Infected.slots[0], 45, -10);
  EXPECT_EQ(GameState.score, 57) << "-10 + 67.5 truncates toward zero";
  EXPECT_EQ(GameState.currentMission.progress, 1);
  ShootAt(rock, 37, 57);
  EXPECT_EQ(GameState.score, 57 - 37) << "a plain asteroid costs its hit size";
  EXPECT_EQ(GameState.currentMission.progress, 1);

  // A bolt flies 60 frames up, 12 px a frame, then idles above the screen.
  FireBolt(38, 10);
  const BoltSlot& bolt = GameState.BoltPool.slots[GameState.BoltPool.next - 1];
  ASSERT_EQ(bolt.y, 668);
  QuietFrames(59);
  EXPECT_EQ(bolt.y, 668 - 59 * 12);
  QuietFrame();
  EXPECT_EQ(bolt.y, -52);
  EXPECT_EQ(ViewGetY(bolt.view), -52);
  QuietFrames(5);
  EXPECT_EQ(bolt.y, -52) << "idle bolts no longer move";
  EXPECT_EQ(bolt.x, 472 + 38);
  // Hazards parked left of the field are never hit; one pixel further right the largest rock just
  // reaches x 0, and is hit.
  BoltSlot& edge = GameState.BoltPool.slots[5];
  edge.x = 0;
  edge.y = 300;
  ViewSetVisible(edge.view, 1);
  PlaceHazard(GameState.Asteroids.slots[0], -70, 280, 59, 0);
  PlaceHazard(GameState.Infected.slots[0], -100, 280, 59, 0);
  Frame();
  EXPECT_EQ(edge.y, 288);
  PlaceHazard(GameState.Asteroids.slots[1], -59, 270, 59, 0);
  Frame();
  EXPECT_EQ(GameState.Asteroids.slots[1].x, -70);
  EXPECT_EQ(edge.y, -60);
}
