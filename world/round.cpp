#include "world/round.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "input/controls.h"
#include "ship/guns.h"
#include "ship/laser.h"
#include "ship/ship.h"
#include "views/views.h"
#include "world/asteroids.h"
#include "world/bolts.h"
#include "world/cargo_ship.h"
#include "world/damage.h"
#include "world/explosions.h"
#include "world/mission.h"
#include "world/pickups.h"
#include "world/random.h"
#include "world/stars.h"

namespace {

constexpr int32_t kFreePlayPace = 60;
constexpr int32_t kShipStartX = 472, kShipStartY = 668;

}  // namespace

void CreateSpaceBackgrounds() {
  static const char* const kSpaces[6] = {"Images/space.png",  "Images/space1.png", "Images/space2.png",
                                         "Images/space3.png", "Images/space4.png", "Images/space5.png"};
  for (int i = 0; i < 6; ++i) GameState.SpaceBackground[i] = ViewAddHidden(kSpaces[i], 0, 0);
}

void StartRound(int32_t freePlay) {
  const int32_t background = static_cast<int32_t>(RandomBelow(6));
  ViewSetVisible(GameState.Menu.menuBackground, 0);
  for (ViewId space : GameState.SpaceBackground) ViewSetVisible(space, 0);
  ViewSetVisible(GameState.SpaceBackground[background], 1);
  if (GameState.musicOn) PlayLoop(GameState.loopSound);

  // The ship's position goes with its picture: the first shot of a round leaves from here.
  GameState.ShipX = kShipStartX;
  GameState.ShipY = kShipStartY;
  ViewSetxy(GameState.shipView, kShipStartX, kShipStartY);
  ViewSetVisible(GameState.shipView, 1);
  PlaceControls();

  const MissionRecord& mission = GameState.currentMission;
  if (freePlay == 1) {
    GameState.RoundAsteroidPace = kFreePlayPace;
    GameState.OrePeriod = static_cast<int32_t>(RandomBelow(300)) + 100;
    GameState.InfectedPeriod = static_cast<int32_t>(RandomBelow(200)) + 100;
  } else {
    // A range of -1 ("none") reaches the generator as 4294967295; that kind is skipped anyway.
    GameState.RoundAsteroidPace = mission.asteroidPace;
    GameState.OrePeriod = static_cast<int32_t>(RandomBelow(static_cast<uint32_t>(mission.oreRange)) + 100);
    GameState.InfectedPeriod = static_cast<int32_t>(RandomBelow(static_cast<uint32_t>(mission.infectedRange)) + 100);
    GameState.completionCounter = 0;
  }
  GameState.RoundFrame = 0;
  GameState.GameOverCounter = 0;
  GameState.ShipBank = 2;

  GameState.Structure = MaxStructure(GameState.structureLevel);
  GameState.Shield = MaxShield(GameState.shieldLevel);
  // Only a campaign round of a protect mission halves the heat; free play keeps it whole, whatever
  // mission was briefed last.
  GameState.HeatPerShot = freePlay == 0 && ProtectMission() ? ShotHeat() / 2 : ShotHeat();
  GameState.CoolInterval = ShotHeat();
  GameState.LaserHeat = 0.0;
  ShowHeat();
  ViewSetVisible(GameState.laserBar, 1);
  GameState.ShieldRegenAmount = ShieldRegenAmountFor(GameState.shieldLevel);
  GameState.ShieldRegenInterval = ShieldRegenIntervalFor(GameState.shieldLevel);
  ViewSetVisible(GameState.StructureBar, 1);
  ViewSetVisible(GameState.ShieldBar, 1);
  RefreshShipBars();
  TouchAreaSetEnabled(GameState.fireArea, 1);
  ViewSetxy(GameState.ShieldBar, 522, 761);
  ViewSetxy(GameState.StructureBar, 352, 761);
  ViewSetxy(GameState.laserBar, 352, 751);
  StartStars();
  ViewSetVisible(GameState.noHeatBackground, 1);
}

void UpdateWorld() {
  if (GameState.FreePlay == 0 && ProtectMission()) UpdateCargoShip();
  MoveShip();
  GameState.RoundFrame += 1;
  UpdateAsteroids();
  UpdateInfected();
  RegenerateShield();
  UpdateOre();
  UpdateIce();
  CoolLaser();
  UpdateBolts();
  UpdateExplosions();
  UpdateStars();
  UpdateMissionProgress();
  AdvanceCompletionCounter();
}

void ClearWorld() {
  ViewsSetVisible(
      {GameState.controlZone, GameState.controlPoint, GameState.firePoint, GameState.firePointDown, GameState.shipView},
      0);
  ClearHazards();
  ClearPickups();
  ClearBolts();
  HideStars();
  for (ViewId space : GameState.SpaceBackground) ViewSetVisible(space, 0);
  ViewsSetVisible({GameState.StructureBar, GameState.ShieldBar, GameState.laserBar}, 0);
  HideExplosions();
  ViewsSetVisible({GameState.noHeatBackground, GameState.overheatBackground}, 0);
}
