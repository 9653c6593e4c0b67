#include "ui/menu.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "platform/platform.h"
#include "storage/levels.h"
#include "ui/best_scores.h"
#include "ui/buttons.h"
#include "ui/calibration.h"
#include "ui/game_buttons.h"
#include "ui/help.h"
#include "ui/message_box.h"
#include "ui/options.h"
#include "ui/sound_levels.h"
#include "views/views.h"
#include "world/round.h"

namespace {

constexpr int32_t kMenuReady = 100;

// Menu buttons act only on the menu itself and never under the message box.
bool MenuActive() { return GameState.SceneState == SceneMainMenu && !MessageBoxIsOpen(); }

void LeaveMenuFor(int32_t scene) { SceneChangeAfterFade(scene); }

void SetMenuButtonsVisible(int32_t value) {
  ViewsSetVisible({GameState.startButton, GameState.freePlayButton, GameState.optionsButton, GameState.helpButton,
                   GameState.scoresButton},
                  value);
  ViewSetVisible(GameState.quitButton, PlatformCanQuit() ? value : 0);
}

void Quit() { running = 0; }

// The logo and the four buttons.
void SetMenuVisible(int32_t value) {
  ViewSetVisible(GameState.logoView, value);
  SetMenuButtonsVisible(value);
}

}  // namespace

void InitUI() {
  static const char* const kSpaces[6] = {"Images/space.png",  "Images/space1.png", "Images/space2.png",
                                         "Images/space3.png", "Images/space4.png", "Images/space5.png"};
  for (int i = 0; i < 6; ++i) GameState.SpaceBackground[i] = ViewAddHidden(kSpaces[i], 0, 0);
  GameState.menuBackground = ViewAddHidden("Images/menuBG.png", 0, 0);
  GameState.logoView = ViewAddHidden("Images/logo.png", 0, 0);
  GameState.startButton = ViewAdd("Images/startBtn.png", 387, 290, StartTouched);
  GameState.freePlayButton = ViewAdd("Images/freePlayBtn.png", 387, 350, FreePlayTouched);
  GameState.optionsButton = ViewAdd("Images/optionsBtn.png", 387, 410, OptionsTouched);
  GameState.helpButton = ViewAdd("Images/helpBtn.png", 387, 470, HelpTouched);
  GameState.scoresButton = ViewAdd("Images/scoresBtn.png", 387, 530, ScoresTouched);
  GameState.quitButton = ViewAdd("Images/quitBtn.png", 387, 590, QuitTouched);
  SetMenuButtonsVisible(0);
  GameState.optionsBackground = ViewAddHidden("Images/optionsBG.png", -500, -500);
  ViewSetxy(GameState.optionsBackground, 328, 369);
  GameState.yesImage = ImageAdd("Images/yesBtn.png");
  GameState.noImage = ImageAdd("Images/noBtn.png");
  GameState.soundIndicator = ViewAddFromImage(GameState.yesImage, 0, 0);
  ViewSetVisible(GameState.soundIndicator, 0);
  GameState.musicIndicator = ViewAddFromImage(GameState.yesImage, 0, 0);
  ViewSetVisible(GameState.musicIndicator, 0);
  GameState.backButton = ViewAddHidden("Images/backBtn.png", 387, 680, BackTouched);
  GameState.soundToggle = ViewAddHidden("Images/soundBG.png", 350, 400, SoundToggleTouched);
  GameState.musicToggle = ViewAddHidden("Images/musicBG.png", 350, 460, MusicToggleTouched);
  GameState.controlButton = ViewAddHidden("Images/controlMethod.png", -500, -500, ControlMethodTouched);
  ViewSetxy(GameState.controlButton, 350, 520);
  GameState.accelImage = ViewAddHidden("Images/accel.png", -500, -500);
  GameState.rightHandImage = ViewAddHidden("Images/rightHand.png", -500, -500);
  GameState.leftHandImage = ViewAddHidden("Images/leftHand.png", -500, -500);
  GameState.resetButton = ViewAddHidden("Images/resetGame.png", 384, 570, ResetTouched);
  GameState.freePlayButtonOver = ViewAddHidden("Images/freePlayBtnOver.png", 387, 350);
  GameState.startButtonOver = ViewAddHidden("Images/startBtnOver.png", 387, 290);
  GameState.backButtonOver = ViewAddHidden("Images/backBtnOver.png", 387, 680);
  GameState.optionsButtonOver = ViewAddHidden("Images/optionsBtnOver.png", 387, 410);
  GameState.helpButtonOver = ViewAddHidden("Images/helpBtnOver.png", 387, 470);
  GameState.scoresButtonOver = ViewAddHidden("Images/scoresBtnOver.png", 387, 530);
  GameState.quitButtonOver = ViewAddHidden("Images/quitBtnOver.png", 387, 590);
  CreateHelpScreen();
  CreateCalibrationViews();
  CreateSoundLevels();
  CreateBestScores();
}

