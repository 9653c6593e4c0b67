// The steering knob and the ship it steers: speeds from the knob's pull and the handling level,
// the edges of the ship's field and its banking pictures; the knob follows the finger within its
// reach, goes home when a finger lifts near it, keeps to the screen in the left-hand layout, and
// ignores motion outside play. (The tilt's steering values are the calibration panel's test; a
// tilt ignored in the knob layouts, the desktop controls' test.)
#include <string>

#include "input/controls.h"
#include "support/harness.h"

using namespace harness;

class ControlsTest : public GameTest {
 protected:
  void DragKnobTo(int x, int y) {
    if (GameState.ControlDragging != 1) PushMouseDown(kKnob[0], kKnob[1]);
    PushMouseMotion(x, y);
    QuietFrame();
  }
  // Holds the knob at this offset from its centre and returns the ship's step in the next frame.
  int StepFor(int dx, int dy = 0) {
    DragKnobTo(kKnob[0] + dx, kKnob[1] + dy);
    const int before = GameState.ShipX;
    QuietFrame();
    return GameState.ShipX - before;
  }
  int KnobX() { return ViewGetX(GameState.controlPoint); }
  // The point the knob marks, the steering values (truncated) and whether the knob is held.
  std::string Knob() {
    return "knob at " + std::to_string(KnobX() + 32) + "," + std::to_string(ViewGetY(GameState.controlPoint) + 32) +
           ", steering " + std::to_string(int(GameState.SteerX)) + "," + std::to_string(int(GameState.SteerY)) +
           (GameState.ControlDragging == 1 ? ", held" : ", let go");
  }
};

