#include <SDL.h>

#include "core/game_state.h"
#include "render/draw.h"
#include "views/frame.h"
#include "render/image.h"
#include "support/harness.h"
#include "views/views.h"

// The loading bar picture is a small opaque strip: stretched to a 40-high block it makes a view
// whose drawing is easy to see in the frame read back.
class DrawTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    harness::Boot();
    harness::CaptureFrames(true);
    // Start from an empty table so only the views of each case are drawn.
    for (int i = 0; i < GameState.ViewTable.count; ++i) GameState.ViewTable.entries[i]->visible = 0;
  }

  ViewId Block(int x, int y) {
    const ViewId id = ViewAdd("Images/pb.png", x, y);
    ViewSetImageSize(id, 40, 40);
    View* view = ViewAt(id);
    view->width = 40;
    view->height = 40;
    return id;
  }

  static bool Lit(int x, int y) { return harness::FramePixel(x, y) != 0; }
};

TEST_F(DrawTest, EmptyFrameIsBlack) {
  DrawViews();
  for (int y = 0; y < kScreenHeight; y += 37)
    for (int x = 0; x < kScreenWidth; x += 41) ASSERT_EQ(harness::FramePixel(x, y), 0u) << x << "," << y;
}

TEST_F(DrawTest, HorizontalCutOffsTestOnlyTheLeftEdge) {
  const ViewId left = Block(-1, 100);
  const ViewId right = Block(1000, 300);
  DrawViews();
  EXPECT_FALSE(Lit(10, 120)) << "a view starting at x -1 is not drawn at all";
  EXPECT_TRUE(Lit(1010, 320)) << "a view running past the right edge is drawn and clipped";
  ViewSetxy(left, 0, 100);
  ViewSetxy(right, 1024, 300);
  DrawViews();
  EXPECT_TRUE(Lit(10, 120));
  EXPECT_FALSE(Lit(1023, 320));  // at x 1024 it is drawn, but wholly off-screen
}

TEST_F(DrawTest, VerticalCutOffsUseTheViewsOwnHeight) {
  // A 40-high touch box whose picture is stretched to 45 rows: when drawn at y -40 its last rows
  // show at the top of the screen.
  const ViewId top = Block(100, -40);
  ViewSetImageSize(top, 40, 45);
  DrawViews();
  EXPECT_TRUE(Lit(110, 2)) << "at y -40 a 40-high view is drawn";
  ViewSetxy(top, 100, -41);
  DrawViews();
  EXPECT_FALSE(Lit(110, 2)) << "at y -41 it is not";
  ViewSetVisible(top, 0);

  // Below the screen nothing shows either way: count the draw calls instead.
  const ViewId low = Block(300, 770);
  const int before = harness::recorded().drawCalls;
  DrawViews();
  const int at770 = harness::recorded().drawCalls - before;
  ViewSetxy(low, 300, 771);
  DrawViews();
  const int at771 = harness::recorded().drawCalls - before - at770;
  EXPECT_EQ(at770, 2);  // the black fill and the view
  EXPECT_EQ(at771, 1);  // the black fill only
}

TEST_F(DrawTest, OnlyVisibilityOneIsDrawnAndLaterViewsLieOnTop) {
  const ViewId a = Block(200, 200);
  DrawViews();
  const uint32_t colour = harness::FramePixel(210, 210);
  EXPECT_NE(colour, 0u);
  ViewSetVisible(a, 2);
  DrawViews();
  EXPECT_EQ(harness::FramePixel(210, 210), 0u);

  // The loading background is opaque and differs from the bar: the later view wins.
  ViewSetVisible(a, 1);
  const ViewId background = ViewAdd("Images/loadingBG.png", 0, 0);
  (void)background;
  const ViewId over = Block(500, 500);
  DrawViews();
  EXPECT_EQ(harness::FramePixel(510, 510), colour);
  EXPECT_NE(harness::FramePixel(210, 210), colour) << "the background created later covers the first block";
  (void)over;
}

TEST_F(DrawTest, StretchedPictureShowsTheWholeTextureSqueezed) {
  const ViewId bar = ViewAdd("Images/pb.png", 364, 752);
  ViewSetImageSize(bar, 1, 8);
  DrawViews();
  for (int y = 752; y < 760; ++y) EXPECT_NE(harness::FramePixel(364, y), 0u) << y;
  EXPECT_EQ(harness::FramePixel(365, 755), 0u);
  EXPECT_EQ(harness::FramePixel(364, 760), 0u);
}

TEST(FlipY, ConvertsScreenToGlRows) {
  EXPECT_EQ(FlipY(0), 768);
  EXPECT_EQ(FlipY(768), 0);
  EXPECT_EQ(FlipY(-40), 808);
}

TEST_F(GameTest, BatchingAndTheCoveredClearChangeNoPixel) {
  harness::Boot();
  harness::FinishLoading();
  harness::Frames(2);
  auto compare = [](const char* what) {
    harness::CaptureFrames(true);
    SetDrawShortcuts(false, false);
    const int before = harness::recorded().drawCalls;
    DrawViews();
    const int plainCalls = harness::recorded().drawCalls - before;
    const std::vector<uint8_t> plain = harness::lastFrame();
    SetDrawShortcuts(true, true);
    DrawViews();
    const int shortCalls = harness::recorded().drawCalls - before - plainCalls;
    harness::CaptureFrames(false);
    ASSERT_EQ(plain.size(), harness::lastFrame().size());
    EXPECT_TRUE(plain == harness::lastFrame()) << what << ": the frames differ";
    EXPECT_LT(shortCalls, plainCalls) << what;
  };
  compare("main menu");
  harness::PushTap(512, 375);  // free play
  harness::Frames(6);
  for (int frame = 0; frame < 400; ++frame) {
    GameState.Structure = 1000;
    driver::PushScriptedPlay(frame);
    harness::Frame();
  }
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  compare("busy round");
}
