// The menu, options, calibration and help screens as a player uses them: toggles and the control
// method reach the options file at once and survive quitting and starting again, reset asks
// first, the calibration panel stores the tilt, the screens tidy themselves away, and damaged
// user files never stop the game from starting.

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include "core/game_state.h"
#include "input/events.h"
#include "platform/platform.h"
#include "render/image.h"
#include "render/text.h"
#include "support/harness.h"
#include "views/views.h"

namespace fs = std::filesystem;

namespace {

using harness::FirstSession;
using harness::ReadFile;
using harness::Record;
using harness::WriteFile;

const std::string kSave = "Data/User/VelMoraSaveGame.sav";
const std::string kOptions = "Data/User/VelmoraConfig.cfg";
const std::string kCalibration = "Data/User/VelMorAccData.cfg";

constexpr int kMusicChannel = 31, kMenuMusic = 2, kButtonTap = 4;  // channel and sound ids

// Centres of the buttons a player touches here.
constexpr int kStart[2] = {512, 315}, kFreePlay[2] = {512, 375}, kOptionsBtn[2] = {512, 435};
constexpr int kHelp[2] = {512, 495}, kBack[2] = {512, 705};
constexpr int kSound[2] = {500, 425}, kMusic[2] = {500, 485}, kControl[2] = {500, 545};
constexpr int kReset[2] = {500, 600}, kBoxOk[2] = {450, 420}, kBoxCancel[2] = {575, 420};
constexpr int kCalibrationOk[2] = {141, 498}, kBriefingBack[2] = {420, 705};

bool Visible(ViewId id) { return ViewAt(id) != nullptr && ViewAt(id)->visible == 1; }

// Whether the view currently shows the picture of the image entry.
bool Shows(ViewId view, ImageId image) {
  return ViewAt(view)->image->texture == GameState.ImageTable.entries[image]->image->texture;
}

void ExpectAt(ViewId view, int x, int y) {
  EXPECT_EQ(ViewGetX(view), x);
  EXPECT_EQ(ViewGetY(view), y);
}

int Plays(int channel, int soundId) {
  int count = 0;
  for (const auto& play : harness::recorded().plays) {
    count += (channel < 0 || play.channel == channel) && play.soundId == soundId;
  }
  return count;
}

void TapThenRun(const int* at, int frames) {
  harness::PushTap(at[0], at[1]);
  harness::Frames(frames);
}

void BootToMenu() {
  // Joystick events as the tablet's accelerometer delivered them, not as a desktop gamepad.
  PlatformPresentGamepadAsTilt(false);
  harness::Boot();
  harness::FinishLoading();
  harness::Frames(2);  // the fade-in's last frame, then the menu sets itself up
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  ASSERT_TRUE(Visible(GameState.startButton));
}

// Tap, two frames of fade-out, and one frame of the options screen.
void OpenOptions() {
  TapThenRun(kOptionsBtn, 3);
  ASSERT_EQ(GameState.SceneState, SceneOptions);
}

// The tilt as the tablet reports it: SDL axis 1 is horizontal, axis 0 vertical and inverted.
void Tilt(int16_t x, int16_t y) {
  harness::PushJoyAxis(1, x);
  harness::PushJoyAxis(0, y);
  harness::Frame();
}

}  // namespace

class OptionsScreen : public GameTest {};

