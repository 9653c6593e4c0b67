// The run tree the game loads: every picture with the size its layout and touch boxes rely on
// and an alpha channel. (A missing picture, glyph or sound stops start-up: see the fatal test.)
#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "support/harness.h"

class AssetsTest : public GameTest {};

TEST_F(AssetsTest, EveryPictureHasAnAlphaChannelAndTheLayoutsSize) {
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
  const struct {
    int w, h;
    const char* names;
  } sizes[] = {
      {1024, 768,
       "loadingBG menuBG interLevel logo space space1 space2 space3 space4 space5 accCalibrationBack "
       "campaignHelp"},
      {250, 50,
       "startBtn freePlayBtn optionsBtn helpBtn backBtn startBtnOver freePlayBtnOver optionsBtnOver "
       "helpBtnOver backBtnOver"},
      {330, 50, "soundBG musicBG controlMethod"},
      {140, 50, "smallStartBtn smallStartBtnOver smallBackBtn smallBackBtnOver"},
      {48, 48,
       "upgradeStruct upgradeShield upgradeMan upgradeWeapons gameUI/backNormal gameUI/backOver "
       "gameUI/pauseNormal gameUI/pauseOver"},
      {80, 80, "asteroid asteroid2 asteroid3 asteroid1_inf asteroid2_inf"},
      {32, 32, "calabrium ice"},
      {81, 91, "ship ship_left ship_right"},
      {141, 141, "CShip CShip_left CShip_right"},
      {96, 36, "mbOk mbOkOver mbCancel mbCancelOver"},
      {100, 40, "accCalibrationOK accCalibrationOKOver"},
      {150, 7, "healthBar shieldBar"},
      {1024, 25, "noHeatBG overheatBG"},
      {78, 78, "firePoint firePointDown"},
      {90, 30, "smallBuy smallBuyOver"},
      {50, 40, "yesBtn noBtn"},
      {300, 10, "pbBG"},
      {368, 265, "optionsBG"},
      {256, 50, "resetGame"},
      {600, 420, "help"},
      {10, 10, "accDot"},
      {4, 24, "positionMarkerV"},
      {24, 4, "positionMarkerH"},
      {3, 32, "laserBeam"},
      {310, 7, "laserBar"},
      {146, 150, "controlZone"},
      {64, 64, "controlPoint"},
      {250, 44, "gameUI/scoreBG"},
      {260, 140, "mbWindow"},
  };
  for (const auto& size : sizes) {
    std::istringstream names(size.names);
    for (std::string name; names >> name;) {
      SDL_Surface* picture = IMG_Load(("./Data/Images/" + name + ".png").c_str());
      ASSERT_NE(picture, nullptr) << name;
      EXPECT_TRUE(picture->w == size.w && picture->h == size.h) << name << " is " << picture->w << "x" << picture->h;
      SDL_FreeSurface(picture);
    }
  }
}
