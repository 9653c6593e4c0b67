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
  const OptionsScreenRecord& options = GameState.Options;
  ViewsSetVisible({options.leftHandImage, options.rightHandImage, options.accelImage}, 0);
  ViewSetVisible(shown, 1);
}

// Every frame: the screen as the settings stand.
bool OptionsFrame() {
  const OptionsScreenRecord& options = GameState.Options;
  ViewsSetVisible({options.soundToggle, options.musicToggle, GameState.Menu.backButton, options.optionsBackground,
                   options.controlButton},
                  1);
  ViewSetxy(options.soundIndicator, 620, 400);
  ViewSetxy(options.musicIndicator, 620, 460);
  ViewSetxy(options.accelImage, 600, 520);
  ViewSetxy(options.leftHandImage, 530, 520);
  ViewSetxy(options.rightHandImage, 520, 520);
  switch (GameState.controlMethod) {
    case ControlLeftHand: ViewSetVisible(options.leftHandImage, 1); break;
    case ControlAccelerometer:
      ViewSetVisible(options.accelImage, 1);
      ShowCalibration();
      break;
    case ControlRightHand: ViewSetVisible(options.rightHandImage, 1); break;
    default: break;
  }
  ViewsSetVisible({options.soundIndicator, options.musicIndicator, options.resetButton}, 1);
  ViewSetImage(options.musicIndicator, GameState.musicOn != 1 ? options.noImage : options.yesImage);
  ViewSetImage(options.soundIndicator, GameState.soundOn != 1 ? options.noImage : options.yesImage);
  if (GameState.controlMethod == ControlAccelerometer) {
    ClearCalibrationOffsets();
    UpdateCalibrationDots();
  }
  SoundLevelsFrame();
  return true;
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
      ShowMethod(GameState.Options.rightHandImage);
      GameState.controlMethod = ControlRightHand;
      HideCalibration();
      break;
    case ControlAccelerometer:
      ShowMethod(GameState.Options.leftHandImage);
      GameState.controlMethod = ControlLeftHand;
      HideCalibration();
      break;
    case ControlRightHand:
      ShowMethod(GameState.Options.accelImage);
      GameState.controlMethod = ControlAccelerometer;
      ShowCalibration();
      break;
    default: break;
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

// Every view of the screen goes, the calibration panel too.
void LeaveOptions() {
  const OptionsScreenRecord& options = GameState.Options;
  HideCalibration();
  HideSoundLevels();
  ViewsSetVisible({options.soundToggle, options.musicToggle, GameState.Menu.backButton, options.soundIndicator,
                   options.musicIndicator, options.resetButton, options.optionsBackground, options.accelImage,
                   options.rightHandImage, options.leftHandImage, options.controlButton},
                  0);
}

}  // namespace

const Screen kOptionsScreen = {nullptr, OptionsFrame, LeaveOptions, PlayMenuMusic};

void SetSoundOn(bool on) {
  GameState.soundOn = on ? 1 : 0;
  ApplySoundLevels();
  SaveOptions();
}

void SetMusicOn(bool on) {
  GameState.musicOn = on ? 1 : 0;
  ApplySoundLevels();
  if (on) {
    PlayMenuMusic();
  } else {
    PauseLoop();
  }
  SaveOptions();
}

void CreateOptionsScreen() {
  OptionsScreenRecord& options = GameState.Options;
  options.optionsBackground = ViewAddHidden("Images/optionsBG.png", -500, -500);
  ViewSetxy(options.optionsBackground, 328, 369);
  options.yesImage = ImageAdd("Images/yesBtn.png");
  options.noImage = ImageAdd("Images/noBtn.png");
  options.soundIndicator = ViewAddFromImage(options.yesImage, 0, 0);
  ViewSetVisible(options.soundIndicator, 0);
  options.musicIndicator = ViewAddFromImage(options.yesImage, 0, 0);
  ViewSetVisible(options.musicIndicator, 0);
  CreateBackButton();
  options.soundToggle = ViewAddHidden("Images/soundBG.png", 350, 400, SoundToggleTouched);
  options.musicToggle = ViewAddHidden("Images/musicBG.png", 350, 460, MusicToggleTouched);
  options.controlButton = ViewAddHidden("Images/controlMethod.png", -500, -500, ControlMethodTouched);
  ViewSetxy(options.controlButton, 350, 520);
  options.accelImage = ViewAddHidden("Images/accel.png", -500, -500);
  options.rightHandImage = ViewAddHidden("Images/rightHand.png", -500, -500);
  options.leftHandImage = ViewAddHidden("Images/leftHand.png", -500, -500);
  options.resetButton = ViewAddHidden("Images/resetGame.png", 384, 570, ResetTouched);
}
