// The laser as the player meets it: shots heat it, it overheats and refuses, it cools in steps,
// and the fire button and the accelerometer's fire area pull the trigger.
#include "core/game_state.h"
#include "input/events.h"
#include "support/harness.h"
#include "world/round_play.h"

using namespace round_play;

namespace {

class LaserTest : public RoundTest {
 protected:
  // Taps the fire button (the shot goes off as the finger is lifted) and plays the frame.
  void TapFire() {
    harness::PushTap(kFireX, kFireY);
    QuietFrame();
  }
  bool Overheated() { return Shown(GameState.overheatBackground) && !Shown(GameState.noHeatBackground); }
  bool Ready() { return Shown(GameState.noHeatBackground) && !Shown(GameState.overheatBackground); }
  int BarWidth() { return DrawnWidth(GameState.laserBar); }
  // Bolts launched so far: the ring's next slot, counted from a cleared pool.
  int BoltsLaunched() { return GameState.BoltPool.next; }
};

}  // namespace

TEST_F(LaserTest, WeaponsOneHeatsOverheatsAndCoolsBackInTwentyOneSteps) {
  StartFreePlay();
  ASSERT_EQ(GameState.weaponsLevel, 1);
  QuietFrame();
  EXPECT_TRUE(Ready());
  const size_t soundsBefore = harness::recorded().plays.size();

  const double expected[] = {80, 160, 240};
  for (double heat : expected) {
    TapFire();
    EXPECT_EQ(GameState.LaserHeat, heat);
    EXPECT_EQ(BarWidth(), static_cast<int>(heat));
    EXPECT_TRUE(Ready());
  }
  TapFire();  // 240 + 48 <= 310: allowed, capped at 310
  EXPECT_EQ(GameState.LaserHeat, 310.0);
  EXPECT_EQ(BarWidth(), 310);
  EXPECT_TRUE(Overheated());
  TapFire();  // refused
  EXPECT_EQ(GameState.LaserHeat, 310.0);
  EXPECT_TRUE(Overheated());
  EXPECT_EQ(BoltsLaunched(), 4);
  EXPECT_EQ(PlaysOf(kLaserSound, soundsBefore), 4);

  // Cooling steps fall on every 80th frame of the round; 20 steps are not yet enough.
  int steps = 0;
  double last = GameState.LaserHeat;
  while (steps < 20) {
    QuietFrame();
    if (GameState.LaserHeat != last) {
      ++steps;
      EXPECT_EQ(GameState.RoundFrame % 80, 0);
      EXPECT_NEAR(last - GameState.LaserHeat, 35.0 / 15.0, 1e-9);
      last = GameState.LaserHeat;
    }
  }
  EXPECT_EQ(GameState.RoundFrame, 1600);
  EXPECT_TRUE(Overheated());
  TapFire();
  EXPECT_EQ(BoltsLaunched(), 4) << "still refused after 20 steps";
  QuietFrames(1680 - GameState.RoundFrame - 1);
  EXPECT_TRUE(Overheated());
  QuietFrame();
  ASSERT_EQ(GameState.RoundFrame, 1680);
  EXPECT_NEAR(GameState.LaserHeat, 261.0, 1e-9);
  EXPECT_EQ(BarWidth(), static_cast<int>(GameState.LaserHeat));
  EXPECT_TRUE(Ready()) << "the display returns to ready on the step that makes a shot possible";
  TapFire();
  EXPECT_EQ(BoltsLaunched(), 5);
}

TEST_F(LaserTest, WeaponsTwoStaysReadyUntilTheSixthShotIsRefused) {
  WriteUpgrades(2, 1, 1, 1);
  StartFreePlay();
  ASSERT_EQ(GameState.weaponsLevel, 2);
  EXPECT_EQ(GameState.HeatPerShot, 60);
  EXPECT_EQ(GameState.CoolInterval, 60);
  for (int shot = 1; shot <= 5; ++shot) {
    TapFire();
    EXPECT_EQ(GameState.LaserHeat, 60.0 * shot);
    EXPECT_TRUE(Ready()) << "shot " << shot;
  }
  TapFire();
  EXPECT_EQ(GameState.LaserHeat, 300.0);
  EXPECT_TRUE(Overheated());
  EXPECT_EQ(BoltsLaunched(), 5);
}

TEST_F(LaserTest, FreePlayKeepsItsFullHeatAfterAProtectMissionWasBriefed) {
  ReachMenu();
  // The last briefed mission stays in the record; only a campaign round of it halves the heat.
  GameState.currentMission.type = 'P';
  TapFreePlay();
  EXPECT_EQ(GameState.HeatPerShot, 80);
  EXPECT_EQ(GameState.CoolInterval, 80);
  TapFire();
  EXPECT_EQ(GameState.LaserHeat, 80.0);
}

