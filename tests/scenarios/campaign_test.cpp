// The campaign as a player plays it, with short missions of the test's own: briefings, rounds of
// each mission type, winning, losing, the last mission, leaving a round, the upgrade shop,
// resuming after a restart, and level files that would break a round.

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include "core/game_state.h"
#include "input/events.h"
#include "render/text.h"
#include "storage/levels.h"
#include "support/harness.h"
#include "views/views.h"
#include "world/asteroids.h"
#include "world/cargo_ship.h"

namespace fs = std::filesystem;

namespace {

using harness::FirstSession;
using harness::ReadFile;
using harness::Record;
using harness::WriteFile;

const std::string kSave = "Data/User/VelMoraSaveGame.sav";

constexpr int kMusicChannel = 31;
constexpr int kMenuMusic = 2;

constexpr int kStart[2] = {512, 315}, kBriefingStart[2] = {570, 705}, kBriefingBack[2] = {420, 705};
constexpr int kBoxOk[2] = {512, 420}, kGameBack[2] = {24, 24}, kPause[2] = {1000, 24}, kFire[2] = {71, 699};
constexpr int kRowY[4] = {313, 367, 422, 479};  // shop rows: structure, shield, handling, weapons

// Replaces the shipped level files with the test's own, one line each; an empty line leaves
// that level's file out.
void UseLevels(const std::map<int, std::string>& lines) {
  fs::remove("Data/Levels");
  fs::create_directory("Data/Levels");
  for (const auto& [level, line] : lines) {
    if (!line.empty()) WriteFile("Data/Levels/level" + std::to_string(level) + ".dat", line + "\n");
  }
}

bool Visible(ViewId id) { return ViewAt(id) != nullptr && ViewAt(id)->visible == 1; }
std::string Text(TextId id) { return GameState.TextTable.entries[id]->text; }
bool TextVisible(TextId id) { return GameState.TextTable.entries[id]->visible == 1; }
const UpgradeRow& Row(int i) { return GameState.InterLevel.rows[i]; }
bool BuyShown(int i) { return Visible(Row(i).buyButton); }

void TapThenRun(const int* at, int frames) {
  harness::PushTap(at[0], at[1]);
  harness::Frames(frames);
}

// From the start button of a freshly started game to the briefing of the saved mission.
void BootToBriefing() {
  harness::Boot();
  harness::FinishLoading();
  harness::Frames(2);  // the fade-in's last frame, then the menu sets itself up
  TapThenRun(kStart, 3);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
}

// A tap on the buy button of a shop row (90 x 30 at x 581, 10 below the row's top).
void Buy(int row) {
  harness::PushTap(626, kRowY[row] + 25);
  harness::Frame();
}

// Start on the briefing: the round is set up in the same frame.
void StartMission() {
  TapThenRun(kBriefingStart, 1);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  ASSERT_EQ(GameState.RoundFrame, 0);
}

// Plays until the message box opens; returns the number of played frames, or -1.
int PlayUntilMessage(int limit) {
  for (int frame = 1; frame <= limit; ++frame) {
    harness::Frame();
    if (GameState.SceneState == SceneMessageBox) return frame;
  }
  return -1;
}

void ExpectMessage(const char* line1, const char* line2, const char* line3) {
  ASSERT_EQ(GameState.SceneState, SceneMessageBox);
  EXPECT_EQ(Text(GameState.MessageBox.line1), line1);
  EXPECT_EQ(Text(GameState.MessageBox.line2), line2);
  EXPECT_EQ(Text(GameState.MessageBox.line3), line3);
}

void ExpectBriefing(const std::string& stage, const std::string& line1, const std::string& line2, int line2X,
                    const std::string& reward) {
  const InterLevelScreenRecord& s = GameState.InterLevel;
  EXPECT_EQ(Text(s.stageText), stage);
  EXPECT_EQ(Text(s.line1Text), line1);
  EXPECT_EQ(Text(s.line2Text), line2);
  EXPECT_EQ(GameState.TextTable.entries[s.line2Text]->x, line2X);
  EXPECT_EQ(Text(s.rewardText), reward);
  for (TextId text : {s.stageText, s.creditsText, s.line1Text, s.line2Text, s.rewardText}) {
    EXPECT_TRUE(TextVisible(text));
  }
}

void ExpectRound(const std::string& progress, const std::string& label) {
  EXPECT_EQ(Text(GameState.scoreText), progress);
  EXPECT_EQ(Text(GameState.progressLabel), label);
  EXPECT_TRUE(TextVisible(GameState.progressLabel));
}

// Puts an ore sample on the ship, or an infected asteroid straight above its nose gun.
void PlaceOreOnShip() {
  PickupSlot& ore = GameState.OrePool.slots[0];
  ore.x = GameState.ShipX + 20;
  ore.y = GameState.ShipY + 20;
  ore.speed = 0;
}

void PlaceInfectedAboveShip() {
  HazardSlot& rock = GameState.Infected.slots[0];
  rock.x = GameState.ShipX + 20;
  rock.y = 300;
  rock.size = 40;
  rock.speed = 0;
  ViewSetxy(rock.view, rock.x, rock.y);
  ViewSetVisible(rock.view, 1);
}

// Missions without any hazard, so that only the objective decides them.
constexpr const char* kQuietSurviveNow = "100000;-1;-1;S;0;250;7";
// The last mission pays nothing, and its briefing promises nothing.
constexpr const char* kLastMission = "The last mission of the campaign";

}  // namespace