TEST_F(ControlsTest, KnobPullAndHandlingGiveTheShipsSpeedUpToItsEdgesAndTheKnobKeepsToItsReachAndToPlay) {
  StartFreePlay();
  QuietFrame();
  EXPECT_EQ(GameState.ShipX, 472);
  EXPECT_EQ(GameState.ShipY, 658) << "the ship placed at y 668 is clamped on the first frame";
  // Steering values up to 599, and every negative one, are doubled: 74 px right is not (9 px a
  // frame), 74 px left is (20), 37 px right is (9), 38 px right is not (5).
  EXPECT_EQ(StepFor(74), 9);
  EXPECT_EQ(GameState.ShipY, 658) << "a level knob does not move the ship vertically";
  EXPECT_EQ(StepFor(-74), -20);
  EXPECT_EQ(StepFor(37), 9);
  EXPECT_EQ(StepFor(38), 5);
  const int perLevel[6] = {9, 11, 14, 19, 23, 29};
  for (int level = 1; level <= 6; ++level) {
    GameState.handlingLevel = level;
    GameState.ShipX = 100;
    ViewSetxy(GameState.shipView, 100, 658);
    EXPECT_EQ(StepFor(74), perLevel[level - 1]) << "handling " << level;
  }

  // At the edges of its field it stops; it banks only while it moves sideways.
  const auto wears = [](ImageId image) { return Shows(GameState.shipView, image); };
  StepFor(74);
  EXPECT_TRUE(wears(GameState.shipRightImage));
  QuietFrames(60);
  EXPECT_EQ(GameState.ShipX, 944);
  EXPECT_TRUE(wears(GameState.shipImage)) << "pushed against the wall it no longer moves, so it flies level";
  StepFor(-74);
  EXPECT_TRUE(wears(GameState.shipLeftImage));
  QuietFrames(60);
  EXPECT_EQ(GameState.ShipX, 0);
  EXPECT_TRUE(wears(GameState.shipImage));
  StepFor(0, -74);
  QuietFrames(60);
  EXPECT_EQ(GameState.ShipY, 50);
  EXPECT_TRUE(wears(GameState.shipImage)) << "vertical motion never banks";
  // Down: a touch near the bottom edge is taken as y 737, and the ship stops at y 658.
  StepFor(0, 60);
  QuietFrames(200);
  EXPECT_EQ(GameState.ShipY, 658);
  EXPECT_EQ(ViewGetY(GameState.shipView), 658);

  // The knob follows the finger within its reach.
  DragKnobTo(kKnob[0] + 30, kKnob[1] + 10);
  EXPECT_EQ(Knob(), "knob at 976,703, steering 479,159, held");
  // 75 px from the centre is out of reach: neither the knob nor the steering follows.
  PushMouseMotion(kKnob[0] + 45, kKnob[1] + 60);
  QuietFrame();
  EXPECT_EQ(Knob(), "knob at 976,703, steering 479,159, held");
  // Lifting within 199 px of the centre sends the knob home and stops the ship.
  PushMouseUp(kKnob[0] + 199, kKnob[1]);
  QuietFrame();
  EXPECT_EQ(Knob(), "knob at 946,693, steering 0,0, let go");
  const int x = GameState.ShipX;
  QuietFrames(3);
  EXPECT_EQ(GameState.ShipX, x);
  // The mouse is one finger: its button released far away still lets the knob go.
  DragKnobTo(kKnob[0] - 50, kKnob[1]);
  PushMouseUp(kKnob[0] - 250, kKnob[1] - 300);
  QuietFrame();
  EXPECT_EQ(Knob(), "knob at 946,693, steering 0,0, let go");
  // With several fingers, another finger lifting far away leaves the steering thumb alone.
  DragKnobTo(kKnob[0] - 50, kKnob[1]);
  ControlZoneRelease(kKnob[0] - 250, kKnob[1] - 300);
  EXPECT_EQ(Knob(), "knob at 896,693, steering -799,0, held");
  ControlZoneRelease(kKnob[0] - 150, kKnob[1]);
  EXPECT_EQ(Knob(), "knob at 946,693, steering 0,0, let go");
  // A pull that was never let go does not steer the next round once the knob is no longer held.
  DragKnobTo(kKnob[0] - 50, kKnob[1]);
  GameState.ControlDragging = 0;
  Tap(kGameBack, 2);
  Tap(kFreePlay, 3);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_EQ(Knob(), "knob at 946,693, steering 0,0, let go");

  // Motion while paused or under the closing message box does nothing.
  Tap(kPause);
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  DragKnobTo(kKnob[0] + 20, kKnob[1]);
  EXPECT_EQ(GameState.ControlDragging, 1);
  EXPECT_EQ(GameState.SteerX, 0.0);
  EXPECT_EQ(KnobX(), 914);
  Tap(kPause);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  DragKnobTo(kKnob[0] + 20, kKnob[1]);
  const double steer = GameState.SteerX;
  // The ship is lost and the closing message opens, the knob still held.
  LoseShipNextFrame();
  Frames(28);
  ASSERT_EQ(GameState.SceneState, SceneMessageBox);
  PushMouseMotion(kKnob[0] - 50, kKnob[1] - 20);
  Frame();
  EXPECT_EQ(GameState.SteerX, steer);
  EXPECT_EQ(KnobX(), kKnob[0] + 20 - 32);
}

TEST_F(ControlsTest, LeftHandLayoutMirrorsTheControlsAndKeepsTheKnobOnScreen) {
  WriteFile(kOptions, "111");
  StartFreePlay();
  EXPECT_EQ(KnobX(), 65);
  EXPECT_EQ(ViewGetX(GameState.firePoint), 914);
  EXPECT_EQ(ViewGetX(GameState.controlZone), 24);
  PushMouseDown(97, 693);
  PushMouseMotion(30, 693);  // x below 33 is taken as 33
  QuietFrame();
  EXPECT_EQ(KnobX(), 1);
  EXPECT_EQ(GameState.SteerX, ((97 - 33) * -32768 / 75) / 32768.0 * 1200);
  PushMouseMotion(97, 740);  // y below 736 is taken as 737
  QuietFrame();
  EXPECT_EQ(ViewGetY(GameState.controlPoint), 737 - 32);
  EXPECT_EQ(GameState.SteerY, ((693 - 737) * -32768 / 75) / 32768.0 * 1200);
  PushMouseMotion(97, 736);  // 736 itself stands
  QuietFrame();
  EXPECT_EQ(ViewGetY(GameState.controlPoint), 736 - 32);
  PushMouseUp(97, 736);
  QuietFrame();
  EXPECT_EQ(KnobX(), 65);
}