TEST_F(OptionsScreen, FirstRunLeavesExactlyTheThreeDefaultFilesAndOptionsKeepTheLogo) {
  BootToMenu();
  int files = 0;
  for (const auto& entry : fs::directory_iterator("Data/User")) files += entry.is_regular_file() ? 1 : 100;
  EXPECT_EQ(files, 3);
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5000<<"));
  EXPECT_EQ(ReadFile(kOptions), "110");
  EXPECT_EQ(ReadFile(kCalibration), Record("0;0;"));
  EXPECT_EQ(Plays(kMusicChannel, kMenuMusic), 1) << "the menu music starts with the menu";

  TapThenRun(kOptionsBtn, 1);
  EXPECT_TRUE(Visible(GameState.logoView));
  harness::Frames(2);
  ASSERT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_TRUE(Visible(GameState.logoView));
  for (ViewId gone : {GameState.startButton, GameState.helpButton, GameState.leftHandImage, GameState.accelImage,
                      GameState.calibrationBackground}) {
    EXPECT_FALSE(Visible(gone));
  }
  for (ViewId shown : {GameState.soundToggle, GameState.musicToggle, GameState.controlButton, GameState.resetButton,
                       GameState.backButton, GameState.optionsBackground, GameState.rightHandImage}) {
    EXPECT_TRUE(Visible(shown));
  }
  EXPECT_TRUE(Shows(GameState.soundIndicator, GameState.yesImage));
  EXPECT_TRUE(Shows(GameState.musicIndicator, GameState.yesImage));
  ExpectAt(GameState.soundIndicator, 620, 400);
  ExpectAt(GameState.musicIndicator, 620, 460);
}

TEST_F(OptionsScreen, TogglesChangeTheirPictureReachTheFileAtOnceAndSurviveARestart) {
  ASSERT_TRUE(FirstSession([] {
    BootToMenu();
    OpenOptions();
    const int taps = Plays(-1, kButtonTap);
    TapThenRun(kSound, 1);
    EXPECT_EQ(ReadFile(kOptions), "100");
    EXPECT_TRUE(Shows(GameState.soundIndicator, GameState.noImage));
    EXPECT_EQ(Plays(-1, kButtonTap), taps) << "turning sound off is silent";
    TapThenRun(kMusic, 1);
    EXPECT_EQ(ReadFile(kOptions), "000");
    EXPECT_TRUE(Shows(GameState.musicIndicator, GameState.noImage));
    ASSERT_FALSE(harness::recorded().pausedChannels.empty());
    EXPECT_EQ(harness::recorded().pausedChannels.back(), kMusicChannel);
  }));
  ASSERT_EQ(ReadFile(kOptions), "000");

  BootToMenu();
  EXPECT_EQ(GameState.musicOn, 0);
  EXPECT_EQ(GameState.soundOn, 0);
  EXPECT_EQ(Plays(kMusicChannel, kMenuMusic), 0) << "no menu music while music is off";
  OpenOptions();
  EXPECT_TRUE(Shows(GameState.soundIndicator, GameState.noImage));
  EXPECT_TRUE(Shows(GameState.musicIndicator, GameState.noImage));
  TapThenRun(kMusic, 1);
  EXPECT_EQ(ReadFile(kOptions), "100");
  EXPECT_EQ(Plays(kMusicChannel, kMenuMusic), 1) << "music on restarts the menu music";
  EXPECT_TRUE(Shows(GameState.musicIndicator, GameState.yesImage));
  TapThenRun(kSound, 1);
  EXPECT_EQ(ReadFile(kOptions), "110");
  EXPECT_TRUE(Shows(GameState.soundIndicator, GameState.yesImage));
  EXPECT_EQ(Plays(-1, kButtonTap), 1) << "turning sound on taps with the new value";
}

TEST_F(OptionsScreen, ASoundValueOfFiveShowsNoAndOnePressTurnsItOn) {
  WriteFile(kOptions, "150");
  BootToMenu();
  EXPECT_EQ(GameState.soundOn, 5);
  OpenOptions();
  EXPECT_TRUE(Shows(GameState.soundIndicator, GameState.noImage));
  TapThenRun(kSound, 1);
  EXPECT_EQ(GameState.soundOn, 1);
  EXPECT_EQ(ReadFile(kOptions), "110");
  EXPECT_TRUE(Shows(GameState.soundIndicator, GameState.yesImage));
}

