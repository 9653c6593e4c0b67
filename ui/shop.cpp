#include "ui/shop.h"

#include <cstdio>

#include "core/scene.h"
#include "render/text.h"
#include "ui/buttons.h"
#include "ui/prices.h"
#include "views/views.h"

namespace {

constexpr int32_t kMaxLevel = 6;
constexpr const char* kBlanks40 = "                                        ";

struct Kind {
  UpgradeKind kind;
  const char* icon;
  const char* title;
  const char* maximum;
  int32_t rowY;
  TouchCallback buy;
};

int BuyStructureTouched(int phase, int x, int y);
int BuyShieldTouched(int phase, int x, int y);
int BuyHandlingTouched(int phase, int x, int y);
int BuyWeaponsTouched(int phase, int x, int y);

// In UpgradeKind order.
const Kind kKinds[kUpgradeKinds] = {
    {UpgradeStructure, "Images/upgradeStruct.png", "Structure upgrade", "MAXIMUM", 313, BuyStructureTouched},
    {UpgradeShield, "Images/upgradeShield.png", "Shield upgrade", "MAXIMUM", 367, BuyShieldTouched},
    {UpgradeHandling, "Images/upgradeMan.png", "Handling upgrade", "MAXIMUM", 422, BuyHandlingTouched},
    {UpgradeWeapons, "Images/upgradeWeapons.png", "Weapons upgrade", "MAXIMUM", 479, BuyWeaponsTouched},
};

constexpr int32_t kRowX = 350;
constexpr int32_t kHighlightX = 581;
// Where the rows are prepared once, off-screen, at start-up.
constexpr int32_t kPrepareY[4] = {53, 107, 162, 219};

char levelTexts[4][52];

int32_t* LevelOf(UpgradeKind kind) {
  switch (kind) {
    case UpgradeStructure: return &GameState.structureLevel;
    case UpgradeShield: return &GameState.shieldLevel;
    case UpgradeHandling: return &GameState.handlingLevel;
    case UpgradeWeapons: return &GameState.weaponsLevel;
    default: return nullptr;
  }
}

void CreateUpgradeRow(UpgradeRow& row, ImageId icon, const Kind& kind) {
  row.icon = ViewAddFromImage(icon, -500, -500);
  row.title = TextAdd(-500, -500, kBlanks40, GameState.font14);
  row.levelText = TextAdd(-500, -500, kBlanks40, GameState.font14);
  row.buyButton = ViewAdd("Images/smallBuy.png", -500, -500, kind.buy);
  row.kind = kind.kind;
  ViewSetVisible(row.buyButton, 0);
  ViewSetVisible(row.icon, 0);
  TextSetVisible(row.title, 0);
  TextSetVisible(row.levelText, 0);
  row.shown = 0;
}

void RefreshRowTexts(UpgradeRow& row) {
  const int index = row.kind;
  if (index < 0 || index >= kUpgradeKinds) return;
  const int32_t level = *LevelOf(row.kind);
  TextSetText(row.title, kKinds[index].title);
  if (level < kMaxLevel) {
    snprintf(levelTexts[index], sizeof levelTexts[index], "Lv: %d, Cost: %d", level, UpgradeCost(row.kind, level));
    TextSetText(row.levelText, levelTexts[index]);
  } else {
    TextSetText(row.levelText, kKinds[index].maximum);
  }
  row.cost = UpgradeCost(row.kind, level);
}

void UpdateBuyButton(UpgradeRow& row) {
  RefreshRowTexts(row);
  if (!CanAfford(GameState.credits, row.cost) || *LevelOf(row.kind) >= kMaxLevel) ViewSetVisible(row.buyButton, 0);
}

void ShowUpgradeRow(UpgradeRow& row, int32_t x, int32_t y) {
  if (row.shown) return;
  ViewSetxy(row.icon, x, y);
  ViewSetxy(row.buyButton, x + 231, y + 10);
  TextSetxy(row.title, x + 52, y + 8);
  TextSetxy(row.levelText, x + 52, y + 24);
  ViewSetVisible(row.buyButton, 1);
  RefreshRowTexts(row);
  UpdateBuyButton(row);
  ViewSetVisible(row.icon, 1);
  TextSetVisible(row.title, 1);
  TextSetVisible(row.levelText, 1);
  row.shown = 1;
}

void HideUpgradeRow(UpgradeRow& row) {
  ViewSetVisible(row.buyButton, 0);
  ViewSetVisible(row.icon, 0);
  TextSetVisible(row.title, 0);
  TextSetVisible(row.levelText, 0);
  row.shown = 0;
}

void RefreshShop() {
  static char credits[32];
  snprintf(credits, sizeof credits, "CR: %d", GameState.credits);
  TextSetText(GameState.InterLevel.creditsText, credits);
  for (UpgradeRow& row : GameState.InterLevel.rows) UpdateBuyButton(row);
}

int Buy(UpgradeKind kind, int phase) {
  if (MessageBoxIsOpen()) return 0;
  if (phase == kPhasePressed) {
    ViewSetxy(GameState.InterLevel.buyButtonOver, kHighlightX, kKinds[kind].rowY + 10);
    ViewSetVisible(GameState.InterLevel.buyButtonOver, 1);
  } else if (phase == kPhaseReleased) {
    ViewSetVisible(GameState.InterLevel.buyButtonOver, 0);
    int32_t& level = *LevelOf(kind);
    const int32_t cost = UpgradeCost(kind, level);
    if (CanAfford(GameState.credits, cost)) {
      GameState.credits -= cost;
      level += 1;
      RefreshShop();
    }
    Tap();
  }
  return 0;
}

int BuyStructureTouched(int phase, int, int) { return Buy(UpgradeStructure, phase); }
int BuyShieldTouched(int phase, int, int) { return Buy(UpgradeShield, phase); }
int BuyHandlingTouched(int phase, int, int) { return Buy(UpgradeHandling, phase); }
int BuyWeaponsTouched(int phase, int, int) { return Buy(UpgradeWeapons, phase); }

}  // namespace

void CreateShop() {
  ImageId icons[4];
  for (int i = 0; i < 4; ++i) icons[i] = ImageAdd(kKinds[i].icon);
  UpgradeRow* rows = GameState.InterLevel.rows;
  for (int i = 0; i < 4; ++i) CreateUpgradeRow(rows[i], icons[i], kKinds[i]);
  for (int i = 0; i < 4; ++i) {
    ShowUpgradeRow(rows[i], -500, kPrepareY[i]);
    HideUpgradeRow(rows[i]);
  }
  GameState.InterLevel.buyButtonOver = PressedPicture(ViewAdd("Images/smallBuyOver.png", -500, -500));
}

void ShowShop(bool visible) {
  UpgradeRow* rows = GameState.InterLevel.rows;
  for (int i = 0; i < 4; ++i) {
    if (visible) {
      ShowUpgradeRow(rows[i], kRowX, kKinds[i].rowY);
    } else {
      HideUpgradeRow(rows[i]);
    }
  }
}
