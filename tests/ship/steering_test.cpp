// Steering the ship as a player does: drag the knob (or tilt the tablet) and watch the ship move,
// bank and stop at the edges of its field.
#include <SDL.h>

#include "core/game_state.h"
#include "input/events.h"
#include "platform/platform.h"
#include "input/controls.h"
#include "support/harness.h"
#include "world/round_play.h"

using namespace round_play;

namespace {

class SteeringTest : public RoundTest {
 protected:
  // Grabs the knob and drags it to (x, y), then plays one frame.
  void DragKnobTo(int x, int y) {
    if (GameState.ControlDragging != 1) harness::PushMouseDown(kKnobX, kKnobY);
    harness::PushMouseMotion(x, y, 1);
    QuietFrame();
  }
  // Pixels the ship moves per frame once the knob is held at (x, y).
  int StepFor(int x, int y) {
    DragKnobTo(x, y);
    const int before = GameState.ShipX;
    QuietFrame();
    return GameState.ShipX - before;
  }
};

}  // namespace

TEST_F(SteeringTest, KnobDeflectionGivesTheHandlingOneSpeeds) {
  StartFreePlay();
  ASSERT_EQ(GameState.handlingLevel, 1);
  // Tilting the tablet does nothing while a touch method is selected.
  PlatformPresentGamepadAsTilt(false);
  harness::PushJoyAxis(1, 12000);
  harness::PushJoyAxis(0, -12000);
  QuietFrame();
  EXPECT_EQ(GameState.SteerX, 0.0);
  EXPECT_EQ(GameState.SteerY, 0.0);
  EXPECT_EQ(GameState.ShipX, 472);
  EXPECT_EQ(GameState.ShipY, 658) << "the ship placed at y 668 is clamped on the first frame";

  // 74 px right: a steering value above 599 is not doubled.
  EXPECT_EQ(StepFor(kKnobX + 74, kKnobY), 9);
  EXPECT_EQ(GameState.ShipY, 658) << "a level knob does not move the ship vertically";
  // 74 px left: every negative value is doubled.
  EXPECT_EQ(StepFor(kKnobX - 74, kKnobY), -20);
  // 37 px right stays below 600 and is doubled; 38 px is just above and is not.
  EXPECT_EQ(StepFor(kKnobX + 37, kKnobY), 9);
  EXPECT_EQ(StepFor(kKnobX + 38, kKnobY), 5);
  EXPECT_EQ(GameState.ControlDragging, 1);
}

TEST_F(SteeringTest, ClampsAtTheFieldEdgesAndBanks) {
  StartFreePlay();
  const unsigned level = EntryTexture(GameState.shipImage);
  const unsigned left = EntryTexture(GameState.shipLeftImage);
  const unsigned right = EntryTexture(GameState.shipRightImage);
  ASSERT_NE(level, left);
  ASSERT_NE(level, right);

  DragKnobTo(kKnobX + 74, kKnobY);
  EXPECT_EQ(GameState.ShipBank, 0);
  EXPECT_EQ(Texture(GameState.shipView), right);
  for (int i = 0; i < 60 && GameState.ShipX < 944; ++i) QuietFrame();
  EXPECT_EQ(GameState.ShipX, 944);
  // Pushed against the right wall its x no longer changes: the level picture is back.
  QuietFrame();
  EXPECT_EQ(GameState.ShipX, 944);
  EXPECT_EQ(GameState.ShipBank, 2);
  EXPECT_EQ(Texture(GameState.shipView), level);
  EXPECT_EQ(V(GameState.shipView)->x, 944);

  DragKnobTo(kKnobX - 74, kKnobY);
  EXPECT_EQ(GameState.ShipBank, 1);
  EXPECT_EQ(Texture(GameState.shipView), left);
  for (int i = 0; i < 60 && GameState.ShipX > 0; ++i) QuietFrame();
  EXPECT_EQ(GameState.ShipX, 0);
  QuietFrame();
  EXPECT_EQ(GameState.ShipBank, 2);
  EXPECT_EQ(Texture(GameState.shipView), level);

  // Straight up: the ship keeps the level picture.
  DragKnobTo(kKnobX, kKnobY - 74);
  for (int i = 0; i < 60 && GameState.ShipY > 50; ++i) QuietFrame();
  EXPECT_EQ(GameState.ShipY, 50);
  EXPECT_EQ(GameState.ShipX, 0);
  EXPECT_EQ(Texture(GameState.shipView), level);
  QuietFrame();
  EXPECT_EQ(GameState.ShipY, 50);

  // Down: the knob near the bottom edge is taken as y 737, and the ship stops at y 658.
  DragKnobTo(kKnobX, kKnobY + 60);
  for (int i = 0; i < 200 && GameState.ShipY < 658; ++i) QuietFrame();
  EXPECT_EQ(GameState.ShipY, 658);
  QuietFrame();
  EXPECT_EQ(GameState.ShipY, 658);
}