TEST_F(OptionsScreen, ControlMethodCyclesThroughTheFileAndSurvivesARestart) {
  ASSERT_TRUE(FirstSession([] {
    BootToMenu();
    OpenOptions();
    harness::PushTap(kControl[0], kControl[1]);
    PumpEvents();
    // The calibration panel comes with the touch, not a frame later.
    EXPECT_EQ(GameState.controlMethod, ControlAccelerometer);
    EXPECT_TRUE(Visible(GameState.calibrationBackground));
    EXPECT_TRUE(Visible(GameState.calibrationOkButton));
    EXPECT_TRUE(Visible(GameState.accelImage));
    EXPECT_FALSE(Visible(GameState.rightHandImage));
    EXPECT_EQ(ReadFile(kOptions), "114");
    harness::Frame();
    TapThenRun(kControl, 1);
    EXPECT_EQ(ReadFile(kOptions), "111");
    EXPECT_FALSE(Visible(GameState.calibrationBackground));
    EXPECT_TRUE(Visible(GameState.leftHandImage));
    EXPECT_FALSE(Visible(GameState.accelImage));
  }));
  ASSERT_EQ(ReadFile(kOptions), "111");

  BootToMenu();
  EXPECT_EQ(GameState.controlMethod, ControlLeftHand);
  OpenOptions();
  EXPECT_TRUE(Visible(GameState.leftHandImage));
  EXPECT_FALSE(Visible(GameState.rightHandImage));
  TapThenRun(kControl, 1);
  EXPECT_EQ(ReadFile(kOptions), "110");
  EXPECT_TRUE(Visible(GameState.rightHandImage));
  EXPECT_FALSE(Visible(GameState.leftHandImage));
  TapThenRun(kControl, 1);
  EXPECT_EQ(ReadFile(kOptions), "114");
}

TEST_F(OptionsScreen, ResetAsksFirstAndOnlyOkErasesProgress) {
  const std::string progress = Record("Vel mora >>3;2;4;5;7;1234<<");
  WriteFile(kSave, progress);
  WriteFile(kOptions, "114");
  WriteFile(kCalibration, Record("400;400;"));
  BootToMenu();
  OpenOptions();
  Tilt(-32768, 32767);
  TapThenRun(kReset, 1);
  ASSERT_EQ(GameState.SceneState, SceneMessageBox);
  const auto& texts = GameState.TextTable.entries;
  EXPECT_STREQ(texts[GameState.MessageBox.line1]->text, "           WARNING!");
  EXPECT_STREQ(texts[GameState.MessageBox.line2]->text, " Clicking OK will erase");
  EXPECT_STREQ(texts[GameState.MessageBox.line3]->text, "all your game progress.");

  // Under the warning nothing on the options screen reacts: back and calibration OK included.
  for (const int* button : {kSound, kMusic, kControl, kReset, kBack, kCalibrationOk}) TapThenRun(button, 1);
  EXPECT_EQ(GameState.SceneState, SceneMessageBox);
  EXPECT_EQ(ReadFile(kOptions), "114");
  EXPECT_EQ(GameState.soundOn + GameState.musicOn, 2);
  EXPECT_EQ(ReadFile(kCalibration), Record("400;400;"));
  EXPECT_EQ(GameState.calibrationX, 400);

  TapThenRun(kBoxCancel, 2);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_TRUE(Visible(GameState.soundToggle));
  EXPECT_EQ(ReadFile(kSave), progress);
  EXPECT_EQ(GameState.campaignLevel, 7);
  EXPECT_EQ(GameState.credits, 1234);

  TapThenRun(kReset, 1);
  TapThenRun(kBoxOk, 2);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_TRUE(Visible(GameState.resetButton));
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5000<<"));
  EXPECT_EQ(GameState.weaponsLevel + GameState.shieldLevel + GameState.handlingLevel + GameState.structureLevel, 4);
  EXPECT_EQ(GameState.campaignLevel, 1);
  EXPECT_EQ(GameState.credits, 5000);
}