class Campaign : public GameTest {};

TEST_F(Campaign, EveryMissionTypeIsPlayedFromItsBriefingToItsReward) {
  UseLevels({{1, "100000;-1;1;D;1;1000;2"},
             {2, "100000;-1;-1;S;1;500;3"},
             {3, "100000;1;-1;C;1;700;4"},
             {4, "100000;-1;-1;P;1;900;-1"}});
  BootToBriefing();
  ExpectBriefing("Stage: 1", "Target:   Destroy 1 infected", "asteroids", 437, "Reward: 1000 credits");
  EXPECT_EQ(Text(GameState.InterLevel.creditsText), "CR: 5000");

  // Destroy: one infected asteroid above the ship, one shot from the fire button.
  StartMission();
  harness::Frame();
  ExpectRound("0 / 1", "Destroyed");
  PlaceInfectedAboveShip();
  TapThenRun(kFire, 1);
  ASSERT_GT(PlayUntilMessage(120), 0);
  EXPECT_EQ(GameState.currentMission.levelNumber, 2);
  ExpectMessage("      CONGRATULATIONS!", "   Your mission was a ", "             success!");
  TapThenRun(kBoxOk, 2);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  ExpectBriefing("Stage: 2", "Target: Survive for 1", "seconds", 437, "Reward: 500 credits");
  EXPECT_EQ(Text(GameState.InterLevel.creditsText), "CR: 6000");

  // Survive: one second, declared without the wait of the other kinds.
  StartMission();
  harness::Frames(29);
  ExpectRound("0 / 1", "seconds");
  harness::Frame();
  ExpectRound("1 / 1", "seconds");
  EXPECT_EQ(PlayUntilMessage(1), 1);
  TapThenRun(kBoxOk, 2);
  ExpectBriefing("Stage: 3", "Target: Collect 1 samples", "of calabrium ore", 425, "Reward: 700 credits");

  // Collect: an ore sample on the ship.
  StartMission();
  harness::Frame();
  ExpectRound("0 / 1", "Collected");
  PlaceOreOnShip();
  harness::Frame();
  ExpectRound("1 / 1", "Collected");
  EXPECT_EQ(PlayUntilMessage(31), 31);
  TapThenRun(kBoxOk, 2);
  ExpectBriefing("Stage: 4", "Target:   Protect the cargo", "  ship for 1 seconds", 425, kLastMission);
  EXPECT_EQ(Text(GameState.InterLevel.creditsText), "CR: 7200");
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;4;7200<<"));

  // Protect, the last mission: the cargo ship drifts in its band while the seconds count.
  for (int replay = 0; replay < 2; ++replay) {
    StartMission();
    EXPECT_TRUE(Visible(GameState.CargoShip.view));
    EXPECT_EQ(PlayUntilMessage(100), 61);
    ExpectMessage("      CONGRATULATIONS!", "You have completed all", "         the missions");
    EXPECT_EQ(GameState.credits, 7200);
    EXPECT_EQ(GameState.campaignLevel, 4);
    EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;4;7200<<"));
    TapThenRun(kBoxOk, 2);
    ExpectBriefing("Stage: 4", "Target:   Protect the cargo", "  ship for 1 seconds", 425, kLastMission);
    EXPECT_FALSE(Visible(GameState.CargoShip.view));
  }
}