TEST_F(LaserTest, WeaponsFourFiresThreeBeamsForOneShotsHeatAndSound) {
  WriteUpgrades(4, 1, 1, 1);
  StartFreePlay();
  QuietFrame();
  const int shipX = GameState.ShipX, shipY = GameState.ShipY;
  const size_t soundsBefore = harness::recorded().plays.size();
  harness::PushTap(kFireX, kFireY);
  harness::Frame();
  EXPECT_EQ(GameState.LaserHeat, 40.0);
  EXPECT_EQ(PlaysOf(kLaserSound, soundsBefore), 1);
  ASSERT_EQ(BoltsLaunched(), 3);
  // Left wing, nose, right wing, each moved up 12 px by the frame's bolt step.
  const BoltSlot* bolts = GameState.BoltPool.slots;
  EXPECT_EQ(bolts[0].x, shipX + 2);
  EXPECT_EQ(bolts[0].y, shipY + 33 - 12);
  EXPECT_EQ(bolts[1].x, shipX + 38);
  EXPECT_EQ(bolts[1].y, shipY - 12);
  EXPECT_EQ(bolts[2].x, shipX + 77);
  EXPECT_EQ(bolts[2].y, shipY + 33 - 12);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Shown(bolts[i].view));
}

TEST_F(LaserTest, FireButtonShootsOnReleaseOnlyAndOnlyWhilePlaying) {
  StartFreePlay();
  harness::PushMouseDown(kFireX, kFireY);
  QuietFrame();
  EXPECT_TRUE(Shown(GameState.firePointDown));
  EXPECT_EQ(GameState.LaserHeat, 0.0);
  QuietFrames(3);  // holding fires nothing
  EXPECT_EQ(GameState.LaserHeat, 0.0);
  harness::PushMouseUp(kFireX, kFireY);
  QuietFrame();
  EXPECT_FALSE(Shown(GameState.firePointDown));
  EXPECT_EQ(GameState.LaserHeat, 80.0);

  // Pressed, slid off and lifted elsewhere: nothing, and the pressed picture goes.
  harness::PushMouseDown(kFireX, kFireY);
  QuietFrame();
  EXPECT_TRUE(Shown(GameState.firePointDown));
  harness::PushMouseUp(300, 400);
  QuietFrame();
  EXPECT_FALSE(Shown(GameState.firePointDown));
  EXPECT_EQ(GameState.LaserHeat, 80.0);

  // A tap on the play field fires nothing with the touch controls.
  harness::PushTap(500, 400);
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 80.0);

  // Paused: the button still lights, but neither fires nor cools.
  harness::PushTap(kPauseX, kPauseY);
  QuietFrame();
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  harness::PushMouseDown(kFireX, kFireY);
  QuietFrame();
  EXPECT_TRUE(Shown(GameState.firePointDown));
  harness::PushMouseUp(kFireX, kFireY);
  QuietFrames(200);
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  EXPECT_EQ(BoltsLaunched(), 1);
}

TEST_F(LaserTest, AccelerometerFireAreaShootsOnPressBelowTheTopStrip) {
  WriteOptions("114");
  StartFreePlay();
  harness::PushMouseDown(500, 400);
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 80.0) << "the finger going down fires";
  harness::PushMouseUp(500, 400);
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 80.0) << "lifting it does not fire again";

  harness::PushTap(500, 47);
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 80.0) << "the top 48 px do not fire";
  harness::PushTap(500, 48);
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 160.0);
  EXPECT_EQ(BoltsLaunched(), 2);
}

TEST_F(LaserTest, TheFirstShotOfARoundLeavesFromTheNewRoundsShip) {
  StartFreePlay();
  // Steer the ship into a corner, then leave the round and start another.
  harness::PushMouseDown(kKnobX, kKnobY);
  harness::PushMouseMotion(kKnobX - 50, kKnobY - 50, 1);
  QuietFrames(60);
  harness::PushMouseUp(kKnobX - 50, kKnobY - 50);
  QuietFrame();
  ASSERT_LT(GameState.ShipX, 300);
  harness::PushTap(kBackX, kBackY);
  for (int i = 0; i < 10 && !(GameState.SceneState == SceneMainMenu && GameState.menuFade == 100); ++i) {
    harness::Frame();
  }
  TapFreePlay();
  // Fired before the round's first frame has moved the ship.
  harness::PushTap(kFireX, kFireY);
  PumpEvents();
  const BoltSlot& bolt = GameState.BoltPool.slots[GameState.BoltPool.next - 1];
  EXPECT_EQ(bolt.x, 472 + 38);
  EXPECT_EQ(bolt.y, 668);
}
