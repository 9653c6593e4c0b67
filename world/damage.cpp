#include "world/damage.h"

#include "core/game_state.h"
#include "views/views.h"

namespace {

struct ShipLevel {
  int32_t maxStructure;
  double maxShield;
  double regenAmount;
  int32_t regenInterval;
};

constexpr ShipLevel kLevels[6] = {
    {100, 50, 0.2, 35},   {120, 100, 0.35, 30}, {150, 200, 0.4, 25},
    {200, 250, 0.55, 20}, {230, 300, 0.7, 15},  {250, 330, 0.75, 10},
};

constexpr ShipLevel kNoLevel = {0, 0, 0, 0};

const ShipLevel& Level(int32_t level) { return level >= 1 && level <= 6 ? kLevels[level - 1] : kNoLevel; }

constexpr int32_t kBarWidth = 150;
constexpr int32_t kBarHeight = 7;
constexpr double kRegenLimit = 100.0;  // the same at every level, whatever the shield's capacity

}  // namespace

int32_t MaxStructure(int32_t structureLevel) { return Level(structureLevel).maxStructure; }
double MaxShield(int32_t shieldLevel) { return Level(shieldLevel).maxShield; }
double ShieldRegenAmountFor(int32_t shieldLevel) { return Level(shieldLevel).regenAmount; }
int32_t ShieldRegenIntervalFor(int32_t shieldLevel) { return Level(shieldLevel).regenInterval; }

void CreateShipBars() {
  GameState.StructureBar = ViewAdd("Images/healthBar.png", -250, 473);
  GameState.ShieldBar = ViewAdd("Images/shieldBar.png", -550, 473);
  ViewSetVisible(GameState.StructureBar, 0);
  ViewSetVisible(GameState.ShieldBar, 0);
}

void ApplyImpact(int32_t damage) {
  if (GameState.Shield > 0) {
    GameState.Shield -= damage;
  } else {
    GameState.Structure -= damage;
  }
  if (GameState.Shield < 0) {
    GameState.Structure += static_cast<int32_t>(GameState.Shield);
    GameState.Shield = 0;
  }
}

void RefreshShipBars() {
  const int32_t maxStructure = MaxStructure(GameState.structureLevel);
  const double maxShield = MaxShield(GameState.shieldLevel);
  const int32_t structureWidth = maxStructure > 0 ? GameState.Structure * kBarWidth / maxStructure : 0;
  const int32_t shieldWidth = maxShield > 0 ? static_cast<int32_t>(GameState.Shield * 150.0 / maxShield) : 0;
  ViewSetImageSize(GameState.StructureBar, structureWidth, kBarHeight);
  ViewSetImageSize(GameState.ShieldBar, shieldWidth, kBarHeight);
}

void RegenerateShield() {
  const int32_t interval = GameState.ShieldRegenInterval;
  if (interval <= 0) return;
  if (GameState.RoundFrame % interval == 0 && GameState.Shield < kRegenLimit) {
    GameState.Shield += GameState.ShieldRegenAmount;
    RefreshShipBars();
  }
}