TEST_F(OptionsScreen, BackFromOptionsAndHelpReturnsToATidyMenu) {
  BootToMenu();
  OpenOptions();
  TapThenRun(kBack, 2);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  for (ViewId gone : {GameState.soundToggle, GameState.musicToggle, GameState.backButton, GameState.soundIndicator,
                      GameState.musicIndicator, GameState.resetButton, GameState.optionsBackground,
                      GameState.rightHandImage, GameState.controlButton, GameState.backButtonOver}) {
    EXPECT_FALSE(Visible(gone));
  }
  for (ViewId shown : {GameState.logoView, GameState.menuBackground, GameState.startButton, GameState.freePlayButton,
                       GameState.optionsButton, GameState.helpButton}) {
    EXPECT_TRUE(Visible(shown));
  }

  TapThenRun(kHelp, 3);
  ASSERT_EQ(GameState.SceneState, SceneHelp);
  EXPECT_TRUE(Visible(GameState.helpImage));
  ExpectAt(GameState.helpImage, 212, 250);
  EXPECT_TRUE(Visible(GameState.backButton));
  EXPECT_TRUE(Visible(GameState.logoView));
  EXPECT_FALSE(Visible(GameState.startButton));
  TapThenRun(kBack, 2);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_FALSE(Visible(GameState.helpImage));
  EXPECT_FALSE(Visible(GameState.backButton));
  EXPECT_TRUE(Visible(GameState.helpButton));
}

TEST_F(OptionsScreen, TouchesDuringTheFadesReachNoMenuButton) {
  harness::Boot();
  harness::FinishLoading();
  ASSERT_EQ(GameState.SceneState, SceneFadeIn);
  TapThenRun(kOptionsBtn, 1);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "no touch of the fade-in left the menu";
  EXPECT_FALSE(Visible(GameState.optionsButtonOver));

  TapThenRun(kOptionsBtn, 1);
  ASSERT_EQ(GameState.SceneState, SceneFadeOut);
  TapThenRun(kFreePlay, 1);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_FALSE(Visible(GameState.freePlayButtonOver));
  harness::Frame();
  EXPECT_EQ(GameState.FreePlay, 0);

  // Two taps within one frame: the second lands while the buttons are still up, but the menu is
  // already being left.
  TapThenRun(kBack, 2);
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  harness::PushTap(kOptionsBtn[0], kOptionsBtn[1]);
  TapThenRun(kFreePlay, 3);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_EQ(GameState.FreePlay, 0);
}

TEST_F(OptionsScreen, AMenuButtonLiftedElsewhereDoesNothingButLosesItsHighlight) {
  BootToMenu();
  const std::pair<const int*, ViewId> buttons[] = {{kStart, GameState.startButtonOver},
                                                   {kFreePlay, GameState.freePlayButtonOver},
                                                   {kOptionsBtn, GameState.optionsButtonOver},
                                                   {kHelp, GameState.helpButtonOver}};
  for (const auto& [at, highlight] : buttons) {
    harness::PushMouseDown(at[0], at[1]);
    harness::Frame();
    EXPECT_TRUE(Visible(highlight));
    harness::PushMouseUp(100, 100);
    harness::Frames(3);
    EXPECT_EQ(GameState.SceneState, SceneMainMenu);
    EXPECT_EQ(GameState.FreePlay, 0);
    EXPECT_FALSE(Visible(highlight));
  }
}

// The calibration panel over the options screen, with the accelerometer method.
TEST_F(OptionsScreen, HeldFlatTheCalibrationOkStoresZeroAndMovesTheMarkers) {
  WriteFile(kOptions, "114");
  WriteFile(kCalibration, Record("500;-300;"));
  BootToMenu();
  EXPECT_EQ(GameState.CalibrationOffsetX, 500.0) << "the accelerometer method applies it at start-up";
  EXPECT_EQ(GameState.CalibrationOffsetY, -300.0);
  OpenOptions();
  for (ViewId shown : {GameState.calibrationBackground, GameState.calibrationOkButton, GameState.xDot, GameState.yDot,
                       GameState.xMarker, GameState.yMarker}) {
    EXPECT_TRUE(Visible(shown));
  }
  EXPECT_FALSE(Visible(GameState.calibrationOkOver));
  ExpectAt(GameState.xDot, 143, 413);
  ExpectAt(GameState.yDot, 267, 484);
  ExpectAt(GameState.xMarker, 159, 406);
  ExpectAt(GameState.yMarker, 260, 478);

  harness::PushMouseDown(kCalibrationOk[0], kCalibrationOk[1]);
  harness::Frame();
  EXPECT_TRUE(Visible(GameState.calibrationOkOver));
  harness::PushMouseUp(kCalibrationOk[0], kCalibrationOk[1]);
  harness::Frame();
  EXPECT_FALSE(Visible(GameState.calibrationOkOver));
  EXPECT_EQ(GameState.calibrationX, 0);
  EXPECT_EQ(GameState.calibrationY, 0);
  EXPECT_EQ(ReadFile(kCalibration), Record("0;0;"));
  ExpectAt(GameState.xMarker, 146, 406);
  ExpectAt(GameState.yMarker, 260, 487);
}