TEST_F(Campaign, WinningPaysAndSavesBeforeTheBoxIsConfirmedAndTheRoundsButtonsGo) {
  UseLevels({{1, kQuietSurviveNow}, {7, "100000;-1;-1;C;3;100;-1"}});
  BootToBriefing();
  ExpectBriefing("Stage: 1", "Target: Survive for 0", "seconds", 425, "Reward: 250 credits");
  StartMission();
  EXPECT_TRUE(Visible(GameState.pauseButton));
  EXPECT_TRUE(Visible(GameState.gameBackButton));
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  harness::Frame();
  ExpectMessage("      CONGRATULATIONS!", "   Your mission was a ", "             success!");
  EXPECT_EQ(GameState.campaignLevel, 7);
  EXPECT_EQ(GameState.credits, 5250);
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;7;5250<<"));

  const int music = static_cast<int>(harness::recorded().plays.size());
  TapThenRun(kBoxOk, 2);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  bool menuMusic = false;
  for (size_t i = music; i < harness::recorded().plays.size(); ++i) {
    const auto& play = harness::recorded().plays[i];
    menuMusic = menuMusic || (play.channel == kMusicChannel && play.soundId == kMenuMusic);
  }
  EXPECT_TRUE(menuMusic) << "the menu music comes back with the briefing";
  ExpectBriefing("Stage: 7", "Target: Collect 3 samples", "of calabrium ore", 425, kLastMission);
  for (ViewId gone : {GameState.pauseButton, GameState.gameBackButton, GameState.scoreBackground}) {
    EXPECT_FALSE(Visible(gone));
  }
  EXPECT_FALSE(TextVisible(GameState.scoreText));
  TapThenRun(kPause, 2);
  EXPECT_EQ(GameState.SceneState, SceneInterLevel) << "no pause button under the briefing";
}

TEST_F(Campaign, AProtectMissionOfTenSecondsIsAnnouncedThirtyOneFramesAfterItsTarget) {
  UseLevels({{1, "100000;-1;-1;P;10;900;2"}, {2, kQuietSurviveNow}});
  BootToBriefing();
  StartMission();
  // Protecting the freighter halves the laser's heat per shot, not its cooling.
  EXPECT_EQ(GameState.HeatPerShot, 40);
  EXPECT_EQ(GameState.CoolInterval, 80);
  harness::Frames(299);
  EXPECT_EQ(GameState.currentMission.progress, 9);
  harness::Frame();
  EXPECT_EQ(GameState.currentMission.progress, 10);
  ExpectRound("10 / 10", "seconds");
  harness::Frames(30);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  harness::Frame();
  ExpectMessage("      CONGRATULATIONS!", "   Your mission was a ", "             success!");
  EXPECT_EQ(GameState.credits, 5900);
}

TEST_F(Campaign, ALostShipBriefsTheSameMissionAgainWithNothingPaid) {
  UseLevels({{1, "100000;-1;-1;S;5;800;2"}, {2, kQuietSurviveNow}});
  BootToBriefing();
  const std::string saved = ReadFile(kSave);
  StartMission();
  for (int frame = 0; frame < 10 && GameState.SceneState == ScenePlaying; ++frame) {
    HazardSlot& rock = GameState.Asteroids.slots[0];
    rock.x = GameState.ShipX + 20;
    rock.y = GameState.ShipY + 20;
    rock.size = 40;
    rock.speed = 0;
    harness::Frame();
  }
  ASSERT_EQ(GameState.SceneState, SceneGameOver);
  ASSERT_GT(PlayUntilMessage(40), 0);
  ExpectMessage("", "YOUR MISSION HAS FAILED!", "");
  TapThenRun(kBoxOk, 2);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  ExpectBriefing("Stage: 1", "Target: Survive for 5", "seconds", 425, "Reward: 800 credits");
  EXPECT_EQ(GameState.credits, 5000);
  EXPECT_EQ(GameState.campaignLevel, 1);
  EXPECT_EQ(ReadFile(kSave), saved);
}

