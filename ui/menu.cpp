#include "ui/menu.h"

#include "core/game_state.h"
#include "core/scene.h"
#include "audio/sound.h"
#include "input/steering.h"
#include "storage/levels.h"
#include "storage/user_files.h"
#include "ui/buttons.h"
#include "ui/calibration.h"
#include "ui/game_buttons.h"
#include "ui/message_box.h"
#include "views/views.h"
#include "world/round.h"

namespace {

constexpr int32_t kMenuReady = 100;

ViewId AddHidden(const char* name, int32_t x, int32_t y, TouchCallback callback = nullptr) {
  const ViewId id = ViewAdd(name, x, y, callback);
  ViewSetVisible(id, 0);
  return id;
}

// Menu buttons act only on the menu itself and never under the message box.
bool MenuActive() { return GameState.SceneState == SceneMainMenu && !MessageBoxIsOpen(); }

void LeaveMenuFor(int32_t scene) { SceneChangeAfterFade(scene); }

}  // namespace

void InitUI() {
  static const char* const kSpaces[6] = {"Images/space.png",  "Images/space1.png", "Images/space2.png",
                                         "Images/space3.png", "Images/space4.png", "Images/space5.png"};
  for (int i = 0; i < 6; ++i) GameState.SpaceBackground[i] = AddHidden(kSpaces[i], 0, 0);
  GameState.menuBackground = AddHidden("Images/menuBG.png", -900, 0);
  ViewSetxy(GameState.menuBackground, 0, 0);
  GameState.logoView = AddHidden("Images/logo.png", -900, 0);
  ViewSetxy(GameState.logoView, 0, 0);
  GameState.startButton = ViewAdd("Images/startBtn.png", 387, 290, StartTouched);
  GameState.freePlayButton = ViewAdd("Images/freePlayBtn.png", 387, 350, FreePlayTouched);
  GameState.optionsButton = ViewAdd("Images/optionsBtn.png", 387, 410, OptionsTouched);
  GameState.helpButton = ViewAdd("Images/helpBtn.png", 387, 470, HelpTouched);
  ViewHide(GameState.startButton, 0);
  ViewHide(GameState.freePlayButton, 0);
  ViewHide(GameState.optionsButton, 0);
  ViewHide(GameState.helpButton, 0);
  GameState.optionsBackground = AddHidden("Images/optionsBG.png", -500, -500);
  ViewSetxy(GameState.optionsBackground, 328, 369);
  GameState.yesImage = ImageAdd("Images/yesBtn.png");
  GameState.noImage = ImageAdd("Images/noBtn.png");
  GameState.soundIndicator = ViewAddFromImage(GameState.yesImage, 0, 0);
  ViewSetVisible(GameState.soundIndicator, 0);
  GameState.musicIndicator = ViewAddFromImage(GameState.yesImage, 0, 0);
  ViewSetVisible(GameState.musicIndicator, 0);
  GameState.backButton = AddHidden("Images/backBtn.png", 387, 680, BackTouched);
  GameState.soundToggle = AddHidden("Images/soundBG.png", 350, 400, SoundToggleTouched);
  GameState.musicToggle = AddHidden("Images/musicBG.png", 350, 460, MusicToggleTouched);
  GameState.controlButton = AddHidden("Images/controlMethod.png", -500, -500, ControlMethodTouched);
  ViewSetxy(GameState.controlButton, 350, 520);
  GameState.accelImage = AddHidden("Images/accel.png", -500, -500);
  GameState.rightHandImage = AddHidden("Images/rightHand.png", -500, -500);
  GameState.leftHandImage = AddHidden("Images/leftHand.png", -500, -500);
  GameState.resetButton = AddHidden("Images/resetGame.png", 384, 570, ResetTouched);
  GameState.freePlayButtonOver = AddHidden("Images/freePlayBtnOver.png", 387, 350);
  GameState.startButtonOver = AddHidden("Images/startBtnOver.png", 387, 290);
  GameState.backButtonOver = AddHidden("Images/backBtnOver.png", 387, 680);
  GameState.optionsButtonOver = AddHidden("Images/optionsBtnOver.png", 387, 410);
  GameState.helpButtonOver = AddHidden("Images/helpBtnOver.png", 387, 470);
  GameState.helpImage = AddHidden("Images/help.png", -400, -400);
  CreateCalibrationViews();
}