TEST_F(SteeringTest, KnobBeyondItsReachKeepsItsPlaceAndLiftingNearbyStops) {
  StartFreePlay();
  DragKnobTo(kKnobX + 30, kKnobY + 10);
  EXPECT_EQ(V(GameState.controlPoint)->x, kKnobX + 30 - 32);
  EXPECT_EQ(V(GameState.controlPoint)->y, kKnobY + 10 - 32);
  const double steerX = GameState.SteerX, steerY = GameState.SteerY;
  EXPECT_GT(steerX, 0.0);

  // 80 px from the centre: neither the knob nor the steering follows.
  harness::PushMouseMotion(kKnobX + 80, kKnobY, 1);
  QuietFrame();
  EXPECT_EQ(V(GameState.controlPoint)->x, kKnobX + 30 - 32);
  EXPECT_EQ(GameState.SteerX, steerX);
  EXPECT_EQ(GameState.SteerY, steerY);

  // Lifting 80 px away (within 199) returns the knob home and the ship stops.
  harness::PushMouseUp(kKnobX + 80, kKnobY);
  QuietFrame();
  EXPECT_EQ(V(GameState.controlPoint)->x, 914);
  EXPECT_EQ(V(GameState.controlPoint)->y, 661);
  EXPECT_EQ(GameState.ControlDragging, 0);
  EXPECT_EQ(GameState.SteerX, 0.0);
  EXPECT_EQ(GameState.SteerY, 0.0);
  const int x = GameState.ShipX, y = GameState.ShipY;
  QuietFrames(3);
  EXPECT_EQ(GameState.ShipX, x);
  EXPECT_EQ(GameState.ShipY, y);

  // The mouse is one finger: the button released far from the knob after dragging it still lets
  // go, and the ship stops where it is.
  DragKnobTo(kKnobX - 50, kKnobY);
  QuietFrame();
  harness::PushMouseUp(kKnobX - 250, kKnobY - 300);
  QuietFrame();
  EXPECT_EQ(GameState.ControlDragging, 0);
  EXPECT_EQ(V(GameState.controlPoint)->x, 914);
  const int stopped = GameState.ShipX;
  QuietFrames(2);
  EXPECT_EQ(GameState.ShipX, stopped);

  // Where there are several fingers, another finger lifting far away leaves the steering thumb
  // alone; one lifting near the knob stops it.
  DragKnobTo(kKnobX - 50, kKnobY);
  ControlZoneRelease(kKnobX - 250, kKnobY - 300);
  EXPECT_EQ(GameState.ControlDragging, 1);
  EXPECT_NE(GameState.SteerX, 0.0);
  ControlZoneRelease(kKnobX - 150, kKnobY);
  EXPECT_EQ(GameState.ControlDragging, 0);
  EXPECT_EQ(GameState.SteerX, 0.0);

  // A pull that was never let go does not steer the next round once the knob is no longer held.
  DragKnobTo(kKnobX - 50, kKnobY);
  GameState.ControlDragging = 0;
  harness::PushTap(kBackX, kBackY);
  for (int i = 0; i < 10 && !(GameState.SceneState == SceneMainMenu && GameState.menuFade == 100); ++i) {
    harness::Frame();
  }
  TapFreePlay();
  EXPECT_EQ(GameState.SteerX, 0.0);
  EXPECT_EQ(GameState.SteerY, 0.0);
}