TEST_F(Campaign, AHazardThatDestroysTheCargoShipFailsTheMissionAndSparesThePlayer) {
  UseLevels({{1, "100000;-1;-1;P;10;900;2"}, {2, kQuietSurviveNow}});
  BootToBriefing();
  StartMission();
  harness::Frames(2);
  const CargoShipRecord& cargo = GameState.CargoShip;
  ASSERT_TRUE(cargo.active);
  ASSERT_GE(cargo.y, 550.0);
  const int32_t structure = GameState.Structure;
  const double shield = GameState.Shield;
  // A rock across the freighter's hull and the player's ship at once.
  HazardSlot& rock = GameState.Asteroids.slots[0];
  rock.x = GameState.ShipX + 10;
  rock.y = static_cast<int32_t>(cargo.y) + 84;
  rock.size = 60;
  rock.speed = 0;
  ASSERT_TRUE(CargoShipHit(rock.x, rock.y, rock.size));
  ASSERT_TRUE(ShipHit(rock.x, rock.y, rock.size));
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, SceneGameOver);
  EXPECT_EQ(GameState.MissionAlive, 0);
  EXPECT_FALSE(cargo.active);
  EXPECT_FALSE(Visible(cargo.view));
  EXPECT_EQ(GameState.Structure, structure);
  EXPECT_GE(GameState.Shield, shield);
  ASSERT_GT(PlayUntilMessage(40), 0);
  ExpectMessage("", "YOUR MISSION HAS FAILED!", "");
  EXPECT_EQ(GameState.credits, 5000);
  TapThenRun(kBoxOk, 2);
  ExpectBriefing("Stage: 1", "Target:   Protect the cargo", "  ship for 10 seconds", 425, "Reward: 900 credits");
}

TEST_F(Campaign, TheRoundsBackButtonReturnsToTheSameBriefing) {
  UseLevels({{1, "100000;-1;-1;S;5;800;2"}, {2, kQuietSurviveNow}});
  BootToBriefing();
  // A press that slides off START and lifts elsewhere starts nothing and leaves no highlight.
  harness::PushMouseDown(kBriefingStart[0], kBriefingStart[1]);
  harness::Frame();
  EXPECT_TRUE(Visible(GameState.InterLevel.startButtonOver));
  harness::PushMouseUp(200, 100);
  harness::Frame();
  EXPECT_FALSE(Visible(GameState.InterLevel.startButtonOver));
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  StartMission();
  harness::Frames(40);
  EXPECT_EQ(GameState.currentMission.progress, 1);
  TapThenRun(kGameBack, 2);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  ExpectBriefing("Stage: 1", "Target: Survive for 5", "seconds", 425, "Reward: 800 credits");
  for (ViewId gone : {GameState.pauseButton, GameState.gameBackButton, GameState.scoreBackground, GameState.shipView}) {
    EXPECT_FALSE(Visible(gone));
  }
  StartMission();
  EXPECT_EQ(GameState.currentMission.progress, 0);
  harness::Frame();
  ExpectRound("0 / 5", "seconds");
}

TEST_F(Campaign, StartingAgainResumesAtTheSavedMissionWithTheSavedCreditsAndLevels) {
  UseLevels({{1, kQuietSurviveNow}, {7, "100000;-1;-1;D;4;600;8"}});
  ASSERT_TRUE(FirstSession([] {
    BootToBriefing();
    Buy(1);
    EXPECT_EQ(GameState.credits, 3500);
    StartMission();
    EXPECT_EQ(PlayUntilMessage(5), 2);
  }));
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;2;1;1;7;3750<<"));

  BootToBriefing();
  ExpectBriefing("Stage: 7", "Target:   Destroy 4 infected", "asteroids", 437, "Reward: 600 credits");
  EXPECT_EQ(Text(GameState.InterLevel.creditsText), "CR: 3750");
  EXPECT_EQ(Text(GameState.InterLevel.rows[1].levelText), "Lv: 2, Cost: 3000");
  EXPECT_EQ(GameState.shieldLevel, 2);
}

class Shop : public Campaign {};

