// Frame composition, read back from the screen: views drawn in id order over black, only when
// visible and on screen by their own rules, pictures stretched to their drawn size, and the
// batched drawing pixel for pixel the same as the plain one.
#include "views/frame.h"
#include "render/draw.h"
#include "support/harness.h"

using harness::FramePixel;

class FrameTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    harness::Boot();
    harness::CaptureFrames(true);
    // Start from an empty table so only the views of each case are drawn.
    for (int i = 0; i < GameState.ViewTable.count; ++i) GameState.ViewTable.entries[i]->visible = 0;
  }
  // The loading bar picture, an opaque strip, stretched to a 40 x 40 block with a 40 x 40 box.
  ViewId Block(int x, int y) {
    const ViewId id = ViewAdd("Images/pb.png", x, y);
    ViewSetImageSize(id, 40, 40);
    ViewAt(id)->width = ViewAt(id)->height = 40;
    return id;
  }
  static bool Lit(int x, int y) { return FramePixel(x, y) != 0; }
};

TEST_F(FrameTest, ViewsAreDrawnInIdOrderOverBlackWhenVisibleAndOnScreen) {
  DrawViews();
  for (int y = 0; y < kScreenHeight; y += 37) {
    for (int x = 0; x < kScreenWidth; x += 41) ASSERT_FALSE(Lit(x, y)) << x << "," << y;
  }
  const ViewId a = Block(200, 200);
  // Off the left edge nothing is drawn, past the right edge it is clipped; above, a view counts
  // by its own 40-high box, whatever its picture's height.
  const ViewId left = Block(-1, 100), top = Block(100, -40);
  Block(1000, 300);
  ViewSetImageSize(top, 40, 45);
  ViewSetImageSize(ViewAdd("Images/pb.png", 364, 752), 1, 8);  // squeezed, not cut
  DrawViews();
  for (int y = 752; y < 760; ++y) EXPECT_TRUE(Lit(364, y)) << y;
  EXPECT_FALSE(Lit(365, 755) || Lit(364, 760));
  const uint32_t colour = FramePixel(210, 210);
  EXPECT_NE(colour, 0u);
  EXPECT_FALSE(Lit(10, 120)) << "a view starting at x -1 is not drawn at all";
  EXPECT_TRUE(Lit(1010, 320)) << "a view running past the right edge is drawn";
  EXPECT_TRUE(Lit(110, 2)) << "at y -40 a 40-high view is drawn";
  ViewSetxy(left, 0, 100);
  ViewSetxy(top, 100, -41);
  ViewSetVisible(a, 2);
  DrawViews();
  EXPECT_TRUE(Lit(10, 120));
  EXPECT_FALSE(Lit(110, 2)) << "at y -41 it is not";
  EXPECT_FALSE(Lit(210, 210)) << "only visibility 1 is drawn";
  // Later views lie on top.
  ViewSetVisible(a, 1);
  ViewAdd("Images/loadingBG.png", 0, 0);  // opaque, and unlike the bar
  Block(500, 500);
  DrawViews();
  EXPECT_EQ(FramePixel(510, 510), colour);
  EXPECT_NE(FramePixel(210, 210), colour) << "the background created later covers the first block";
}

TEST_F(FrameTest, BatchingAndTheCoveredClearChangeNoPixel) {
  harness::FinishLoading();
  harness::Frames(2);
  auto compare = [](const char* what) {
    SetDrawShortcuts(false, false);
    DrawViews();
    const std::vector<uint8_t> plain = harness::lastFrame();
    SetDrawShortcuts(true, true);
    DrawViews();
    EXPECT_TRUE(plain == harness::lastFrame()) << what << ": the frames differ";
  };
  compare("main menu");
  harness::Tap(harness::kFreePlay, 6);
  for (int frame = 0; frame < 400; ++frame) {
    GameState.Structure = 1000;
    driver::PushScriptedPlay(frame);
    harness::Frame();
  }
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  compare("busy round");
}
