// Free play's best scores as a player meets them: the closing box of each round, the table on the
// menu with its dates, a restart, and a damaged file kept aside.
#include <algorithm>
#include <ctime>
#include <string>

#include "storage/profile.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr int kScoresButton[2] = {512, 555};
const std::string kProfilePath = std::string("Data/") + kProfileFile;

std::string Today() {
  char date[11] = "";
  const time_t now = time(nullptr);
  strftime(date, sizeof date, "%Y-%m-%d", localtime(&now));
  return date;
}

std::string Trimmed(const std::string& text) { return text.substr(std::min(text.find_first_not_of(' '), text.size())); }

// A free-play round that earns 12 points every 30 frames for `frames` frames, then loses the
// ship; returns the closing box's three lines, blanks trimmed, joined by "|".
std::string PlayRound(int frames) {
  Tap(kFreePlay, 3);
  StopSpawns();
  QuietFrames(frames);
  LoseShipNextFrame();
  if (PlayUntilMessage(60) < 0) return "no box";
  const MessageBoxRecord& box = GameState.MessageBox;
  const std::string lines = Trimmed(Text(box.line1)) + "|" + Trimmed(Text(box.line2)) + "|" + Trimmed(Text(box.line3));
  Tap(kBoxOk);
  return lines;
}

// Opens the table from the menu and reads its rows ("36 2026-12-09", "-" when empty), then goes
// back to the menu.
std::string Table() {
  Tap(kScoresButton, 3);
  if (GameState.SceneState != SceneBestScores || !Shown(GameState.BestScores.scoresPanel)) return "no table";
  std::string rows;
  for (int i = 0; i < kBestScores; ++i) {
    if (!TextShown(GameState.BestScores.scoreRows[i])) return "row hidden";
    const std::string date = Text(GameState.BestScores.scoreDates[i]);
    rows +=
        Text(GameState.BestScores.scoreRows[i]) + (date.empty() ? "" : " " + date) + (i + 1 < kBestScores ? "," : "");
  }
  Tap(kMenuBack);
  return rows;
}

}  // namespace

class BestScoresTest : public GameTest {};

TEST_F(BestScoresTest, ThreeRoundsFillTheTableInOrderWithDatesThroughARestartAndADamagedFile) {
  const std::string today = Today();
  ASSERT_TRUE(FirstSession([&] {
    ReachMenu();
    EXPECT_EQ(Table(), "-,-,-,-,-,-,-,-,-,-");
    EXPECT_EQ(PlayRound(30), "NEW BEST SCORE!|SCORE: 12|Your first best score");
    EXPECT_EQ(PlayRound(90), "NEW BEST SCORE!|SCORE: 36|Best so far was 12");
    EXPECT_EQ(PlayRound(60), "GAME OVER|SCORE: 24|Best so far: 36");
    EXPECT_EQ(Table(), "36 " + today + ",24 " + today + ",12 " + today + ",-,-,-,-,-,-,-");
  }));
  EXPECT_EQ(ReadFile(kProfilePath), "Vel mora profile 1\nmusic 4\neffects 4\nbest 36 " + today + "\nbest 24 " + today +
                                        "\nbest 12 " + today + "\n");

  // A restart reads them back; an eleventh-best round stays out of a full table.
  ASSERT_TRUE(FirstSession([&] {
    ReachMenu();
    EXPECT_EQ(Table(), "36 " + today + ",24 " + today + ",12 " + today + ",-,-,-,-,-,-,-");
    for (int score : {50, 40, 30, 20, 12, 5, 4}) InsertBestScore(GameState.Profile, score, "2026-01-02");
    EXPECT_EQ(InsertBestScore(GameState.Profile, 3, "2026-01-02"), -1);
    EXPECT_EQ(PlayRound(30), "GAME OVER|SCORE: 12|Best so far: 50") << "ties go below the older scores";
    EXPECT_EQ(GameState.Profile.lastRank, 8);
    EXPECT_STREQ(GameState.Profile.best[7].date, "2026-01-02");
    EXPECT_STREQ(GameState.Profile.best[8].date, today.c_str());
    EXPECT_EQ(GameState.Profile.best[9].score, 5) << "the lowest fell off";
  }));

  // A damaged file is kept aside and the game starts with what could be read of it.
  const std::string damaged = "Vel mora profile 1\nmusic 2\nbest 900 2026-01-02\nbest 9x9 2026-01-03\nbest 5 x\n";
  WriteFile(kProfilePath, damaged);
  ReachMenu();
  EXPECT_EQ(ReadFile(kProfilePath + ".damaged"), damaged);
  EXPECT_EQ(ReadFile(kProfilePath), "Vel mora profile 1\nmusic 2\neffects 4\nbest 900 2026-01-02\n");
  EXPECT_EQ(Table(), "900 2026-01-02,-,-,-,-,-,-,-,-,-");
}
