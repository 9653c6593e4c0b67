// The laser as the player meets it: shots heat it, it overheats and refuses, it cools in steps,
// and the fire button and the accelerometer's fire area pull the trigger.
#include "input/events.h"
#include "support/harness.h"

using namespace harness;

class LaserTest : public GameTest {
 protected:
  // Taps the fire button (the shot goes off as the finger is lifted) and plays the frame.
  void TapFire() {
    PushTap(kFire[0], kFire[1]);
    QuietFrame();
  }
  bool Overheated() { return Shown(GameState.overheatBackground) && !Shown(GameState.noHeatBackground); }
  bool Ready() { return Shown(GameState.noHeatBackground) && !Shown(GameState.overheatBackground); }
  // Bolts launched so far: the ring's next slot, counted from a cleared pool.
  int Bolts() { return GameState.BoltPool.next; }
};

TEST_F(LaserTest, WeaponsOneHeatsOverheatsAndCoolsBackInTwentyOneSteps) {
  StartFreePlay();
  QuietFrame();
  EXPECT_TRUE(Ready());
  const size_t sounds = recorded().plays.size();
  for (double heat : {80.0, 160.0, 240.0}) {
    TapFire();
    EXPECT_EQ(GameState.LaserHeat, heat);
    EXPECT_EQ(DrawnWidth(GameState.laserBar), static_cast<int>(heat));
    EXPECT_TRUE(Ready());
  }
  TapFire();  // 240 + 0.6 x 80 <= 310: allowed, capped at 310
  EXPECT_EQ(GameState.LaserHeat, 310.0);
  EXPECT_TRUE(Overheated());
  TapFire();  // refused
  EXPECT_EQ(GameState.LaserHeat, 310.0);
  EXPECT_EQ(Bolts(), 4);
  EXPECT_EQ(Plays(kLaserSound, sounds), 4);
  // A cooling step of 35 / 15 falls on every 80th frame of the round; 20 are not yet enough.
  QuietFrames(1600 - GameState.RoundFrame);
  EXPECT_NEAR(GameState.LaserHeat, 310 - 20 * 35 / 15.0, 1e-9);
  TapFire();
  EXPECT_EQ(Bolts(), 4) << "still refused after 20 steps";
  QuietFrames(1679 - GameState.RoundFrame);
  EXPECT_NEAR(GameState.LaserHeat, 310 - 20 * 35 / 15.0, 1e-9) << "no step between the 80th frames";
  EXPECT_TRUE(Overheated());
  QuietFrame();
  EXPECT_NEAR(GameState.LaserHeat, 261.0, 1e-9);
  EXPECT_EQ(DrawnWidth(GameState.laserBar), 261);
  EXPECT_TRUE(Ready()) << "the display returns to ready on the step that makes a shot possible";
  // A shot that lands exactly on 310 with its 0.6 share is still allowed.
  GameState.LaserHeat = 262.0;
  TapFire();
  EXPECT_EQ(Bolts(), 5);
  EXPECT_EQ(GameState.LaserHeat, 310.0);
}

TEST_F(LaserTest, FireButtonShootsOnReleaseOnlyAndOnlyWhilePlayingAndUpgradesAndProtectMissionsChangeTheHeatPerShot) {
  StartFreePlay();
  PushMouseDown(kFire[0], kFire[1]);
  QuietFrames(3);
  EXPECT_TRUE(Shown(GameState.firePointDown));
  EXPECT_EQ(GameState.LaserHeat, 0.0) << "holding fires nothing";
  PushMouseUp(kFire[0], kFire[1]);
  QuietFrame();
  EXPECT_FALSE(Shown(GameState.firePointDown));
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  // Pressed, slid off and lifted elsewhere: nothing, and the pressed picture goes.
  PushMouseDown(kFire[0], kFire[1]);
  PushMouseUp(300, 400);
  // A tap on the play field fires nothing with the touch controls.
  PushTap(500, 400);
  QuietFrame();
  EXPECT_FALSE(Shown(GameState.firePointDown));
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  // Paused: the button still lights, but neither fires nor cools.
  Tap(kPause);
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  PushMouseDown(kFire[0], kFire[1]);
  QuietFrame();
  EXPECT_TRUE(Shown(GameState.firePointDown));
  PushMouseUp(kFire[0], kFire[1]);
  QuietFrames(200);
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  EXPECT_EQ(Bolts(), 1);
  // The first shot of the next round leaves from that round's ship, before its first frame.
  Tap(kPause);
  Tap(kGameBack, 2);
  Tap(kFreePlay, 3);
  PushTap(kFire[0], kFire[1]);
  PumpEvents();
  const BoltSlot& bolt = GameState.BoltPool.slots[Bolts() - 1];
  EXPECT_EQ(bolt.x, 472 + 38);
  EXPECT_EQ(bolt.y, 668);

  // Weapons level 2 in a protect mission's round.
  Tap(kGameBack, 2);
  GameState.weaponsLevel = 2;
  // The last briefed mission stays in the record; only a campaign round of it halves the heat.
  GameState.currentMission.type = MissionProtect;
  Tap(kFreePlay, 3);
  EXPECT_EQ(GameState.HeatPerShot, 60);
  EXPECT_EQ(GameState.CoolInterval, 60);
  for (int shot = 1; shot <= 5; ++shot) {
    TapFire();
    EXPECT_TRUE(Ready()) << "shot " << shot;
  }
  EXPECT_EQ(GameState.LaserHeat, 300.0);
  TapFire();
  EXPECT_TRUE(Overheated());
  EXPECT_EQ(Bolts(), 2 + 5) << "after the two bolts of the rounds before";
  // From weapons level 4 one pull fires three beams for one shot's heat and one sound: left wing,
  // nose, right wing, each moved up 12 px by the frame's bolt step.
  Tap(kGameBack, 2);
  GameState.weaponsLevel = 4;
  Tap(kFreePlay, 3);
  QuietFrame();
  const int x = GameState.ShipX, y = GameState.ShipY, bolts = Bolts();
  const size_t sounds = recorded().plays.size();
  TapFire();
  EXPECT_EQ(GameState.LaserHeat, 40.0);
  EXPECT_EQ(Plays(kLaserSound, sounds), 1);
  ASSERT_EQ(Bolts(), bolts + 3);
  const BoltSlot* b = &GameState.BoltPool.slots[bolts];
  EXPECT_TRUE(b[0].x == x + 2 && b[0].y == y + 33 - 12 && Shown(b[0].view));
  EXPECT_TRUE(b[1].x == x + 38 && b[1].y == y - 12 && Shown(b[1].view));
  EXPECT_TRUE(b[2].x == x + 77 && b[2].y == y + 33 - 12 && Shown(b[2].view));
}

TEST_F(LaserTest, AccelerometerFireAreaShootsOnPressBelowTheTopStrip) {
  WriteFile(kOptions, "114");
  StartFreePlay();
  EXPECT_FALSE(Shown(GameState.controlPoint) || Shown(GameState.firePoint)) << "no touch controls with the tilt";
  PushMouseDown(500, 400);
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 80.0) << "the finger going down fires";
  PushMouseUp(500, 400);
  PushTap(500, 47);  // the top 48 px do not fire
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  PushTap(500, 48);
  QuietFrame();
  EXPECT_EQ(GameState.LaserHeat, 160.0);
}
