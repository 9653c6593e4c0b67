// Start-up as the player sees it: the window, the loading screen's growing bar over 41 frames,
// the hand-over to the menu, and quitting.
#include <SDL.h>

#include <vector>

#include "app/app.h"
#include "support/harness.h"

using namespace harness;

class LoadingTest : public GameTest {};

TEST_F(LoadingTest, LoadingRunsFortyOneFramesBehindAGrowingBar) {
  const std::string out = Printed(harness::Boot);
  char* title = nullptr;
  char* icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  EXPECT_STREQ(title, "Vel Mora");
  EXPECT_EQ(SDL_GetVideoSurface()->w, 1024);
  EXPECT_EQ(SDL_GetVideoSurface()->h, 768);
  if (SDL_NumJoysticks() == 0) {
    EXPECT_EQ(out, "Could not find joystick!\n");
  }
  EXPECT_EQ(GameState.AccelSensitivity, 1200) << "the knob must steer even without a joystick";

  CaptureFrames(true);
  std::vector<int> widths;
  while (GameState.LoadPhase != 1) {
    Frame();
    widths.push_back(DrawnWidth(GameState.loadingBar));
    if (widths.size() == 1) {
      EXPECT_NE(FramePixel(364 + 8, 755), 0u) << "the first frame shows a 17-pixel bar";
    }
    ASSERT_LE(widths.size(), 41u);
  }
  CaptureFrames(false);
  EXPECT_EQ(widths.size(), 41u);
  EXPECT_EQ(std::vector<int>(widths.begin(), widths.begin() + 8), (std::vector<int>{17, 17, 35, 35, 52, 52, 70, 70}));
  EXPECT_EQ(widths[31], 280);
  EXPECT_EQ(widths[32], 298) << "the bar reaches 298 px after step 32 and grows no more";
  EXPECT_EQ(widths[39], 298);
  // The fade-in scene already runs on the frame that hands over to it; the loading screen is gone.
  EXPECT_EQ(GameState.SceneState, SceneFadeIn);
  EXPECT_EQ(GameState.menuFade, 90);
  for (ViewId gone : {GameState.loadingBackground, GameState.loadingBar, GameState.loadingBarFrame}) {
    EXPECT_FALSE(Shown(gone));
  }
  // Quitting ends the main loop.
  PushQuit();
  RunMainLoop();
  EXPECT_EQ(running, 0);
}