TEST_F(Shop, ANewGameBuysStructureWithExactlyItsPriceAndTheOtherButtonsGoAtOnce) {
  UseLevels({{1, "100000;-1;-1;S;0;3000;1"}});
  BootToBriefing();
  const char* titles[4] = {"Structure upgrade", "Shield upgrade", "Handling upgrade", "Weapons upgrade"};
  const char* prices[4] = {"Lv: 1, Cost: 5000", "Lv: 1, Cost: 1500", "Lv: 1, Cost: 2500", "Lv: 1, Cost: 3000"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Text(Row(i).title), titles[i]);
    EXPECT_EQ(Text(Row(i).levelText), prices[i]);
    EXPECT_TRUE(Visible(Row(i).icon));
    EXPECT_TRUE(BuyShown(i));
    EXPECT_EQ(ViewGetX(Row(i).buyButton), 581);
    EXPECT_EQ(ViewGetY(Row(i).buyButton), kRowY[i] + 10);
  }
  // A finger lifted outside a buy button buys nothing, and its highlight goes with the finger.
  harness::PushMouseDown(626, kRowY[1] + 25);
  harness::Frame();
  EXPECT_TRUE(Visible(GameState.buyButtonOver));
  EXPECT_EQ(ViewGetY(GameState.buyButtonOver), 377);
  harness::PushMouseUp(200, 100);
  harness::Frames(2);
  EXPECT_FALSE(Visible(GameState.buyButtonOver));
  EXPECT_EQ(GameState.shieldLevel, 1);

  harness::PushTap(626, kRowY[0] + 25);
  PumpEvents();
  EXPECT_FALSE(Visible(GameState.buyButtonOver));
  EXPECT_EQ(GameState.credits, 0);
  EXPECT_EQ(GameState.structureLevel, 2);
  EXPECT_EQ(Text(Row(0).levelText), "Lv: 2, Cost: 7500");
  EXPECT_EQ(Text(GameState.InterLevel.creditsText), "CR: 0");
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(BuyShown(i)) << "row " << i;
  harness::Frames(2);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(BuyShown(i)) << "row " << i;
  Buy(1);
  EXPECT_EQ(GameState.shieldLevel, 1) << "a vanished button buys nothing";
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5000<<")) << "a purchase is not saved";

  // The rows come back with the briefing after a won mission, with the buttons now affordable.
  StartMission();
  EXPECT_EQ(PlayUntilMessage(5), 2);
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;2;1;3000<<"));
  TapThenRun(kBoxOk, 2);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  EXPECT_EQ(Text(GameState.InterLevel.creditsText), "CR: 3000");
  EXPECT_FALSE(BuyShown(0));
  EXPECT_TRUE(BuyShown(1));
  EXPECT_TRUE(BuyShown(2));
  EXPECT_TRUE(BuyShown(3));
}

TEST_F(Shop, PricesFollowEachRowsLevelUpToItsMaximum) {
  WriteFile(kSave, Record("Vel mora >>2;3;6;5;1;100000<<"));
  BootToBriefing();
  EXPECT_EQ(Text(Row(0).levelText), "Lv: 5, Cost: 16000");
  EXPECT_EQ(Text(Row(1).levelText), "Lv: 3, Cost: 5500");
  EXPECT_EQ(Text(Row(2).levelText), "MAXIMUM");
  EXPECT_EQ(Text(Row(3).levelText), "Lv: 2, Cost: 5000");
  EXPECT_FALSE(BuyShown(2)) << "no button at the maximum, whatever the balance";
  Buy(0);
  EXPECT_EQ(Text(Row(0).levelText), "MAXIMUM");
  EXPECT_FALSE(BuyShown(0));
  for (const char* price : {"Lv: 4, Cost: 8000", "Lv: 5, Cost: 10000", "MAXIMUM"}) {
    Buy(1);
    EXPECT_EQ(Text(Row(1).levelText), price);
  }
  EXPECT_FALSE(BuyShown(1));
  EXPECT_EQ(GameState.credits, 100000 - 16000 - 5500 - 8000 - 10000);
  EXPECT_EQ(GameState.shieldLevel, 6);

  // Coming back to the briefing shows the rows afresh: the rows at their maximum stay bare.
  TapThenRun(kBriefingBack, 2);
  TapThenRun(kStart, 3);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  EXPECT_FALSE(BuyShown(0));
  EXPECT_FALSE(BuyShown(1));
  EXPECT_FALSE(BuyShown(2));
  EXPECT_TRUE(BuyShown(3));
}

