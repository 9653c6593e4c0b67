#include "app/loading.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "input/steering.h"
#include "platform/platform.h"
#include "render/decoder.h"
#include "render/image.h"
#include "render/text.h"
#include "ship/guns.h"
#include "ship/laser.h"
#include "ship/ship.h"
#include "storage/profile.h"
#include "storage/user_files.h"
#include "ui/best_scores.h"
#include "ui/calibration.h"
#include "ui/game_buttons.h"
#include "ui/help.h"
#include "ui/inter_level.h"
#include "ui/menu.h"
#include "ui/message_box.h"
#include "ui/options.h"
#include "ui/pause_overlay.h"
#include "ui/shop.h"
#include "ui/sound_levels.h"
#include "views/views.h"
#include "world/asteroids.h"
#include "world/bolts.h"
#include "world/cargo_ship.h"
#include "world/damage.h"
#include "world/explosions.h"
#include "world/pickups.h"
#include "world/round.h"
#include "world/stars.h"

namespace {

constexpr double kLoadBarStep = 17.53;  // the bar grows by 17.53 px on every even step ...
constexpr double kLoadBarCap = 295.0;   // ... while it is below 295 px, so it ends at 298 px

// Every screen outside the round, bottom to top: the round's space pictures under everything,
// the menu, the options screen (with the back button that help shares), the menu's pressed
// pictures, help, the calibration panel, the sound levels panel and the best-scores table.
void InitUI() {
  CreateSpaceBackgrounds();
  CreateMenuScreen();
  CreateOptionsScreen();
  CreateMenuPressedPictures();
  CreateHelpScreen();
  CreateCalibrationViews();
  CreateSoundLevels();
  CreateBestScores();
}

void InitShipUI() {
  CreateHeatBackgrounds();
  CreateShipBars();
}

void ShipImages() {
  LoadShipImages();
  CreateLaserControls();
}

void Font20() { GameState.font20 = FontAdd("Fonts/Free20RegularWhite"); }
void LoopSound() { GameState.loopSound = SoundAdd("Sounds/loop.wav"); }
void MainSound() { GameState.mainSound = SoundAdd("Sounds/main.wav"); }
void LaserSound() { GameState.laserSound = SoundAdd("Sounds/laser.wav"); }

void ButtonAndCalabriumSounds() {
  GameState.buttonSound = SoundAdd("Sounds/buttonTap.wav");
  GameState.CalabriumSound = SoundAdd("Sounds/calabrium.wav");
}

void Font14AndGameButtons() {
  GameState.font14 = FontAdd("Fonts/Free14RegularWhite");
  CreateGameButtons();
}

void CampaignInit() {
  CreateInterLevelScreen();
  CreateShop();
}

void CargoShipAndControls() {
  CreateCargoShip();
  CreateShipViews();
  CreatePauseOverlay();
  CreateMessageBox();
}

// Step 40: the loading screen goes, the user files are read and the menu fades in.
void FinishLoading() {
  // The loading screen is never shown again: its pictures go (the background alone is 3 MiB).
  for (ViewId view : {GameState.loadingBar, GameState.loadingBarFrame, GameState.loadingBackground}) ViewRetire(view);
  ViewsSetVisible({GameState.Menu.menuBackground, GameState.Menu.logoView}, 1);
  LoadSaveGame();
  LoadCalibration();
  LoadProfile();
  ApplySoundLevels();
  GameState.InterLevel.campaignHelpImage = ViewAdd("Images/campaignHelp.png", -2000, -2000);
  ViewSetVisible(GameState.InterLevel.campaignHelpImage, 0);
  ViewSetxy(GameState.InterLevel.campaignHelpImage, 0, 0);
  if (GameState.controlMethod == ControlAccelerometer) {
    ApplyCalibration(GameState.calibrationX, GameState.calibrationY);
  }
  GameState.LoadPhase = 1;
  GameState.menuFade = 0;
  SceneChange(SceneFadeIn);  // the menu music starts with it
  FinishTexturesAhead();
  StopDecodingAhead();
  PlatformReleaseFreedMemory();
}

typedef void (*StepWork)();

// The work of each step; odd steps and step 36 have none. The order fixes every id, and so the
// stacking order of everything on screen: menus under the stars, stars under the asteroids, and
// so on up to the ship, its controls, the message box and the campaign help on top.
StepWork StepAt(int step) {
  switch (step) {
    case 0: return LoadPickupImages;  // "Calabrium load"
    case 2: return InitUI;
    case 4: return InitStars;
    case 6: return InitAsteroids;
    case 8: return InitInfected;
    case 10: return InitOre;
    case 12: return InitShipUI;
    case 14: return InitExplosions;  // "Init explosion manager"
    case 16: return ShipImages;
    case 18: return InitBolts;  // "Lazorz"
    case 20: return Font20;
    case 22: return LoopSound;
    case 24: return MainSound;
    case 26: return LaserSound;
    case 28: return ButtonAndCalabriumSounds;
    case 30: return LoadOptions;  // "read opt"
    case 32: return Font14AndGameButtons;
    case 34: return CampaignInit;
    case 38: return CargoShipAndControls;  // "cargoship"
    case 40: return FinishLoading;         // "end init start"
    default: return nullptr;
  }
}

// Adds 17.53 px to the bar while it is below 295 px.
void AdvanceLoadingBar() {
  if (GameState.LoadProgress < kLoadBarCap) GameState.LoadProgress += kLoadBarStep;
}

}  // namespace

bool LoadingFrameAsShown() {
  static double shownBar = -1.0;  // the bar's width in the last loading frame drawn
  const bool loading = GameState.SceneState == SceneLoading && GameState.LoadPhase == 0;
  if (loading && GameState.LoadProgress == shownBar && PlatformKeepsLastFrame()) return true;
  shownBar = loading ? GameState.LoadProgress : -1.0;
  return false;
}

void LoadStep() {
  const int step = GameState.LoadStepCounter;
  if (!PlatformLoadStepReady(step)) return;  // the loading screen stays as it is meanwhile
  if (StepWork work = StepAt(step)) work();
  if (step % 2 == 0) AdvanceLoadingBar();
  GameState.LoadStepCounter += 1;
}
