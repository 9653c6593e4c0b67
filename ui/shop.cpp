#include "ui/shop.h"

#include <cstdio>

#include "render/text.h"
#include "ui/buttons.h"
#include "views/views.h"

namespace {

constexpr int32_t kMaxLevel = 6;
constexpr int32_t kNoPrice = 999999;
constexpr const char* kBlanks40 = "                                        ";

struct Kind {
  char letter;
  const char* icon;
  const char* title;
  const char* maximum;
  int32_t rowY;
  int32_t prices[5];  // from levels 1 to 5
  TouchCallback buy;
};

const Kind kKinds[4] = {
    {'S', "Images/upgradeStruct.png", "Structure upgrade", "MAXIMUM", 313, {5000, 7500, 10000, 13000, 16000},
     BuyStructureTouched},
    {'L', "Images/upgradeShield.png", "Shield upgrade", "MAXIMUM", 367, {1500, 3000, 5500, 8000, 10000},
     BuyShieldTouched},
    {'H', "Images/upgradeMan.png", "Handling upgrade", "MAXIMUM", 422, {2500, 4000, 6000, 8000, 10000},
     BuyHandlingTouched},
    {'W', "Images/upgradeWeapons.png", "Weapons upgrade", "MAXIMUM", 479, {3000, 5000, 7500, 10000, 13000},
     BuyWeaponsTouched},
};

constexpr int32_t kRowX = 350;
constexpr int32_t kHighlightX = 581;
// Where the rows are prepared once, off-screen, at start-up.
constexpr int32_t kPrepareY[4] = {53, 107, 162, 219};

char levelTexts[4][52];

int KindIndex(char letter) {
  for (int i = 0; i < 4; ++i) {
    if (kKinds[i].letter == letter) return i;
  }
  return -1;
}

int32_t* LevelOf(char letter) {
  switch (letter) {
    case 'S': return &GameState.structureLevel;
    case 'L': return &GameState.shieldLevel;
    case 'H': return &GameState.handlingLevel;
    case 'W': return &GameState.weaponsLevel;
    default: return nullptr;
  }
}

void CreateUpgradeRow(UpgradeRow& row, ImageId icon, const Kind& kind) {
  row.icon = ViewAddFromImage(icon, -500, -500);
  row.title = TextAdd(-500, -500, kBlanks40, GameState.font14);
  row.levelText = TextAdd(-500, -500, kBlanks40, GameState.font14);
  row.buyButton = ViewAdd("Images/smallBuy.png", -500, -500, kind.buy);
  row.kind = kind.letter;
  ViewSetVisible(row.buyButton, 0);
  ViewSetVisible(row.icon, 0);
  TextSetVisible(row.title, 0);
  TextSetVisible(row.levelText, 0);
  row.shown = 0;
}

int Buy(char letter, int phase) {
  const int index = KindIndex(letter);
  if (phase == kPhasePressed) {
    ViewSetxy(GameState.buyButtonOver, kHighlightX, kKinds[index].rowY + 10);
    ViewSetVisible(GameState.buyButtonOver, 1);
  } else if (phase == kPhaseReleased) {
    ViewSetVisible(GameState.buyButtonOver, 0);
    int32_t& level = *LevelOf(letter);
    const int32_t cost = UpgradeCost(letter, level);
    if (GameState.credits - cost >= 0) {
      GameState.credits -= cost;
      level += 1;
      RefreshShop();
    }
    Tap();
  }
  return 0;
}

}  // namespace

int32_t UpgradeCost(char kind, int32_t level) {
  const int index = KindIndex(kind);
  if (index < 0 || level < 1 || level > 5) return kNoPrice;
  return kKinds[index].prices[level - 1];
}

void CreateShop() {
  ImageId icons[4];
  for (int i = 0; i < 4; ++i) icons[i] = ImageAdd(kKinds[i].icon);
  UpgradeRow* rows = GameState.InterLevel.rows;
  for (int i = 0; i < 4; ++i) CreateUpgradeRow(rows[i], icons[i], kKinds[i]);
  for (int i = 0; i < 4; ++i) {
    ShowUpgradeRow(rows[i], -500, kPrepareY[i]);
    HideUpgradeRow(rows[i]);
  }
  GameState.buyButtonOver = ViewAdd("Images/smallBuyOver.png", -500, -500);
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

void RefreshRowTexts(UpgradeRow& row) {
  const int index = KindIndex(row.kind);
  if (index < 0) return;
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
  if (GameState.credits - row.cost < 0 || *LevelOf(row.kind) >= kMaxLevel) ViewSetVisible(row.buyButton, 0);
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

int BuyStructureTouched(int phase, int, int) { return Buy('S', phase); }
int BuyShieldTouched(int phase, int, int) { return Buy('L', phase); }
int BuyHandlingTouched(int phase, int, int) { return Buy('H', phase); }
int BuyWeaponsTouched(int phase, int, int) { return Buy('W', phase); }
