// Level files: the line format, what a short or odd line leaves behind, and how the campaign
// keeps to a playable mission when a file is missing or broken.

#include <filesystem>
#include <fstream>
#include <string>

#include "core/game_state.h"
#include "storage/files.h"
#include "storage/levels.h"
#include "support/harness.h"

namespace fs = std::filesystem;

// Runs against a private Levels directory of fixture files instead of the shipped campaign.
class LevelFileTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    fs::remove("Data/Levels");  // only the link to the run tree
    fs::create_directory("Data/Levels");
  }
  static void WriteLevel(int level, const std::string& content) {
    std::ofstream out("Data/Levels/level" + std::to_string(level) + ".dat", std::ios::binary);
    out << content;
  }
  static std::string Captured(MissionRecord (*load)(int32_t, int32_t), int32_t level, int32_t fallback,
                              MissionRecord* mission) {
    testing::internal::CaptureStdout();
    *mission = load(level, fallback);
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(LevelFileTest, AFullLineFillsEveryField) {
  for (const char* content : {"300;-1;400;D;12;2500;2", "300;-1;400;D;12;2500;2\n", "300;-1;400;D;12;2500;2;99;x\r\n"}) {
    SCOPED_TRACE(content);
    WriteLevel(5, content);
    const int32_t countBefore = GameState.FileTable.FileCount;
    const MissionRecord m = LoadLevel(5);
    EXPECT_EQ(m.asteroidPace, 300);
    EXPECT_EQ(m.oreRange, -1);
    EXPECT_EQ(m.infectedRange, 400);
    EXPECT_EQ(m.type, 'D');  // the whole word: the three upper bytes are 0
    EXPECT_EQ(m.target, 12);
    EXPECT_EQ(m.reward, 2500);
    EXPECT_EQ(m.levelNumber, 5);
    EXPECT_EQ(m.nextLevel, 2);
    EXPECT_EQ(m.progress, 0);
    // The file is closed again.
    EXPECT_EQ(GameState.FileTable.FileCount, countBefore + 1);
    EXPECT_EQ(GameState.FileTable.files[countBefore], nullptr);
  }
}

TEST_F(LevelFileTest, ShortAndOddLinesLeaveTheRestZero) {
  // A blank after the third ';' is the type; the letter then fails the next ';'.
  WriteLevel(2, "300;-1;400; D;12;2500;2");
  MissionRecord m = LoadLevel(2);
  EXPECT_EQ(m.asteroidPace, 300);
  EXPECT_EQ(m.oreRange, -1);
  EXPECT_EQ(m.infectedRange, 400);
  EXPECT_EQ(m.type, ' ');
  EXPECT_EQ(m.target, 0);
  EXPECT_EQ(m.reward, 0);
  EXPECT_EQ(m.nextLevel, 0);
  EXPECT_FALSE(MissionIsPlayable(m));

  WriteLevel(3, "80;250;-1;C\n");
  m = LoadLevel(3);
  EXPECT_EQ(m.asteroidPace, 80);
  EXPECT_EQ(m.oreRange, 250);
  EXPECT_EQ(m.infectedRange, -1);
  EXPECT_EQ(m.type, 'C');
  EXPECT_EQ(m.target, 0);
  EXPECT_EQ(m.reward, 0);
  EXPECT_EQ(m.nextLevel, 0);
  EXPECT_EQ(m.levelNumber, 3);
}

TEST_F(LevelFileTest, OnlyTheFirstNinetyNineCharactersAreRead) {
  const std::string tail = ";-1;400;D;12;2500;";
  // Leading zeros on the pace push the next-level number to the 99-character limit.
  const std::string upTo98 = std::string(98 - tail.size() - 3, '0') + "300" + tail;
  ASSERT_EQ(upTo98.size(), 98u);
  WriteLevel(8, upTo98 + "27\n");
  MissionRecord m = LoadLevel(8);
  EXPECT_EQ(m.asteroidPace, 300);
  EXPECT_EQ(m.nextLevel, 2);  // the 7 is the hundredth character
  WriteLevel(8, "0" + upTo98 + "27\n");
  m = LoadLevel(8);
  EXPECT_EQ(m.reward, 2500);
  EXPECT_EQ(m.nextLevel, 0);
}

TEST_F(LevelFileTest, MissingOrEmptyFileGivesAZeroRecordWithItsNumber) {
  WriteLevel(4, "");
  for (int32_t level : {4, 6, -3}) {
    SCOPED_TRACE(level);
    const int32_t countBefore = GameState.FileTable.FileCount;
    const MissionRecord m = LoadLevel(level);
    EXPECT_EQ(m.asteroidPace, 0);
    EXPECT_EQ(m.oreRange, 0);
    EXPECT_EQ(m.infectedRange, 0);
    EXPECT_EQ(m.type, 0);
    EXPECT_EQ(m.target, 0);
    EXPECT_EQ(m.reward, 0);
    EXPECT_EQ(m.nextLevel, 0);
    EXPECT_EQ(m.progress, 0);
    EXPECT_EQ(m.levelNumber, level);
    for (int32_t slot = 0; slot < GameState.FileTable.FileCount; ++slot) {
      EXPECT_EQ(GameState.FileTable.files[slot], nullptr);
    }
    if (level != 4) {
      EXPECT_EQ(GameState.FileTable.FileCount, countBefore);
    }
  }
}

TEST_F(LevelFileTest, PlayableMissionsNeedValuesARoundCanUse) {
  const MissionRecord good = {4, -1, 1, 'S', 0, 0, 1, -1, 0};
  EXPECT_TRUE(MissionIsPlayable(good));
  for (int32_t type : {'C', 'D', 'P'}) {
    MissionRecord m = good;
    m.type = type;
    EXPECT_TRUE(MissionIsPlayable(m)) << static_cast<char>(type);
  }
  struct Broken { const char* why; void (*spoil)(MissionRecord&); };
  const Broken broken[] = {
      {"pace 3", [](MissionRecord& m) { m.asteroidPace = 3; }},
      {"pace 0", [](MissionRecord& m) { m.asteroidPace = 0; }},
      {"ore 0", [](MissionRecord& m) { m.oreRange = 0; }},
      {"ore -2", [](MissionRecord& m) { m.oreRange = -2; }},
      {"infected 0", [](MissionRecord& m) { m.infectedRange = 0; }},
      {"infected -5", [](MissionRecord& m) { m.infectedRange = -5; }},
      {"type x", [](MissionRecord& m) { m.type = 'x'; }},
      {"type lower s", [](MissionRecord& m) { m.type = 's'; }},
      {"type blank", [](MissionRecord& m) { m.type = ' '; }},
      {"type 0", [](MissionRecord& m) { m.type = 0; }},
      {"type with high bytes", [](MissionRecord& m) { m.type = 0x100 + 'S'; }},
      {"target -1", [](MissionRecord& m) { m.target = -1; }},
  };
  for (const Broken& b : broken) {
    MissionRecord m = good;
    b.spoil(m);
    EXPECT_FALSE(MissionIsPlayable(m)) << b.why;
  }
}

TEST_F(LevelFileTest, CampaignLevelsFallBackWithOneLine) {
  WriteLevel(3, "120;300;-1;C;5;800;4\n");
  WriteLevel(9, "2;300;-1;C;5;800;4\n");  // a pace of 2 would launch an asteroid every frame

  MissionRecord m;
  EXPECT_EQ(Captured(LoadCampaignLevel, 3, 1, &m), "");
  EXPECT_EQ(m.levelNumber, 3);
  EXPECT_EQ(m.type, 'C');

  EXPECT_EQ(Captured(LoadCampaignLevel, 7, 3, &m),
            "Level file ./Data/Levels/level7.dat is missing or invalid; playing level 3 instead.\n");
  EXPECT_EQ(m.levelNumber, 3);
  EXPECT_EQ(m.asteroidPace, 120);
  EXPECT_EQ(m.nextLevel, 4);
  EXPECT_EQ(m.progress, 0);

  EXPECT_EQ(Captured(LoadCampaignLevel, 9, 3, &m),
            "Level file ./Data/Levels/level9.dat is missing or invalid; playing level 3 instead.\n");
  EXPECT_EQ(m.levelNumber, 3);
}

TEST_F(LevelFileTest, WithoutAnyPlayableFileABuiltInSurvivalMissionIsPlayed) {
  MissionRecord m;
  const std::string twoLines = Captured(LoadCampaignLevel, 7, 1, &m);
  EXPECT_EQ(twoLines,
            "Level file ./Data/Levels/level7.dat is missing or invalid; playing level 1 instead.\n"
            "Level file ./Data/Levels/level1.dat is missing or invalid; playing a built-in survival mission instead.\n");
  const MissionRecord expected = {60, 300, 200, 'S', 60, 0, 1, -1, 0};
  EXPECT_EQ(m.asteroidPace, expected.asteroidPace);
  EXPECT_EQ(m.oreRange, expected.oreRange);
  EXPECT_EQ(m.infectedRange, expected.infectedRange);
  EXPECT_EQ(m.type, expected.type);
  EXPECT_EQ(m.target, expected.target);
  EXPECT_EQ(m.reward, expected.reward);
  EXPECT_EQ(m.levelNumber, expected.levelNumber);
  EXPECT_EQ(m.nextLevel, expected.nextLevel);
  EXPECT_EQ(m.progress, expected.progress);
  EXPECT_TRUE(MissionIsPlayable(m));

  // Asked for the fallback level itself, the one failure is reported once.
  WriteLevel(1, "garbage");
  EXPECT_EQ(Captured(LoadCampaignLevel, 1, 1, &m),
            "Level file ./Data/Levels/level1.dat is missing or invalid; playing a built-in survival mission instead.\n");
  EXPECT_EQ(m.type, 'S');
  EXPECT_EQ(m.levelNumber, 1);
}

// The shipped campaign starts with a playable first mission.
class ShippedLevelTest : public GameTest {};

TEST_F(ShippedLevelTest, LevelOneLoadsAsAPlayableMission) {
  if (!fs::exists("Data/Levels/level1.dat")) GTEST_SKIP() << "no level files in the run tree";
  testing::internal::CaptureStdout();
  const MissionRecord m = LoadCampaignLevel(1, 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(m.levelNumber, 1);
  EXPECT_TRUE(MissionIsPlayable(m));
  EXPECT_NE(m.nextLevel, 0);
}
