#include <SDL.h>

#include <vector>

#include "app/app.h"
#include "core/game_state.h"
#include "app/loading.h"
#include "render/image.h"
#include "support/harness.h"
#include "views/views.h"

namespace {
int BarWidth() { return ViewAt(GameState.loadingBar)->image->width; }
}  // namespace

TEST_F(GameTest, LoadingRunsFortyOneFramesBehindAGrowingBar) {
  harness::Boot();
  harness::CaptureFrames(true);
  EXPECT_EQ(GameState.SceneState, SceneLoading);
  EXPECT_EQ(GameState.LoadPhase, -1);
  EXPECT_EQ(BarWidth(), 1);

  std::vector<int> widths;
  int frames = 0;
  while (GameState.LoadPhase != 1) {
    harness::Frame();
    ++frames;
    widths.push_back(BarWidth());
    if (frames == 1) {
      // The first frame already shows the background, the frame and a 17-pixel bar.
      EXPECT_NE(harness::FramePixel(364 + 8, 755), 0u);
      EXPECT_EQ(ViewAt(GameState.loadingBackground)->visible, 1);
    }
    ASSERT_LE(frames, 41);
  }
  EXPECT_EQ(frames, 41);
  const std::vector<int> expectedStart = {17, 17, 35, 35, 52, 52, 70, 70};
  EXPECT_EQ(std::vector<int>(widths.begin(), widths.begin() + 8), expectedStart);
  EXPECT_EQ(widths[32], 298) << "the bar reaches 298 px after step 32";
  for (int w : widths) EXPECT_LE(w, 298);
  EXPECT_EQ(widths[39], 298);
  // Step 40 finishes loading and leaves the bar as it was; the loading screen is hidden.
  EXPECT_EQ(GameState.LoadStepCounter, 41);
  // The fade-in scene already runs on the frame that hands over to it.
  EXPECT_EQ(GameState.SceneState, SceneFadeIn);
  EXPECT_EQ(GameState.menuFade, 90);
  EXPECT_EQ(ViewAt(GameState.loadingBackground)->visible, 0);
  EXPECT_EQ(ViewAt(GameState.loadingBar)->visible, 0);
  EXPECT_EQ(ViewAt(GameState.loadingBarFrame)->visible, 0);
}

TEST(LoadingBar, GrowsOnlyBelowItsCap) {
  GameState.LoadProgress = 294.9;
  AdvanceLoadingBar();
  EXPECT_DOUBLE_EQ(GameState.LoadProgress, 294.9 + 17.53);
  AdvanceLoadingBar();
  EXPECT_DOUBLE_EQ(GameState.LoadProgress, 294.9 + 17.53);
}

TEST_F(GameTest, EveryFrameSleeps33AndAHundredWhileInactive) {
  harness::Boot();
  harness::FinishLoading();
  auto& delays = harness::recorded().delays;
  delays.clear();
  harness::Frames(3);
  EXPECT_EQ(delays, (std::vector<uint32_t>{33, 33, 33}));
  harness::PushFocus(false);
  harness::Frame();
  EXPECT_EQ(delays.back(), 100u);
  harness::PushFocus(true);
  harness::Frame();
  EXPECT_EQ(delays.back(), 33u);
}

TEST_F(GameTest, MenuFadeInTakesTwoFrames) {
  harness::Boot();
  harness::FinishLoading();
  EXPECT_EQ(GameState.menuFade, 90);
  EXPECT_EQ(GameState.SceneState, SceneFadeIn);
  harness::Frame();
  EXPECT_EQ(GameState.menuFade, 180);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
}

TEST_F(GameTest, QuitEndsTheLoopAfterThatPassHasRunItsFrame) {
  harness::Boot();
  harness::Frames(2);
  const int swaps = harness::recorded().swaps;
  const int step = GameState.LoadStepCounter;
  harness::PushQuit();
  RunMainLoop();
  EXPECT_EQ(running, 0);
  EXPECT_EQ(harness::recorded().swaps, swaps + 1) << "the pass that sees quit still draws its frame";
  EXPECT_EQ(GameState.LoadStepCounter, step + 1);
  Shutdown();
  EXPECT_EQ(GameState.ViewTable.count, 0);
}

TEST_F(GameTest, WindowIsCaptionedAndSaysWhenNoJoystickIsFound) {
  testing::internal::CaptureStdout();
  harness::Boot();
  const std::string out = testing::internal::GetCapturedStdout();
  char* title = nullptr;
  char* icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  ASSERT_NE(title, nullptr);
  EXPECT_STREQ(title, "Vel Mora");
  SDL_Surface* screen = SDL_GetVideoSurface();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->w, 1024);
  EXPECT_EQ(screen->h, 768);
  if (SDL_NumJoysticks() == 0) {
    EXPECT_EQ(out, "Could not find joystick!\n");
  }
  EXPECT_EQ(GameState.AccelSensitivity, 1200) << "the knob must steer even without a joystick";
}
