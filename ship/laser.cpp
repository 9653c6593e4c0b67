#include "ship/laser.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "ship/guns.h"
#include "views/views.h"

namespace {

struct WeaponLevel {
  int32_t shotHeat;
  int32_t coolRate;
};

constexpr WeaponLevel kWeapons[6] = {{80, 35}, {60, 45}, {50, 55}, {40, 65}, {30, 85}, {20, 95}};

const WeaponLevel* Weapon() {
  const int32_t level = GameState.weaponsLevel;
  return level >= 1 && level <= 6 ? &kWeapons[level - 1] : nullptr;
}

constexpr int32_t kBarHeight = 7;
constexpr double kCoolRateScale = 15.0;  // a cooling step takes CoolRate / 15 heat
constexpr double kReadyMargin = 0.6;     // a shot may overshoot the cap by 40 % of its heat

void ShowHeatReady() {
  ViewSetVisible(GameState.noHeatBackground, 1);
  ViewSetVisible(GameState.overheatBackground, 0);
}

void ShowHeatOverheated() {
  ViewSetVisible(GameState.noHeatBackground, 0);
  ViewSetVisible(GameState.overheatBackground, 1);
}

}  // namespace

int32_t ShotHeat() { return Weapon() != nullptr ? Weapon()->shotHeat : 0; }
int32_t CoolRate() { return Weapon() != nullptr ? Weapon()->coolRate : 0; }

void CreateHeatBackgrounds() {
  GameState.overheatBackground = ViewAdd("Images/overheatBG.png", -2000, -2000);
  ViewSetVisible(GameState.overheatBackground, 0);
  ViewSetxy(GameState.overheatBackground, 0, 743);
  GameState.noHeatBackground = ViewAdd("Images/noHeatBG.png", -2000, -2000);
  ViewSetVisible(GameState.noHeatBackground, 0);
  ViewSetxy(GameState.noHeatBackground, 0, 743);
}

void CreateLaserControls() {
  GameState.fireArea = TouchAreaAdd(0, 48, 1024, 768, FireAreaTouched);
  TouchAreaSetEnabled(GameState.fireArea, 0);
  GameState.laserBeamImage = ImageAdd("Images/laserBeam.png");
  GameState.laserBar = ViewAdd("Images/laserBar.png", -50, 751);
  ViewSetVisible(GameState.laserBar, 0);
}

bool LaserReady() { return GameState.LaserHeat + kReadyMargin * GameState.HeatPerShot <= kHeatCap; }

void ShowHeat() { ViewSetImageSize(GameState.laserBar, static_cast<int32_t>(GameState.LaserHeat), kBarHeight); }

void FireLaser() {
  if (GameState.LaserHeat + GameState.HeatPerShot > kHeatCap && !LaserReady()) {
    ShowHeatOverheated();
    ShowHeat();
    return;
  }
  GameState.LaserHeat += GameState.HeatPerShot;
  if (GameState.LaserHeat > kHeatCap) GameState.LaserHeat = kHeatCap;
  if (GameState.weaponsLevel >= 4) {
    FireGun(kGunLeftWing);
    FireGun(kGunNose);
    FireGun(kGunRightWing);
  } else {
    FireGun(kGunNose);
  }
  if (GameState.LaserHeat == kHeatCap) ShowHeatOverheated();
  if (GameState.soundOn) PlaySound(GameState.laserSound);
  ShowHeat();
}

void CoolLaser() {
  const int32_t interval = GameState.CoolInterval;
  if (interval <= 0 || GameState.RoundFrame % interval != 0) return;
  CoolLaserBy(CoolRate() / kCoolRateScale);
}

void CoolLaserBy(double heat) {
  GameState.LaserHeat -= heat;
  if (GameState.LaserHeat < 0.0) GameState.LaserHeat = 0.0;
  ShowHeat();
  if (LaserReady()) ShowHeatReady();
}

int FirePointTouched(int phase, int, int) {
  if (MessageBoxIsOpen()) return 0;
  if (phase == kPhaseReleased && GameState.SceneState == ScenePlaying) {
    ViewSetVisible(GameState.firePointDown, 0);
    FireLaser();
  }
  if (phase == kPhasePressed) ViewSetVisible(GameState.firePointDown, 1);
  return 0;
}

int FireAreaTouched(int phase, int, int) {
  if (MessageBoxIsOpen() || GameState.controlMethod != ControlAccelerometer || phase != kPhaseReleased) return 0;
  if (GameState.SceneState == ScenePlaying) FireLaser();
  return 0;
}
