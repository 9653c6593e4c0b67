// The three user files: the exact bytes the game writes, what it does with damaged, missing or
// read-only files, and that a long session keeps saving.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "storage/user_files.h"
#include "support/harness.h"

namespace fs = std::filesystem;
using namespace harness;

namespace {

// Weapons, shield, handling, structure, campaign level and credits, as the save lists them.
std::string Progress() {
  const GameStateRecord& g = GameState;
  char text[80];
  snprintf(text, sizeof text, "%d;%d;%d;%d;%d;%d", g.weaponsLevel, g.shieldLevel, g.handlingLevel, g.structureLevel,
           g.campaignLevel, g.credits);
  return text;
}
void SetProgress(const char* progress) {
  GameStateRecord& g = GameState;
  sscanf(progress, "%d;%d;%d;%d;%d;%d", &g.weaponsLevel, &g.shieldLevel, &g.handlingLevel, &g.structureLevel,
         &g.campaignLevel, &g.credits);
}

// Values no load may leave behind.
void Scramble() {
  SetProgress("-77;-77;-77;-77;-77;-77");
  GameState.musicOn = GameState.soundOn = GameState.controlMethod = -77;
  GameState.calibrationX = GameState.calibrationY = -77777;
}

// Where the copy of the nth damaged save (from 0) is kept.
std::string Copy(size_t n) { return std::string(kSave) + ".damaged" + (n == 0 ? "" : "." + std::to_string(n + 1)); }

}  // namespace

class UserFilesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    GameState.FileTable = FileTableRecord{};
    Scramble();
  }
};

// The records themselves are checked wherever the game saves; here, the longest and a shorter
// one after it.
TEST_F(UserFilesTest, FirstRunLeavesExactlyTheThreeDefaultFilesAndProgressIsAFixedRecordThatReadsBackWhole) {
  // The start-up order: options first, then the save game, then the calibration.
  EXPECT_EQ(Printed(LoadOptions) + Printed(LoadSaveGame) + Printed(LoadCalibration), "");
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>1;1;1;1;1;5000<<"));
  EXPECT_EQ(ReadFile(kOptions), "110");
  EXPECT_EQ(ReadFile(kCalibration), Record("0;0;"));
  std::set<std::string> files;  // the three files and the lock, nothing else
  for (const auto& entry : fs::directory_iterator("Data/User")) {
    files.insert(entry.path().filename().string() + (entry.is_regular_file() ? "" : " (not a file)"));
  }
  EXPECT_EQ(files,
            (std::set<std::string>{"VelMoraSaveGame.sav", "VelmoraConfig.cfg", "VelMorAccData.cfg", "VelMora.lock"}));

  SetProgress("6;6;6;6;2147483647;2147483647");
  SaveGame();
  Scramble();
  EXPECT_EQ(Printed(LoadSaveGame), "");
  EXPECT_EQ(Progress(), "6;6;6;6;2147483647;2147483647");
  SetProgress("6;1;2;3;7;5");
  SaveGame();
  EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>6;1;2;3;7;5<<")) << "a shorter record leaves nothing behind";
}

TEST_F(UserFilesTest, ADamagedSaveIsKeptBesideItsRepairedRecordAndSaidSo) {
  std::string garbage;
  for (unsigned i = 0; i < 10240; ++i) garbage += static_cast<char>((i * 7919u) >> 3);
  const std::pair<std::string, std::string> cases[] = {
      {Record("Vel mora >>0;7;3;-2;5;900<<"), "1;1;3;1;5;900"},
      {Record("Vel mora >>2;2;2;2;-4;-900<<"), "2;2;2;2;1;0"},
      {"Vel mora >>3;4", "3;4;1;1;1;5000"},
      {"Vel mora >>2;2;2;2;9;99999999999999999999999999999<<", "2;2;2;2;9;2147483647"},
      {"Vel mora >>2;2;2;2;-99999999999999999999999999;50<<", "2;2;2;2;1;50"},
      {"\nVel mora >>2;2;2;2;9;50<<", "1;1;1;1;1;5000"},
      {garbage, "1;1;1;1;1;5000"},
  };
  // Each copy takes the next free name; none replaces an earlier one.
  std::vector<std::string> kept;
  for (const auto& [content, repaired] : cases) {
    SCOPED_TRACE(repaired);
    WriteFile(kSave, content);
    Scramble();
    EXPECT_EQ(Printed(LoadSaveGame), "./" + std::string(kSave) + " was damaged; it is kept as ./" + Copy(kept.size()) +
                                         " and a repaired one is written.\n");
    EXPECT_EQ(Progress(), repaired);
    EXPECT_EQ(ReadFile(kSave), Record("Vel mora >>" + repaired + "<<"));
    kept.push_back(content);
    for (size_t n = 0; n < kept.size(); ++n) {
      EXPECT_EQ(ReadFile(Copy(n)), kept[n]);
    }
    Scramble();
    EXPECT_EQ(Printed(LoadSaveGame), "") << "what was written reads back without another repair";
    EXPECT_EQ(Progress(), repaired);
  }
}

