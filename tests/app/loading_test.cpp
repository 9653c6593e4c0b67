// Start-up as the player sees it: the window, the loading screen's growing bar over 41 frames,
// the hand-over to the menu, and quitting; and the run tree it loads: every picture with the size
// its layout and touch boxes rely on and an alpha channel. (A missing picture, glyph or sound
// stops start-up: see the fatal test.)
#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "support/harness.h"

using namespace harness;

class LoadingTest : public GameTest {};

TEST_F(LoadingTest, LoadingRunsFortyOneFramesBehindAGrowingBarAndEveryPictureHasAnAlphaChannelAndTheLayoutsSize) {
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

  // The pictures of the run tree.
  int pictures = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("Data/Images/")) {
    if (entry.is_directory()) continue;
    SDL_Surface* picture = IMG_Load(entry.path().c_str());
    ASSERT_NE(picture, nullptr) << entry.path();
    EXPECT_EQ(picture->format->BytesPerPixel, 4) << entry.path() << " has no alpha channel";
    SDL_FreeSurface(picture);
    pictures += 1;
  }
  EXPECT_GE(pictures, 110);
  // Each size, then the pictures of that size.
  std::istringstream sizes(
      "1024x768 loadingBG menuBG interLevel logo space space1 space2 space3 space4 space5 "
      "accCalibrationBack campaignHelp 330x50 soundBG musicBG controlMethod 32x32 calabrium ice 250x50 "
      "startBtn freePlayBtn optionsBtn helpBtn backBtn startBtnOver freePlayBtnOver optionsBtnOver "
      "helpBtnOver backBtnOver 140x50 smallStartBtn smallStartBtnOver smallBackBtn smallBackBtnOver 48x48 "
      "upgradeStruct upgradeShield upgradeMan upgradeWeapons gameUI/backNormal gameUI/backOver "
      "gameUI/pauseNormal gameUI/pauseOver 80x80 asteroid asteroid2 asteroid3 asteroid1_inf asteroid2_inf "
      "81x91 ship ship_left ship_right 141x141 CShip CShip_left CShip_right 96x36 mbOk mbOkOver mbCancel "
      "mbCancelOver 100x40 accCalibrationOK accCalibrationOKOver 150x7 healthBar shieldBar 1024x25 "
      "noHeatBG overheatBG 78x78 firePoint firePointDown 90x30 smallBuy smallBuyOver 50x40 yesBtn noBtn "
      "300x10 pbBG 368x265 optionsBG 256x50 resetGame 600x420 help 10x10 accDot 4x24 positionMarkerV 24x4 "
      "positionMarkerH 3x32 laserBeam 310x7 laserBar 146x150 controlZone 64x64 controlPoint 250x44 "
      "gameUI/scoreBG 260x140 mbWindow");
  std::string size;
  for (std::string word; sizes >> word;) {
    if (isdigit(static_cast<unsigned char>(word[0]))) {
      size = word;
      continue;
    }
    SDL_Surface* picture = IMG_Load(("./Data/Images/" + word + ".png").c_str());
    ASSERT_NE(picture, nullptr) << word;
    EXPECT_EQ(std::to_string(picture->w) + "x" + std::to_string(picture->h), size) << word;
    SDL_FreeSurface(picture);
  }
}