void EnterMenu() {
  if (GameState.menuFade == kMenuReady) return;
  HideCalibration();
  TouchAreaSetEnabled(GameState.fireArea, 0);
  ViewHide(GameState.logoView, GameState.menuFade);
  ViewHide(GameState.startButton, GameState.menuFade);
  ViewHide(GameState.freePlayButton, GameState.menuFade);
  ViewHide(GameState.optionsButton, GameState.menuFade);
  ViewHide(GameState.helpButton, GameState.menuFade);
  GameState.menuFade = kMenuReady;
  ViewSetVisible(GameState.logoView, 1);
  ViewSetVisible(GameState.startButton, 1);
  ViewSetVisible(GameState.freePlayButton, 1);
  ViewSetVisible(GameState.optionsButton, 1);
  ViewSetVisible(GameState.helpButton, 1);
  ClearWorld();
  ViewSetVisible(GameState.soundToggle, 0);
  ViewSetVisible(GameState.musicToggle, 0);
  ViewSetVisible(GameState.backButton, 0);
  ViewSetVisible(GameState.soundIndicator, 0);
  ViewSetVisible(GameState.musicIndicator, 0);
  ViewSetVisible(GameState.resetButton, 0);
  ViewSetVisible(GameState.optionsBackground, 0);
  ViewSetVisible(GameState.accelImage, 0);
  ViewSetVisible(GameState.rightHandImage, 0);
  ViewSetVisible(GameState.leftHandImage, 0);
  ViewSetVisible(GameState.controlButton, 0);
  HideGameButtons();
  ViewSetVisible(GameState.helpImage, 0);
  ViewSetVisible(GameState.menuBackground, 1);
}

void OptionsFrame() {
  ViewSetVisible(GameState.soundToggle, 1);
  ViewSetVisible(GameState.musicToggle, 1);
  ViewSetVisible(GameState.backButton, 1);
  ViewSetVisible(GameState.optionsBackground, 1);
  ViewSetVisible(GameState.controlButton, 1);
  ViewSetxy(GameState.soundIndicator, 620, 400);
  ViewSetxy(GameState.musicIndicator, 620, 460);
  ViewSetxy(GameState.accelImage, 600, 520);
  ViewSetxy(GameState.leftHandImage, 530, 520);
  ViewSetxy(GameState.rightHandImage, 520, 520);
  switch (GameState.controlMethod) {
    case ControlLeftHand:
      ViewSetVisible(GameState.leftHandImage, 1);
      break;
    case ControlAccelerometer:
      ViewSetVisible(GameState.accelImage, 1);
      ShowCalibration();
      break;
    case ControlRightHand:
      ViewSetVisible(GameState.rightHandImage, 1);
      break;
    default:
      break;
  }
  ViewSetVisible(GameState.soundIndicator, 1);
  ViewSetVisible(GameState.musicIndicator, 1);
  ViewSetVisible(GameState.resetButton, 1);
  ViewSetImage(GameState.musicIndicator, GameState.musicOn != 1 ? GameState.noImage : GameState.yesImage);
  ViewSetImage(GameState.soundIndicator, GameState.soundOn != 1 ? GameState.noImage : GameState.yesImage);
  if (GameState.controlMethod == ControlAccelerometer) {
    ClearCalibrationOffsets();
    UpdateCalibrationDots();
  }
}

void HelpFrame() {
  ViewSetxy(GameState.helpImage, 212, 250);
  ViewSetVisible(GameState.helpImage, 1);
  ViewSetVisible(GameState.backButton, 1);
  ViewSetVisible(GameState.logoView, 1);
}

