// The ship as a player steers it: speeds from the knob's pull and the handling level, the edges
// of its field and its banking pictures. (The tilt's steering values are the calibration
// panel's test; a tilt ignored in the knob layouts, the desktop controls' test.)
#include "support/harness.h"

using namespace harness;

class ShipTest : public GameTest {
 protected:
  // Holds the knob at this offset from its centre and returns the ship's step in the next frame.
  int StepFor(int dx, int dy = 0) {
    if (GameState.ControlDragging != 1) PushMouseDown(kKnob[0], kKnob[1]);
    PushMouseMotion(kKnob[0] + dx, kKnob[1] + dy);
    QuietFrame();
    const int before = GameState.ShipX;
    QuietFrame();
    return GameState.ShipX - before;
  }
};

TEST_F(ShipTest, KnobPullAndHandlingLevelGiveTheSpeedAndItStopsAtTheEdgesOfItsFieldBankingWhileMovingSideways) {
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
}
