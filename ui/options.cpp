#include "ui/options.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "input/steering.h"
#include "storage/user_files.h"
#include "ui/buttons.h"
#include "ui/calibration.h"
#include "ui/message_box.h"
#include "ui/sound_levels.h"
#include "views/views.h"

namespace {

// Shows the picture of one control method and hides the other two.
void ShowMethod(ViewId shown) {
  ViewsSetVisible({GameState.leftHandImage, GameState.rightHandImage, GameState.accelImage}, 0);
  ViewSetVisible(shown, 1);
}

}  // namespace

void OptionsFrame() {
  ViewsSetVisible({GameState.soundToggle, GameState.musicToggle, GameState.backButton, GameState.optionsBackground,
                   GameState.controlButton},
                  1);
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
  ViewsSetVisible({GameState.soundIndicator, GameState.musicIndicator, GameState.resetButton}, 1);
  ViewSetImage(GameState.musicIndicator, GameState.musicOn != 1 ? GameState.noImage : GameState.yesImage);
  ViewSetImage(GameState.soundIndicator, GameState.soundOn != 1 ? GameState.noImage : GameState.yesImage);
  if (GameState.controlMethod == ControlAccelerometer) {
    ClearCalibrationOffsets();
    UpdateCalibrationDots();
  }
  SoundLevelsFrame();
}


void SetSoundOn(bool on) {
  GameState.soundOn = on ? 1 : 0;
  ApplySoundLevels();
  SaveOptions();
}

void SetMusicOn(bool on) {
  GameState.musicOn = on ? 1 : 0;
  ApplySoundLevels();
  if (on) {
    PlayLoop(GameState.mainSound);
  } else {
    PauseLoop();
  }
  SaveOptions();
}

int SoundToggleTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || phase != kPhaseReleased) return 0;
  GameState.soundOn = GameState.soundOn != 1 ? 1 : 0;
  ApplySoundLevels();
  Tap();
  SaveOptions();
  return 0;
}

int MusicToggleTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || phase != kPhaseReleased) return 0;
  SetMusicOn(GameState.musicOn != 1);
  Tap();
  return 0;
}

int ControlMethodTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || phase != kPhaseReleased) return 0;
  Tap();
  // The method cycles right hand -> accelerometer -> left hand -> right hand.
  switch (GameState.controlMethod) {
    case ControlLeftHand:
      ShowMethod(GameState.rightHandImage);
      GameState.controlMethod = ControlRightHand;
      HideCalibration();
      break;
    case ControlAccelerometer:
      ShowMethod(GameState.leftHandImage);
      GameState.controlMethod = ControlLeftHand;
      HideCalibration();
      break;
    case ControlRightHand:
      ShowMethod(GameState.accelImage);
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

void HideOptionsScreen() {
  HideCalibration();
  HideSoundLevels();
  ViewsSetVisible({GameState.soundToggle, GameState.musicToggle, GameState.backButton, GameState.soundIndicator,
                   GameState.musicIndicator, GameState.resetButton, GameState.optionsBackground, GameState.accelImage,
                   GameState.rightHandImage, GameState.leftHandImage, GameState.controlButton},
                  0);
}