TEST_F(UserFilesTest, OptionsAndCalibrationTakeWhatTheyCanAndRewriteTheRest) {
  // Music, sound and control method, one digit each: music and sound on or off, else on; methods
  // other than 0, 1 and 4 leave no way to steer: right hand. Repairs are written back.
  const std::pair<std::string, std::string> options[] = {{"110", "1,1,0 110"}, {"001", "0,0,1 001"},
                                                         {"104", "1,0,4 104"}, {"150", "1,1,0 110"},
                                                         {"112", "1,1,0 110"}, {"013", "0,1,0 010"},
                                                         {"117", "1,1,0 110"}, {"0", "0,1,0 010"},
                                                         {"", "1,1,0 110"},    {"1\n4", "1,1,0 110"},
                                                         {"a/:", "1,1,0 110"}, {"990", "1,1,0 110"},
                                                         {"201", "1,0,1 101"}, {std::string("1\0004", 3), "1,1,4 114"}};
  for (const auto& [bytes, expected] : options) {
    WriteFile(kOptions, bytes);
    EXPECT_EQ(Printed(LoadOptions), "");
    EXPECT_EQ(std::to_string(GameState.musicOn) + "," + std::to_string(GameState.soundOn) + "," +
                  std::to_string(GameState.controlMethod) + " " + ReadFile(kOptions),
              expected);
  }
  // Calibrations are read as they stand or bounded to +-1900 and rewritten; filler that is not
  // zero shows nothing was written.
  const std::string valid = std::string("-350;1900;") + '\0' + std::string(39, 'x');
  const std::pair<std::string, std::string> calibrations[] = {
      {valid, "-350,1900 " + valid},
      {Record("5000;-9000;"), "1900,-1900 " + Record("1900;-1900;")},
      {"12", "12,0 " + Record("12;0;")},
      {"x;5;", "0,0 " + Record("0;0;")},
      {"99999999999999999999999;-1;", "1900,-1 " + Record("1900;-1;")},
  };
  for (const auto& [bytes, expected] : calibrations) {
    WriteFile(kCalibration, bytes);
    EXPECT_EQ(Printed(LoadCalibration), "");
    EXPECT_EQ(std::to_string(GameState.calibrationX) + "," + std::to_string(GameState.calibrationY) + " " +
                  ReadFile(kCalibration),
              expected);
  }
}

TEST_F(UserFilesTest, WritesThatFailAreSaidInOneLineAndNeverTakenAsDone) {
  fs::remove_all("Data/User");
  EXPECT_EQ(Printed(LoadOptions), "Could not create ./Data/User/VelmoraConfig.cfg; settings will not be saved.\n");
  EXPECT_EQ(Printed(LoadSaveGame), "Could not create ./Data/User/VelMoraSaveGame.sav; progress will not be saved.\n");
  EXPECT_EQ(Printed(LoadCalibration),
            "Could not create ./Data/User/VelMorAccData.cfg; calibration will not be saved.\n");
  EXPECT_EQ(Progress(), "1;1;1;1;1;5000");
  EXPECT_TRUE(GameState.controlMethod == 0 && GameState.calibrationX == 0);
  GameState.credits = 4321;
  EXPECT_EQ(Printed(SaveGame), "Could not write ./Data/User/VelMoraSaveGame.sav; progress was not saved.\n");
  EXPECT_EQ(Printed(SaveOptions), "Could not write ./Data/User/VelmoraConfig.cfg; settings were not saved.\n");
  EXPECT_EQ(Printed(SaveCalibration), "Could not write ./Data/User/VelMorAccData.cfg; calibration was not saved.\n");
  EXPECT_EQ(GameState.credits, 4321);
  EXPECT_FALSE(fs::exists("Data/User"));
}