void EnterMenu() {
  if (GameState.menuFade == kMenuReady) return;
  HideOptionsScreen();
  TouchAreaSetEnabled(GameState.fireArea, 0);
  SetMenuVisible(0);
  GameState.menuFade = kMenuReady;
  SetMenuVisible(1);
  ClearWorld();
  HideHelpScreen();
  HideBestScores();
  HideGameButtons();
  ViewSetVisible(GameState.menuBackground, 1);
}

void FadeInMenuFrame() {
  GameState.menuFade += 90;
  if (GameState.menuFade < kMenuReady + 1) {
    SetMenuButtonsVisible(0);
  } else {
    SceneChange(SceneMainMenu);
  }
}

void FadeOutMenuFrame() {
  GameState.menuFade -= 100;
  // The options screen keeps the logo.
  const bool keepLogo = ScenePending() == SceneOptions;
  if (GameState.menuFade < 0) {
    if (!keepLogo) ViewSetVisible(GameState.logoView, 0);
    SetMenuButtonsVisible(0);
    SceneFinishFade();
  }
  if (!keepLogo) ViewHide(GameState.logoView, GameState.menuFade);
  SetMenuButtonsVisible(0);
}

int StartTouched(int phase, int, int) {
  if (!MenuActive() || !ButtonLifted(phase, GameState.startButtonOver)) return 0;
  Tap();
  GameState.currentMission = LoadCampaignLevel(GameState.campaignLevel, 1);
  LeaveMenuFor(SceneInterLevel);
  return 0;
}

int FreePlayTouched(int phase, int, int) {
  if (!MenuActive() || !ButtonLifted(phase, GameState.freePlayButtonOver)) return 0;
  GameState.FreePlay = 1;
  LeaveMenuFor(SceneStartFreePlay);
  Tap();
  return 0;
}

int OptionsTouched(int phase, int, int) {
  if (!MenuActive() || !ButtonLifted(phase, GameState.optionsButtonOver)) return 0;
  LeaveMenuFor(SceneOptions);
  Tap();
  return 0;
}

int HelpTouched(int phase, int, int) {
  if (!MenuActive() || !ButtonLifted(phase, GameState.helpButtonOver)) return 0;
  Tap();
  LeaveMenuFor(SceneHelp);
  return 0;
}

int ScoresTouched(int phase, int, int) {
  if (!MenuActive() || !ButtonLifted(phase, GameState.scoresButtonOver)) return 0;
  Tap();
  LeaveMenuFor(SceneBestScores);
  return 0;
}

int QuitTouched(int phase, int, int) {
  if (!MenuActive() || !PlatformCanQuit() || !ButtonLifted(phase, GameState.quitButtonOver)) return 0;
  Tap();
  char question[52];
  CentreInMessageBox("Quit Vel Mora?", question, sizeof question);
  OpenMessageBox("", question, "", SceneMainMenu, 0, Quit);
  return 0;
}

int BackTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || !ButtonLifted(phase, GameState.backButtonOver)) return 0;
  SceneChange(SceneMainMenu);
  Tap();
  return 0;
}