int StartTouched(int phase, int, int) {
  if (!MenuActive()) return 0;
  if (phase == kPhasePressed) {
    ViewSetVisible(GameState.startButtonOver, 1);
  } else if (phase == kPhaseReleased) {
    ViewSetVisible(GameState.startButtonOver, 0);
    Tap();
    GameState.currentMission = LoadCampaignLevel(GameState.campaignLevel, 1);
    LeaveMenuFor(SceneInterLevel);
  }
  return 0;
}

int FreePlayTouched(int phase, int, int) {
  if (!MenuActive()) return 0;
  if (phase == kPhasePressed) {
    ViewSetVisible(GameState.freePlayButtonOver, 1);
  } else if (phase == kPhaseReleased) {
    GameState.FreePlay = 1;
    LeaveMenuFor(SceneStartFreePlay);
    ViewSetVisible(GameState.freePlayButtonOver, 0);
    Tap();
  }
  return 0;
}

int OptionsTouched(int phase, int, int) {
  if (!MenuActive()) return 0;
  if (phase == kPhasePressed) {
    ViewSetVisible(GameState.optionsButtonOver, 1);
  } else if (phase == kPhaseReleased) {
    LeaveMenuFor(SceneOptions);
    ViewSetVisible(GameState.optionsButtonOver, 0);
    Tap();
  }
  return 0;
}

int HelpTouched(int phase, int, int) {
  if (!MenuActive()) return 0;
  if (phase == kPhasePressed) {
    ViewSetVisible(GameState.helpButtonOver, 1);
  } else if (phase == kPhaseReleased) {
    ViewSetVisible(GameState.helpButtonOver, 0);
    Tap();
    LeaveMenuFor(SceneHelp);
  }
  return 0;
}

int BackTouched(int phase, int, int) {
  if (MessageBoxIsOpen()) return 0;
  if (phase == kPhasePressed) {
    ViewSetVisible(GameState.backButtonOver, 1);
  } else if (phase == kPhaseReleased) {
    SceneChange(SceneMainMenu);
    ViewSetVisible(GameState.backButtonOver, 0);
    Tap();
  }
  return 0;
}

int SoundToggleTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || phase != kPhaseReleased) return 0;
  GameState.soundOn = GameState.soundOn != 1 ? 1 : 0;
  Tap();
  SaveOptions();
  return 0;
}

int MusicToggleTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || phase != kPhaseReleased) return 0;
  if (GameState.musicOn != 1) {
    GameState.musicOn = 1;
    PlayLoop(GameState.mainSound);
  } else {
    GameState.musicOn = 0;
    PauseLoop();
  }
  Tap();
  SaveOptions();
  return 0;
}

int ControlMethodTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || phase != kPhaseReleased) return 0;
  Tap();
  // The method cycles right hand -> accelerometer -> left hand -> right hand.
  switch (GameState.controlMethod) {
    case ControlLeftHand:
      ViewSetVisible(GameState.leftHandImage, 0);
      ViewSetVisible(GameState.rightHandImage, 1);
      ViewSetVisible(GameState.accelImage, 0);
      GameState.controlMethod = ControlRightHand;
      HideCalibration();
      break;
    case ControlAccelerometer:
      ViewSetVisible(GameState.leftHandImage, 1);
      ViewSetVisible(GameState.rightHandImage, 0);
      ViewSetVisible(GameState.accelImage, 0);
      GameState.controlMethod = ControlLeftHand;
      HideCalibration();
      break;
    case ControlRightHand:
      ViewSetVisible(GameState.leftHandImage, 0);
      ViewSetVisible(GameState.rightHandImage, 0);
      ViewSetVisible(GameState.accelImage, 1);
      GameState.controlMethod = ControlAccelerometer;
      ShowCalibration();
      break;
    default:
      break;
  }
  SaveOptions();
  return 0;
}

int ResetTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || phase != kPhaseReleased) return 0;
  Tap();
  OpenMessageBox("           WARNING!", " Clicking OK will erase", "all your game progress.", SceneOptions, 0,
                 ResetProgress);
  return 0;
}
