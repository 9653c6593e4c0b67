// The upgrade shop on the briefing screen: its rows, prices by level, what a balance can buy, and
// when purchases are kept.
#include "support/harness.h"

using namespace harness;

namespace {

constexpr int kRowY[4] = {313, 367, 422, 479};  // structure, shield, handling, weapons
const UpgradeRow& Row(int i) { return GameState.InterLevel.rows[i]; }
// The price line of each row, with "+" where its buy button shows, and the balance.
std::string Shop() {
  std::string all;
  for (int i = 0; i < 4; ++i) all += Text(Row(i).levelText) + (Shown(Row(i).buyButton) ? "+|" : "|");
  return all + Text(GameState.InterLevel.creditsText);
}
// A tap on the buy button of a row (90 x 30 at x 581, 10 below the row's top).
void Buy(int row) {
  PushTap(626, kRowY[row] + 25);
  Frame();
}

}  // namespace

class ShopTest : public GameTest {};

TEST_F(ShopTest, ANewGameBuysStructureWithExactlyItsPriceAndTheOtherButtonsGoAtOnce) {
  UseLevels({{1, "100000;-1;-1;S;0;3000;1"}});
  ReachBriefing();
  const char* titles[4] = {"Structure upgrade", "Shield upgrade", "Handling upgrade", "Weapons upgrade"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Text(Row(i).title), titles[i]);
    EXPECT_TRUE(Shown(Row(i).icon));
    EXPECT_TRUE(ViewGetX(Row(i).buyButton) == 581 && ViewGetY(Row(i).buyButton) == kRowY[i] + 10) << i;
  }
  EXPECT_EQ(Shop(), "Lv: 1, Cost: 5000+|Lv: 1, Cost: 1500+|Lv: 1, Cost: 2500+|Lv: 1, Cost: 3000+|CR: 5000");
  // A finger lifted outside a buy button buys nothing, and its highlight goes with the finger.
  PushMouseDown(626, kRowY[1] + 25);
  Frame();
  EXPECT_TRUE(Shown(GameState.InterLevel.buyButtonOver));
  EXPECT_EQ(ViewGetY(GameState.InterLevel.buyButtonOver), 377);
  PushMouseUp(200, 100);
  Frames(2);
  EXPECT_FALSE(Shown(GameState.InterLevel.buyButtonOver));
  Buy(0);
  EXPECT_FALSE(Shown(GameState.InterLevel.buyButtonOver));
  EXPECT_EQ(Shop(), "Lv: 2, Cost: 7500|Lv: 1, Cost: 1500|Lv: 1, Cost: 2500|Lv: 1, Cost: 3000|CR: 0");
  Buy(1);
  EXPECT_EQ(GameState.shieldLevel, 1) << "a vanished button buys nothing";
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5000<<")) << "a purchase is not saved";
  // The rows come back with the briefing after a won mission, with the buttons now affordable.
  StartMission();
  EXPECT_EQ(PlayUntilMessage(5), 2);
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;2;1;3000<<"));
  Tap(kBoxOk, 2);
  EXPECT_EQ(Shop(), "Lv: 2, Cost: 7500|Lv: 1, Cost: 1500+|Lv: 1, Cost: 2500+|Lv: 1, Cost: 3000+|CR: 3000");
}

TEST_F(ShopTest, EveryRowIsPricedByItsLevelUpToItsMaximum) {
  WriteFile(kSave, Record("Vel mora >>1;1;1;1;1;148500<<"));  // what the whole shop costs
  ReachBriefing();
  const char* prices[4] = {"5000 7500 10000 13000 16000", "1500 3000 5500 8000 10000", "2500 4000 6000 8000 10000",
                           "3000 5000 7500 10000 13000"};
  for (int row = 0; row < 4; ++row) {
    std::string seen;
    for (int level = 1; level <= 5; ++level) {
      const std::string text = Text(Row(row).levelText);
      seen += (level > 1 ? " " : "") + text.substr(text.find("Cost: ") + 6);
      EXPECT_EQ(text.substr(0, 6), "Lv: " + std::to_string(level) + ",");
      Buy(row);
    }
    EXPECT_EQ(seen, prices[row]);
  }
  EXPECT_EQ(Shop(), "MAXIMUM|MAXIMUM|MAXIMUM|MAXIMUM|CR: 0") << "no button at the maximum";
  // Coming back to the briefing shows the rows afresh: the rows at their maximum stay bare.
  GameState.credits = 100000;
  GameState.weaponsLevel = 2;
  Tap(kBriefingBack, 2);
  Tap(kStart, 3);
  EXPECT_EQ(Shop(), "MAXIMUM|MAXIMUM|MAXIMUM|Lv: 2, Cost: 5000+|CR: 100000");
}