TEST_F(Shop, PurchasesAreLostWhenTheGameEndsBeforeTheNextWin) {
  ASSERT_TRUE(FirstSession([] {
    BootToBriefing();
    Buy(0);
    EXPECT_EQ(GameState.credits, 0);
  }));
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5000<<"));
  BootToBriefing();
  EXPECT_EQ(GameState.credits, 5000);
  EXPECT_EQ(GameState.structureLevel, 1);
  EXPECT_EQ(Text(GameState.InterLevel.creditsText), "CR: 5000");
  EXPECT_EQ(Text(Row(0).levelText), "Lv: 1, Cost: 5000");
}

// A level file that would break a round: the game says so in one line naming the file and keeps
// the campaign on a mission it can play, both when briefing the saved level and after a win.
struct BrokenLevel {
  const char* name;
  const char* line;  // empty: the file is missing
};

class BrokenLevelFile : public Campaign, public ::testing::WithParamInterface<BrokenLevel> {};

TEST_P(BrokenLevelFile, IsNamedInOneLineAndTheCampaignStaysPlayable) {
  UseLevels({{1, "100000;-1;-1;S;0;300;2"}, {2, GetParam().line}});
  WriteFile(kSave, Record("Vel mora >>1;1;1;1;2;5000<<"));
  harness::Boot();
  harness::FinishLoading();
  harness::Frames(2);

  testing::internal::CaptureStdout();
  TapThenRun(kStart, 3);
  std::string said = testing::internal::GetCapturedStdout();
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  EXPECT_NE(said.find("level2.dat"), std::string::npos) << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
  EXPECT_TRUE(MissionIsPlayable(GameState.currentMission));

  // Level 1 names the broken level as its successor.
  ASSERT_EQ(GameState.currentMission.levelNumber, 1);
  testing::internal::CaptureStdout();
  StartMission();
  const int frames = PlayUntilMessage(5);
  said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(frames, 2);
  EXPECT_NE(said.find("level2.dat"), std::string::npos) << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
  EXPECT_TRUE(MissionIsPlayable(GameState.currentMission));
  EXPECT_EQ(GameState.campaignLevel, GameState.currentMission.levelNumber);
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5300<<"));
  TapThenRun(kBoxOk, 2);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  EXPECT_EQ(Text(GameState.InterLevel.stageText), "Stage: 1");
  StartMission();
  EXPECT_EQ(PlayUntilMessage(5), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, BrokenLevelFile,
    ::testing::Values(BrokenLevel{"Missing", ""}, BrokenLevel{"PaceThree", "3;-1;-1;S;0;100;-1"},
                      BrokenLevel{"OreRangeZero", "100000;0;-1;S;0;100;-1"},
                      BrokenLevel{"TypeX", "100000;-1;-1;X;0;100;-1"},
                      BrokenLevel{"NegativeTarget", "100000;-1;-1;S;-4;100;-1"}),
    [](const ::testing::TestParamInfo<BrokenLevel>& info) { return std::string(info.param.name); });

TEST_F(Campaign, RewardsNeverOverflowTheCreditsAndNegativeOnesNeverTakeThemBelowZero) {
  UseLevels({{1, "100000;-1;-1;S;0;1500;2"}, {2, "100000;-1;-1;S;0;-2147483647;3"}, {3, kQuietSurviveNow}});
  WriteFile(kSave, Record("Vel mora >>1;1;1;1;1;2147483000<<"));
  BootToBriefing();
  StartMission();
  harness::Frames(2);
  ExpectMessage("      CONGRATULATIONS!", "   Your mission was a ", "             success!");
  EXPECT_EQ(GameState.credits, 2147483647) << "the balance stops at the largest it can hold";
  TapThenRun(kBoxOk, 2);
  StartMission();
  harness::Frames(2);
  EXPECT_EQ(GameState.credits, 0) << "a negative reward takes the balance to 0 at most";
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;3;0<<"));
}
