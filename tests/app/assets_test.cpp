#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "core/game_state.h"
#include "support/harness.h"

namespace {

struct Size {
  int w, h;
};

// Pictures whose size the layout, touch boxes or hit tests depend on.
const std::map<std::string, Size> kSizes = {
    {"loadingBG", {1024, 768}}, {"menuBG", {1024, 768}}, {"interLevel", {1024, 768}}, {"logo", {1024, 768}},
    {"space", {1024, 768}}, {"space1", {1024, 768}}, {"space2", {1024, 768}}, {"space3", {1024, 768}},
    {"space4", {1024, 768}}, {"space5", {1024, 768}}, {"pbBG", {300, 10}},
    {"startBtn", {250, 50}}, {"freePlayBtn", {250, 50}}, {"optionsBtn", {250, 50}}, {"helpBtn", {250, 50}},
    {"backBtn", {250, 50}}, {"startBtnOver", {250, 50}}, {"freePlayBtnOver", {250, 50}},
    {"optionsBtnOver", {250, 50}}, {"helpBtnOver", {250, 50}}, {"backBtnOver", {250, 50}},
    {"optionsBG", {368, 265}}, {"soundBG", {330, 50}}, {"musicBG", {330, 50}}, {"controlMethod", {330, 50}},
    {"yesBtn", {50, 40}}, {"noBtn", {50, 40}}, {"resetGame", {256, 50}}, {"help", {600, 420}},
    {"accCalibrationBack", {1024, 768}}, {"accCalibrationOK", {100, 40}}, {"accCalibrationOKOver", {100, 40}},
    {"accDot", {10, 10}}, {"positionMarkerV", {4, 24}}, {"positionMarkerH", {24, 4}},
    {"asteroid", {80, 80}}, {"asteroid2", {80, 80}}, {"asteroid3", {80, 80}}, {"asteroid1_inf", {80, 80}},
    {"asteroid2_inf", {80, 80}}, {"calabrium", {32, 32}}, {"ice", {32, 32}},
    {"ship", {81, 91}}, {"ship_left", {81, 91}}, {"ship_right", {81, 91}}, {"laserBeam", {3, 32}},
    {"laserBar", {310, 7}}, {"healthBar", {150, 7}}, {"shieldBar", {150, 7}},
    {"noHeatBG", {1024, 25}}, {"overheatBG", {1024, 25}},
    {"CShip", {141, 141}}, {"CShip_left", {141, 141}}, {"CShip_right", {141, 141}},
    {"controlZone", {146, 150}}, {"controlPoint", {64, 64}}, {"firePoint", {78, 78}}, {"firePointDown", {78, 78}},
    {"gameUI/backNormal", {48, 48}}, {"gameUI/backOver", {48, 48}}, {"gameUI/pauseNormal", {48, 48}},
    {"gameUI/pauseOver", {48, 48}}, {"gameUI/scoreBG", {250, 44}},
    {"smallStartBtn", {140, 50}}, {"smallStartBtnOver", {140, 50}}, {"smallBackBtn", {140, 50}},
    {"smallBackBtnOver", {140, 50}}, {"upgradeStruct", {48, 48}}, {"upgradeShield", {48, 48}},
    {"upgradeMan", {48, 48}}, {"upgradeWeapons", {48, 48}}, {"smallBuy", {90, 30}}, {"smallBuyOver", {90, 30}},
    {"campaignHelp", {1024, 768}}, {"mbWindow", {260, 140}}, {"mbOk", {96, 36}}, {"mbOkOver", {96, 36}},
    {"mbCancel", {96, 36}}, {"mbCancelOver", {96, 36}},
};

std::string PictureName(const std::string& path) {
  const std::string prefix = "./Data/Images/";
  std::string name = path.substr(prefix.size());
  return name.substr(0, name.size() - 4);
}

}  // namespace

TEST_F(GameTest, EveryPictureTheGameLoadsExistsWithItsLayoutSizeAndAlpha) {
  harness::Boot();
  harness::FinishLoading();
  std::set<std::string> pictures;
  for (const std::string& path : harness::recorded().loadedFiles) {
    if (path.rfind("./Data/Images/", 0) == 0) pictures.insert(path);
  }
  EXPECT_GE(pictures.size(), 110u);
  std::set<std::string> seen;
  for (const std::string& path : pictures) {
    SDL_Surface* picture = IMG_Load(path.c_str());
    ASSERT_NE(picture, nullptr) << path;
    EXPECT_EQ(picture->format->BytesPerPixel, 4) << path << " has no alpha channel";
    const std::string name = PictureName(path);
    seen.insert(name);
    auto size = kSizes.find(name);
    if (size != kSizes.end()) {
      EXPECT_EQ(picture->w, size->second.w) << path;
      EXPECT_EQ(picture->h, size->second.h) << path;
    } else if (name.rfind("shipExplosion/EXPL", 0) == 0) {
      EXPECT_NEAR(picture->w, 220, 20) << path;
      EXPECT_NEAR(picture->h, 200, 20) << path;
    }
    SDL_FreeSurface(picture);
  }
  for (const auto& [name, size] : kSizes) EXPECT_TRUE(seen.count(name)) << name << " is never loaded";
  for (int n = 1; n <= 26; ++n) EXPECT_TRUE(seen.count("shipExplosion/EXPL" + std::to_string(n))) << n;
}

TEST_F(GameTest, BothGlyphFontsAreCompleteWithOneHeightEach) {
  for (const char* font : {"Free20RegularWhite", "Free14RegularWhite"}) {
    int height = -1;
    for (int code = 32; code <= 126; ++code) {
      char path[128];
      snprintf(path, sizeof path, code <= 99 ? "./Data/Fonts/%s/F0%d.png" : "./Data/Fonts/%s/F%d.png", font, code);
      SDL_Surface* glyph = IMG_Load(path);
      ASSERT_NE(glyph, nullptr) << path;
      if (height < 0) height = glyph->h;
      EXPECT_EQ(glyph->h, height) << path;
      EXPECT_GE(glyph->w, 1) << path;
      SDL_FreeSurface(glyph);
    }
    EXPECT_LE(height, std::string(font) == "Free14RegularWhite" ? 20 : 26) << font;
  }
}

TEST_F(GameTest, EverySoundLoadsIntoTheMixer) {
  harness::Boot();
  harness::FinishLoading();
  EXPECT_EQ(GameState.SoundTable.count, 6);
  for (int i = 0; i < GameState.SoundTable.count; ++i) {
    ASSERT_NE(GameState.SoundTable.entries[i], nullptr);
    EXPECT_GT(GameState.SoundTable.entries[i]->alen, 1000u) << i;
  }
  const auto& files = harness::recorded().loadedFiles;
  for (const char* wav : {"./Data/Sounds/explosion.wav", "./Data/Sounds/loop.wav", "./Data/Sounds/main.wav",
                          "./Data/Sounds/laser.wav", "./Data/Sounds/buttonTap.wav", "./Data/Sounds/calabrium.wav"}) {
    EXPECT_NE(std::find(files.begin(), files.end(), wav), files.end()) << wav;
  }
}

TEST_F(GameTest, AMissingSoundEndsStartUpNamingItsPath) {
  std::filesystem::remove(std::filesystem::path(workDir) / "Data" / "Sounds");
  std::filesystem::create_directory(std::filesystem::path(workDir) / "Data" / "Sounds");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        harness::Boot();
        harness::FinishLoading();
      },
      ::testing::ExitedWithCode(1), "Could not load wav file \\./Data/Sounds/explosion\\.wav: it is missing\\. Reason: .*\n");
}