TEST_F(OptionsScreen, TiltsBeyondTheRangePinTheDotsAndCalibrationOkStoresSavesAndApplies) {
  WriteFile(kOptions, "114");
  BootToMenu();
  OpenOptions();
  Tilt(-32768, 32767);
  ExpectAt(GameState.xDot, 91, 413);
  ExpectAt(GameState.yDot, 267, 432);
  // The accelerometer's full scale of 1200 stops short of the far ends...
  Tilt(32767, -32768);
  ExpectAt(GameState.xDot, 175, 413);
  ExpectAt(GameState.yDot, 267, 516);
  // ...which a steering value past 1900 reaches and no further.
  GameState.SteerX = GameState.SteerY = 2500.0;
  harness::Frame();
  ExpectAt(GameState.xDot, 195, 413);
  ExpectAt(GameState.yDot, 267, 536);

  Tilt(32767, -32768);
  harness::PushTap(kCalibrationOk[0], kCalibrationOk[1]);
  PumpEvents();
  EXPECT_EQ(GameState.calibrationX, 1169);
  EXPECT_EQ(GameState.calibrationY, 1169);
  EXPECT_EQ(ReadFile(kCalibration), Record("1169;1169;"));
  EXPECT_EQ(GameState.CalibrationOffsetX, 1169.0);
  EXPECT_EQ(GameState.CalibrationOffsetY, 1169.0);
  ExpectAt(GameState.xMarker, 178, 406);
  ExpectAt(GameState.yMarker, 260, 519);

  // The options screen shows raw readings: the offsets are cleared on every frame of it, and
  // the markers follow the stored values.
  harness::Frame();
  EXPECT_EQ(GameState.CalibrationOffsetX, 0.0);
  EXPECT_EQ(GameState.CalibrationOffsetY, 0.0);
  ExpectAt(GameState.xMarker, 177, 406);
  ExpectAt(GameState.yMarker, 260, 518);

  TapThenRun(kBack, 2);
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_FALSE(Visible(GameState.calibrationBackground));
  EXPECT_FALSE(Visible(GameState.xDot));
  EXPECT_EQ(GameState.CalibrationOffsetX, 1169.0);
  EXPECT_EQ(GameState.CalibrationOffsetY, 1169.0);
  Tilt(16000, 0);
  EXPECT_EQ(GameState.SteerX, 1200.0 - 1169.0);
}

TEST_F(OptionsScreen, OtherControlMethodsKeepTheCalibrationStoredButUnapplied) {
  WriteFile(kCalibration, Record("300;-200;"));
  BootToMenu();
  EXPECT_EQ(GameState.calibrationX, 300);
  EXPECT_EQ(GameState.CalibrationOffsetX, 0.0) << "not applied at start-up with the right hand";
  OpenOptions();
  TapThenRun(kBack, 2);
  EXPECT_EQ(GameState.CalibrationOffsetX, 0.0);
  EXPECT_EQ(GameState.CalibrationOffsetY, 0.0);

  OpenOptions();
  TapThenRun(kControl, 1);
  ASSERT_EQ(GameState.controlMethod, ControlAccelerometer);
  ExpectAt(GameState.xMarker, 154, 406);
  ExpectAt(GameState.yMarker, 260, 481);
  TapThenRun(kBack, 2);
  EXPECT_EQ(GameState.CalibrationOffsetX, 300.0);
  EXPECT_EQ(GameState.CalibrationOffsetY, -200.0);
}
