// The options screen as a player uses it: toggles and the control method reach the options file
// at once and survive a restart, and reset asks first.
#include <SDL_mixer.h>

#include "input/events.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr int kSound[2] = {500, 425}, kMusic[2] = {500, 485}, kControl[2] = {500, 545}, kReset[2] = {500, 600};
constexpr int kResetOk[2] = {450, 420}, kResetCancel[2] = {575, 420}, kCalibrationOk[2] = {141, 498};

// Boots and opens the options: a tap, two frames of fade-out, and one frame of the options screen.
void OpenOptions() {
  ReachMenu();
  Tap(kOptionsButton, 3);
  ASSERT_EQ(GameState.SceneState, SceneOptions);
}

// The options file and what the two indicators show.
std::string Toggles() {
  const auto shows = [](ViewId indicator) { return Shows(indicator, GameState.Options.yesImage) ? "yes" : "no"; };
  return ReadFile(kOptions) + " sound " + shows(GameState.Options.soundIndicator) + " music " +
         shows(GameState.Options.musicIndicator);
}

}  // namespace

class OptionsTest : public GameTest {};

TEST_F(OptionsTest, TogglesAndTheControlMethodShowTheirValueReachTheFileAtOnceAndSurviveARestart) {
  WriteFile(kOptions, "100");
  ASSERT_TRUE(FirstSession([] {
    OpenOptions();
    EXPECT_TRUE(Shown(GameState.Menu.logoView)) << "the options screen keeps the logo";
    for (ViewId shown : {GameState.Options.soundToggle, GameState.Options.musicToggle, GameState.Options.controlButton,
                         GameState.Options.resetButton, GameState.Menu.backButton, GameState.Options.rightHandImage}) {
      EXPECT_TRUE(Shown(shown));
    }
    EXPECT_FALSE(Shown(GameState.Menu.startButton) || Shown(GameState.Options.leftHandImage) ||
                 Shown(GameState.Options.accelImage));
    // Sound off shows "no", and one press turns sound on, with a tap; turning it off is silent.
    EXPECT_EQ(Toggles(), "100 sound no music yes");
    const int taps = Plays(kButtonTap);
    Tap(kSound);
    EXPECT_EQ(Toggles(), "110 sound yes music yes");
    EXPECT_EQ(Plays(kButtonTap), taps + 1);
    Tap(kSound);
    EXPECT_EQ(Toggles(), "100 sound no music yes");
    EXPECT_EQ(Plays(kButtonTap), taps + 1);
    Tap(kMusic);
    EXPECT_EQ(Toggles(), "000 sound no music no");
    EXPECT_EQ(Mix_Paused(kMusicChannel), 1);
    // The control method: the calibration panel comes with the touch, not a frame later.
    PushTap(kControl[0], kControl[1]);
    PumpEvents();
    EXPECT_EQ(ReadFile(kOptions), "004");
    EXPECT_TRUE(Shown(GameState.Calibration.calibrationBackground) && Shown(GameState.Calibration.calibrationOkButton));
    EXPECT_TRUE(Shown(GameState.Options.accelImage));
    EXPECT_FALSE(Shown(GameState.Options.rightHandImage));
    Frame();
    Tap(kControl);
    EXPECT_EQ(ReadFile(kOptions), "001");
    EXPECT_FALSE(Shown(GameState.Calibration.calibrationBackground) || Shown(GameState.Options.accelImage));
    EXPECT_TRUE(Shown(GameState.Options.leftHandImage));
  }));
  OpenOptions();
  EXPECT_EQ(Plays(kMenuMusic), 0) << "no menu music while music is off";
  EXPECT_EQ(Toggles(), "001 sound no music no");
  EXPECT_EQ(GameState.controlMethod, ControlLeftHand);
  EXPECT_TRUE(Shown(GameState.Options.leftHandImage));
  Tap(kMusic);
  EXPECT_EQ(Toggles(), "101 sound no music yes");
  EXPECT_EQ(Plays(kMenuMusic, 0, kMusicChannel), 1) << "music on restarts the menu music";
  Tap(kControl);
  EXPECT_EQ(ReadFile(kOptions), "100");
  EXPECT_TRUE(Shown(GameState.Options.rightHandImage));
  EXPECT_FALSE(Shown(GameState.Options.leftHandImage));
}

TEST_F(OptionsTest, ResetAsksFirstAndOnlyOkErasesProgress) {
  const std::string progress = Record("Vel mora >>3;2;4;5;7;1234<<");
  WriteFile(kSave, progress);
  WriteFile(kOptions, "114");
  WriteFile(kCalibration, Record("400;400;"));
  OpenOptions();
  Tap(kReset);
  ASSERT_EQ(GameState.SceneState, SceneMessageBox);
  EXPECT_EQ(Text(GameState.MessageBox.line1), "           WARNING!");
  EXPECT_EQ(Text(GameState.MessageBox.line2), " Clicking OK will erase");
  EXPECT_EQ(Text(GameState.MessageBox.line3), "all your game progress.");
  // Under the warning nothing on the options screen reacts: back and calibration OK included.
  for (const int* button : {kSound, kMusic, kControl, kReset, kMenuBack, kCalibrationOk}) Tap(button);
  EXPECT_EQ(GameState.SceneState, SceneMessageBox);
  EXPECT_EQ(ReadFile(kOptions), "114");
  EXPECT_EQ(ReadFile(kCalibration), Record("400;400;"));

  Tap(kResetCancel, 2);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_TRUE(Shown(GameState.Options.soundToggle));
  EXPECT_EQ(ReadFile(kSave), progress);
  EXPECT_EQ(GameState.credits, 1234);

  Tap(kReset);
  Tap(kResetOk, 2);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_TRUE(Shown(GameState.Options.resetButton));
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5000<<"));
  EXPECT_EQ(GameState.weaponsLevel + GameState.shieldLevel + GameState.handlingLevel + GameState.structureLevel, 4);
  EXPECT_EQ(GameState.campaignLevel, 1);
  EXPECT_EQ(GameState.credits, 5000);
}
