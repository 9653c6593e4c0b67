// Level files: the line format, what a short or odd line leaves behind, how the campaign keeps to
// a playable mission when a file is missing or broken, and the shipped campaign itself.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "core/game_state.h"
#include "storage/levels.h"
#include "unit/scratch.h"

using namespace files;

namespace {

// Every field of a record, in file order, then the number read and the progress.
std::string Fields(const MissionRecord& m) {
  char text[160];
  snprintf(text, sizeof text, "%d;%d;%d;%c;%d;%d;%d (level %d, progress %d)", m.asteroidPace, m.oreRange,
           m.infectedRange, MissionLetter(m.type), m.target, m.reward, m.nextLevel, m.levelNumber, m.progress);
  return text;
}

std::string Printed(int32_t level, int32_t fallback, MissionRecord* mission) {
  return files::Printed([&] { *mission = LoadCampaignLevel(level, fallback); });
}

}  // namespace

class LevelsTest : public ScratchTest {};

TEST_F(LevelsTest, ALineFillsItsFieldsWhatDoesNotParseStaysZeroAndCampaignLevelsFallBackToABuiltInMission) {
  UseLevels({});
  const std::string zeros(98 - 21, '0');  // pushes the next-level number to the 99-character limit
  const std::pair<std::string, std::string> cases[] = {
      {"300;-1;400;D;12;2500;2", "300;-1;400;D;12;2500;2 (level 5, progress 0)"},
      {"300;-1;400;D;12;2500;2;99;x\r\n", "300;-1;400;D;12;2500;2 (level 5, progress 0)"},
      // A blank after the third ';' is the kind (none); the letter then fails the next ';'.
      {"300;-1;400; D;12;2500;2", "300;-1;400;?;0;0;0 (level 5, progress 0)"},
      {"80;250;-1;C\n", "80;250;-1;C;0;0;0 (level 5, progress 0)"},
      {"80;250;-1;s;5;0;0\n", "80;250;-1;?;5;0;0 (level 5, progress 0)"},
      {"80;250;-1;P;5;0;0\n", "80;250;-1;P;5;0;0 (level 5, progress 0)"},
      {"80;250;-1;S;5;0;0\n", "80;250;-1;S;5;0;0 (level 5, progress 0)"},
      // Only the first 99 characters are read: the 7 of 27 is the hundredth.
      {zeros + "300;-1;400;D;12;2500;27\n", "300;-1;400;D;12;2500;2 (level 5, progress 0)"},
      {"", "0;0;0;?;0;0;0 (level 5, progress 0)"},
  };
  for (const auto& [line, fields] : cases) {
    WriteFile("Data/Levels/level5.dat", line);
    EXPECT_EQ(Fields(LoadLevel(5)), fields) << line;
  }
  EXPECT_EQ(Fields(LoadLevel(-3)), "0;0;0;?;0;0;0 (level -3, progress 0)") << "no such file";
  // A campaign level falls back to one other level with one line, and finally to a built-in mission.
  UseLevels({{3, "120;300;-1;C;5;800;4"}, {9, "2;300;-1;C;5;800;4"}});
  MissionRecord m;
  EXPECT_EQ(Printed(3, 1, &m), "");
  EXPECT_EQ(Fields(m), "120;300;-1;C;5;800;4 (level 3, progress 0)");
  for (int level : {7, 9}) {
    EXPECT_EQ(Printed(level, 3, &m), "Level file ./Data/Levels/level" + std::to_string(level) +
                                         ".dat is missing or invalid; playing level 3 instead.\n");
    EXPECT_EQ(Fields(m), "120;300;-1;C;5;800;4 (level 3, progress 0)");
  }
  EXPECT_EQ(
      Printed(7, 1, &m),
      "Level file ./Data/Levels/level7.dat is missing or invalid; playing level 1 instead.\n"
      "Level file ./Data/Levels/level1.dat is missing or invalid; playing a built-in survival mission instead.\n");
  EXPECT_EQ(Fields(m), "60;300;200;S;60;0;-1 (level 1, progress 0)");
  // Asked for the fallback level itself, the one failure is reported once.
  EXPECT_EQ(Printed(1, 1, &m),
            "Level file ./Data/Levels/level1.dat is missing or invalid; playing a built-in "
            "survival mission instead.\n");
  for (int32_t slot = 0; slot < GameState.FileTable.FileCount; ++slot) {
    EXPECT_EQ(GameState.FileTable.files[slot], nullptr) << "every file is closed again";
  }
}

TEST_F(LevelsTest, PlayableMissionsNeedValuesARoundCanUse) {
  for (MissionKind kind : {MissionCollect, MissionDestroy, MissionProtect, MissionSurvive}) {
    EXPECT_TRUE(MissionIsPlayable({4, -1, 1, kind, 0, 0, 1, -1, 0}));
    EXPECT_EQ(MissionKindOfLetter(MissionLetter(kind)), kind);
  }
  constexpr MissionKind S = MissionSurvive;
  const MissionRecord broken[] = {
      {3, -1, 1, S, 0, 0, 1, -1, 0},
      {0, -1, 1, S, 0, 0, 1, -1, 0},
      {4, 0, 1, S, 0, 0, 1, -1, 0},
      {4, -2, 1, S, 0, 0, 1, -1, 0},
      {4, -1, 0, S, 0, 0, 1, -1, 0},
      {4, -1, -5, S, 0, 0, 1, -1, 0},
      {4, -1, 1, MissionUnknown, 0, 0, 1, -1, 0},
      {4, -1, 1, S, -1, 0, 1, -1, 0},
  };
  for (const MissionRecord& m : broken) EXPECT_FALSE(MissionIsPlayable(m)) << Fields(m);
}

// The shipped campaign: a chain of playable missions from level 1 to the last, each file one
// canonical line, every mission winnable, and no file off the chain.
TEST_F(LevelsTest, TheShippedCampaignRunsFromLevelOneToItsLastMission) {
  std::set<int> chain;
  for (int level = 1; level != -1 && chain.size() < 1000;) {
    MissionRecord m;
    EXPECT_EQ(Printed(level, level, &m), "") << "level " << level;
    ASSERT_TRUE(chain.insert(level).second) << "level " << level << " is reached twice";
    char line[128];
    snprintf(line, sizeof line, "%d;%d;%d;%c;%d;%d;%d\n", m.asteroidPace, m.oreRange, m.infectedRange,
             MissionLetter(m.type), m.target, m.reward, m.nextLevel);
    const std::string path = "Data/Levels/level" + std::to_string(level) + ".dat";
    EXPECT_EQ(ReadFile(path), line) << path;
    EXPECT_GT(m.target, 0) << path;
    EXPECT_GE(m.reward, 0) << path;
    EXPECT_FALSE(m.type == MissionDestroy && m.infectedRange == -1) << path << " asks for infected but has none";
    EXPECT_FALSE(m.type == MissionCollect && m.oreRange == -1) << path << " asks for ore but has none";
    level = m.nextLevel;
  }
  EXPECT_GE(chain.size(), 20u);
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator("Data/Levels")) {
    files += 1;
    const std::string name = entry.path().filename().string();
    const int number = std::atoi(name.c_str() + 5);
    EXPECT_EQ(name, "level" + std::to_string(number) + ".dat");
    EXPECT_TRUE(chain.count(number)) << name << " is not on the chain";
  }
  EXPECT_EQ(files, chain.size());
}