TEST_F(SteeringTest, LeftHandLayoutClampsTheKnobAtItsEdges) {
  WriteOptions("111");
  StartFreePlay();
  ASSERT_EQ(GameState.controlMethod, ControlLeftHand);
  EXPECT_EQ(V(GameState.controlPoint)->x, 65);
  EXPECT_EQ(V(GameState.controlPoint)->y, 661);
  EXPECT_EQ(V(GameState.firePoint)->x, 914);
  EXPECT_EQ(V(GameState.controlZone)->x, 24);

  harness::PushMouseDown(97, 693);
  harness::PushMouseMotion(30, 693, 1);  // 67 px left: x below 33 is taken as 33
  QuietFrame();
  EXPECT_EQ(V(GameState.controlPoint)->x, 1);
  EXPECT_DOUBLE_EQ(GameState.SteerX, ((97 - 33) * -32768 / 75) / 32768.0 * 1200);

  harness::PushMouseMotion(97, 740, 1);  // below 736 the knob is placed for y 737
  QuietFrame();
  EXPECT_EQ(V(GameState.controlPoint)->y, 737 - 32);
  EXPECT_DOUBLE_EQ(GameState.SteerY, ((693 - 737) * -32768 / 75) / 32768.0 * 1200);
  harness::PushMouseMotion(97, 736, 1);  // 736 itself stands
  QuietFrame();
  EXPECT_EQ(V(GameState.controlPoint)->y, 736 - 32);

  harness::PushMouseUp(97, 736);
  QuietFrame();
  EXPECT_EQ(V(GameState.controlPoint)->x, 65);
  EXPECT_EQ(V(GameState.controlPoint)->y, 661);
}

TEST_F(SteeringTest, MotionOutsidePlayOrUnderTheMessageBoxDoesNothing) {
  StartFreePlay();
  DragKnobTo(kKnobX + 20, kKnobY);
  const double steer = GameState.SteerX;

  // The other thumb taps pause while this one holds the knob.
  DispatchTouch(kPauseX, kPauseY, 3);
  QuietFrame();
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  harness::PushMouseMotion(kKnobX - 50, kKnobY - 20, 1);
  QuietFrame();
  EXPECT_EQ(GameState.SteerX, steer);
  EXPECT_EQ(V(GameState.controlPoint)->x, kKnobX + 20 - 32);
  DispatchTouch(kPauseX, kPauseY, 3);
  QuietFrame();
  ASSERT_EQ(GameState.SceneState, ScenePlaying);

  // Destroy the ship and wait for the round's closing message, still holding the knob.
  GameState.Shield = 0;
  GameState.Structure = 1;
  PlaceHazard(GameState.Asteroids.slots[0], GameState.ShipX + 20, GameState.ShipY + 20, 40, 0);
  harness::Frame();
  ASSERT_EQ(GameState.SceneState, SceneGameOver);
  for (int i = 0; i < 30 && GameState.SceneState != SceneMessageBox; ++i) harness::Frame();
  ASSERT_EQ(GameState.MessageBox.open, 1);
  ASSERT_EQ(GameState.ControlDragging, 1);
  harness::PushMouseMotion(kKnobX - 50, kKnobY - 20, 1);
  harness::Frame();
  EXPECT_EQ(GameState.SteerX, steer);
  EXPECT_EQ(V(GameState.controlPoint)->x, kKnobX + 20 - 32);
}

TEST_F(SteeringTest, AccelerometerMethodRemapsTheAxesAndLimitsThem) {
  WriteOptions("114");
  StartFreePlay();
  ASSERT_EQ(GameState.controlMethod, ControlAccelerometer);
  PlatformPresentGamepadAsTilt(false);  // the tablet's own sensor readings
  EXPECT_FALSE(Shown(GameState.controlPoint)) << "no touch controls with the accelerometer";
  EXPECT_FALSE(Shown(GameState.firePoint));
  QuietFrame();
  ASSERT_EQ(GameState.ShipY, 658);

  // SDL axis 0 is the tablet's vertical, negated; axis 1 the horizontal.
  harness::PushJoyAxis(0, 8000);
  harness::PushJoyAxis(1, 20000);
  QuietFrame();
  EXPECT_DOUBLE_EQ(GameState.SteerY, -600.0);
  EXPECT_DOUBLE_EQ(GameState.SteerX, 1200.0) << "beyond 16000 the value is held at full scale";
  EXPECT_EQ(GameState.ShipX, 482) << "1200 / 120 = 10 px per frame";
  EXPECT_EQ(GameState.ShipY, 648) << "-600 is doubled: 10 px up";

  // -32768 widened before negating: +32768, held at 16000.
  harness::PushJoyAxis(0, -32768);
  harness::PushJoyAxis(1, -16001);
  QuietFrame();
  EXPECT_DOUBLE_EQ(GameState.SteerY, 1200.0);
  EXPECT_DOUBLE_EQ(GameState.SteerX, -1200.0);
  EXPECT_EQ(GameState.ShipX, 462);
}
