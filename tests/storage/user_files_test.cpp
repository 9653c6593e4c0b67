// The three user files: the exact bytes the game writes, what it does with damaged or missing
// files, and that a long session keeps saving.

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "storage/files.h"
#include "storage/user_files.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {

using harness::ReadFile;
using harness::Record;
using harness::WriteFile;

const char* const kSavePath = "Data/User/VelMoraSaveGame.sav";
const char* const kOptionsPath = "Data/User/VelmoraConfig.cfg";
const char* const kCalibrationPath = "Data/User/VelMorAccData.cfg";

struct Progress {
  int32_t weapons, shield, handling, structure, level, credits;
};

Progress CurrentProgress() {
  return {GameState.weaponsLevel, GameState.shieldLevel, GameState.handlingLevel,
          GameState.structureLevel, GameState.campaignLevel, GameState.credits};
}

void SetProgress(const Progress& p) {
  GameState.weaponsLevel = p.weapons;
  GameState.shieldLevel = p.shield;
  GameState.handlingLevel = p.handling;
  GameState.structureLevel = p.structure;
  GameState.campaignLevel = p.level;
  GameState.credits = p.credits;
}

void ExpectProgress(const Progress& expected) {
  const Progress got = CurrentProgress();
  EXPECT_EQ(got.weapons, expected.weapons);
  EXPECT_EQ(got.shield, expected.shield);
  EXPECT_EQ(got.handling, expected.handling);
  EXPECT_EQ(got.structure, expected.structure);
  EXPECT_EQ(got.level, expected.level);
  EXPECT_EQ(got.credits, expected.credits);
}

// Values no load may leave behind.
void Scramble() {
  SetProgress({-77, -77, -77, -77, -77, -77});
  GameState.musicOn = GameState.soundOn = GameState.controlMethod = -77;
  GameState.calibrationX = GameState.calibrationY = -77777;
}

// Runs a load or save and returns what it printed.
std::string Printed(void (*action)()) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

// Deterministic bytes of every value, NULs and newlines included.
std::string Garbage(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& b : bytes) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<char>(seed >> 16);
  }
  return bytes;
}

}  // namespace

class UserFileTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (FileHandle slot = 0; slot < kMaxFiles; ++slot) FileClose(slot);
    GameState.FileTable = FileTableRecord{};
    Scramble();
  }
  // The start-up order: options first, then the save game, then the calibration.
  static void LoadAll() {
    LoadOptions();
    LoadSaveGame();
    LoadCalibration();
  }
};

TEST_F(UserFileTest, FirstRunLeavesExactlyTheThreeDefaultFiles) {
  EXPECT_EQ(Printed(LoadAll), "");
  EXPECT_EQ(ReadFile(kSavePath), Record("Vel mora >>1;1;1;1;1;5000<<"));
  EXPECT_EQ(ReadFile(kOptionsPath), "110");
  EXPECT_EQ(ReadFile(kCalibrationPath), Record("0;0;"));
  int files = 0;
  for (const auto& entry : fs::directory_iterator("Data/User")) files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 3);
  ExpectProgress({1, 1, 1, 1, 1, 5000});
  EXPECT_EQ(GameState.musicOn, 1);
  EXPECT_EQ(GameState.soundOn, 1);
  EXPECT_EQ(GameState.controlMethod, ControlRightHand);
  EXPECT_EQ(GameState.calibrationX, 0);
  EXPECT_EQ(GameState.calibrationY, 0);
  // Nothing is left open.
  for (int32_t slot = 0; slot < GameState.FileTable.FileCount; ++slot) EXPECT_EQ(GameState.FileTable.files[slot], nullptr);
}

TEST_F(UserFileTest, ProgressSurvivesARestartAndShorterRecordsReadBackClean) {
  LoadAll();
  SetProgress({2, 3, 4, 5, 24, 123456789});
  SaveGame();
  EXPECT_EQ(ReadFile(kSavePath), Record("Vel mora >>2;3;4;5;24;123456789<<"));
  SetProgress({6, 1, 2, 3, 7, 5});
  SaveGame();
  EXPECT_EQ(ReadFile(kSavePath), Record("Vel mora >>6;1;2;3;7;5<<"));
  Scramble();
  EXPECT_EQ(Printed(LoadSaveGame), "");
  ExpectProgress({6, 1, 2, 3, 7, 5});

  ResetProgress();
  ExpectProgress({1, 1, 1, 1, 1, 5000});
  EXPECT_EQ(ReadFile(kSavePath), Record("Vel mora >>1;1;1;1;1;5000<<"));

  GameState.calibrationX = -1234;
  GameState.calibrationY = 73;
  SaveCalibration();
  EXPECT_EQ(ReadFile(kCalibrationPath), Record("-1234;73;"));
  Scramble();
  LoadCalibration();
  EXPECT_EQ(GameState.calibrationX, -1234);
  EXPECT_EQ(GameState.calibrationY, 73);
}

TEST_F(UserFileTest, SaveGameOnlyWritesARecordItCanReadBack) {
  LoadAll();
  // The largest balance still fits the 49 characters and reads back whole.
  SetProgress({6, 6, 6, 6, INT32_MAX, INT32_MAX});
  SaveGame();
  const std::string longest = ReadFile(kSavePath);
  EXPECT_EQ(longest, Record("Vel mora >>6;6;6;6;2147483647;2147483647<<"));
  Scramble();
  LoadSaveGame();
  ExpectProgress({6, 6, 6, 6, INT32_MAX, INT32_MAX});
  EXPECT_EQ(ReadFile(kSavePath), longest);

  // Values that would not read back are brought into range, in memory and in the file.
  SetProgress({0, 7, -5, INT32_MIN, -3, INT32_MIN});
  SaveGame();
  ExpectProgress({1, 1, 1, 1, 1, 0});
  EXPECT_EQ(ReadFile(kSavePath), Record("Vel mora >>1;1;1;1;1;0<<"));
}

TEST_F(UserFileTest, DamagedSaveGamesAreRepairedAndRewritten) {
  struct Case { std::string content; Progress expected; const char* text; };
  const Case cases[] = {
      {Record("Vel mora >>0;7;3;-2;5;900<<"), {1, 1, 3, 1, 5, 900}, "Vel mora >>1;1;3;1;5;900<<"},
      {Record("Vel mora >>2;2;2;2;0;900<<"), {2, 2, 2, 2, 1, 900}, "Vel mora >>2;2;2;2;1;900<<"},
      {Record("Vel mora >>2;2;2;2;-4;-900<<"), {2, 2, 2, 2, 1, 0}, "Vel mora >>2;2;2;2;1;0<<"},
      {"Vel mora >>3;4", {3, 4, 1, 1, 1, 5000}, "Vel mora >>3;4;1;1;1;5000<<"},
      {"Vel mora >>3;4;5;6;7;12", {3, 4, 5, 6, 7, 12}, "Vel mora >>3;4;5;6;7;12<<"},
      {"Vel mora >>2;2;2;2;9;99999999999999999999<<", {2, 2, 2, 2, 9, INT32_MAX}, "Vel mora >>2;2;2;2;9;2147483647<<"},
      {"vel Mora 2;2;2;2;9;50", {1, 1, 1, 1, 1, 5000}, "Vel mora >>1;1;1;1;1;5000<<"},
      {"\nVel mora >>2;2;2;2;9;50<<", {1, 1, 1, 1, 1, 5000}, "Vel mora >>1;1;1;1;1;5000<<"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteFile(kSavePath, c.content);
    Scramble();
    EXPECT_EQ(Printed(LoadSaveGame), "");
    ExpectProgress(c.expected);
    const std::string file = ReadFile(kSavePath);
    ASSERT_GE(file.size(), 50u);
    EXPECT_EQ(file.substr(0, 50), Record(c.text));
  }
}

TEST_F(UserFileTest, ValidFilesAreReadAsTheyStandAndNotRewritten) {
  // Filler that is not zero shows that nothing was written over the file.
  const std::string save = std::string("Vel mora >>4;5;6;3;12;777<<") + '\0' + std::string(22, 'x');
  const std::string calibration = std::string("-350;1900;") + '\0' + std::string(39, 'x');
  WriteFile(kSavePath, save);
  WriteFile(kCalibrationPath, calibration);
  struct OptionCase { const char* bytes; int32_t music, sound, method; };
  const OptionCase options[] = {
      {"110", 1, 1, 0}, {"001", 0, 0, 1}, {"112", 1, 1, 2}, {"113", 1, 1, 3}, {"104", 1, 0, 4}, {"150", 1, 5, 0},
  };
  for (const OptionCase& o : options) {
    SCOPED_TRACE(o.bytes);
    WriteFile(kOptionsPath, o.bytes);
    Scramble();
    EXPECT_EQ(Printed(LoadAll), "");
    EXPECT_EQ(GameState.musicOn, o.music);
    EXPECT_EQ(GameState.soundOn, o.sound);
    EXPECT_EQ(GameState.controlMethod, o.method);
    EXPECT_EQ(ReadFile(kOptionsPath), o.bytes);
  }
  ExpectProgress({4, 5, 6, 3, 12, 777});
  EXPECT_EQ(GameState.calibrationX, -350);
  EXPECT_EQ(GameState.calibrationY, 1900);
  EXPECT_EQ(ReadFile(kSavePath), save);
  EXPECT_EQ(ReadFile(kCalibrationPath), calibration);
}

TEST_F(UserFileTest, BadOptionBytesTakeTheirDefaultsAndAreRewritten) {
  struct Case { std::string bytes; int32_t music, sound, method; const char* rewritten; };
  const Case cases[] = {
      {"117", 1, 1, 0, "110"},                          // an unknown control method
      {"019", 0, 1, 0, "010"},
      {"0", 0, 1, 0, "010"},                            // too short
      {"05", 0, 5, 0, "050"},
      {"", 1, 1, 0, "110"},                             // empty
      {std::string("1\0" "4", 3), 1, 1, 4, "114"},      // a NUL in the middle
      {"1\n4", 1, 1, 0, "110"},                         // the read stops at the newline
      {"a/:", 1, 1, 0, "110"},                          // bytes next to the digits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rewritten);
    WriteFile(kOptionsPath, c.bytes);
    Scramble();
    EXPECT_EQ(Printed(LoadOptions), "");
    EXPECT_EQ(GameState.musicOn, c.music);
    EXPECT_EQ(GameState.soundOn, c.sound);
    EXPECT_EQ(GameState.controlMethod, c.method);
    EXPECT_EQ(ReadFile(kOptionsPath), c.rewritten);
  }
}

TEST_F(UserFileTest, BadCalibrationsAreBoundedAndRewritten) {
  struct Case { std::string content; int32_t x, y; const char* text; };
  const Case cases[] = {
      {Record("5000;-9000;"), 1900, -1900, "1900;-1900;"},
      {"12", 12, 0, "12;0;"},
      {"12;34", 12, 34, "12;34;"},
      {"", 0, 0, "0;0;"},
      {"x;5;", 0, 0, "0;0;"},
      {"99999999999999999999;-1;", 1900, -1, "1900;-1;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteFile(kCalibrationPath, c.content);
    Scramble();
    EXPECT_EQ(Printed(LoadCalibration), "");
    EXPECT_EQ(GameState.calibrationX, c.x);
    EXPECT_EQ(GameState.calibrationY, c.y);
    EXPECT_EQ(ReadFile(kCalibrationPath).substr(0, 50), Record(c.text));
  }
}

// Whatever is in the files, start-up gets sane values, and what it leaves behind reads back
// the same without any further repair.
TEST_F(UserFileTest, CorruptedTruncatedEmptyGarbageAndOversizedFilesLoadCleanly) {
  struct Kind { const char* name; std::string save, options, calibration; };
  const Kind kinds[] = {
      {"truncated", "Vel mora >>2;3;4;5;6;12", "1", "-3"},
      {"cut inside the header", "Vel mo", "", "-"},
      {"empty", "", "", ""},
      {"binary garbage", Garbage(200, 1), Garbage(3, 2), Garbage(50, 3)},
      {"more binary garbage", Garbage(50, 11), Garbage(40, 12), Garbage(77, 13)},
      {"oversized garbage", Garbage(10240, 4), Garbage(10240, 5), Garbage(10240, 6)},
      {"oversized without newlines", std::string(10240, '7'), std::string(10240, '9'), std::string(10240, '8')},
      {"valid records followed by 10 KB", Record("Vel mora >>2;2;2;2;3;40<<") + Garbage(10240, 7),
       "014" + Garbage(10240, 8), Record("10;-10;") + Garbage(10240, 9)},
  };
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.name);
    WriteFile(kSavePath, k.save);
    WriteFile(kOptionsPath, k.options);
    WriteFile(kCalibrationPath, k.calibration);
    Scramble();
    EXPECT_EQ(Printed(LoadAll), "");
    EXPECT_GE(GameState.musicOn, 0);
    EXPECT_LE(GameState.musicOn, 9);
    EXPECT_GE(GameState.soundOn, 0);
    EXPECT_LE(GameState.soundOn, 9);
    EXPECT_TRUE(GameState.controlMethod >= 0 && GameState.controlMethod <= 4) << GameState.controlMethod;
    for (int32_t upgrade : {GameState.weaponsLevel, GameState.shieldLevel, GameState.handlingLevel, GameState.structureLevel}) {
      EXPECT_GE(upgrade, 1);
      EXPECT_LE(upgrade, 6);
    }
    EXPECT_GE(GameState.campaignLevel, 1);
    EXPECT_GE(GameState.credits, 0);
    EXPECT_LE(std::abs(GameState.calibrationX), 1900);
    EXPECT_LE(std::abs(GameState.calibrationY), 1900);

    const Progress loaded = CurrentProgress();
    const int32_t music = GameState.musicOn, sound = GameState.soundOn, method = GameState.controlMethod;
    const int32_t calX = GameState.calibrationX, calY = GameState.calibrationY;
    const std::string save = ReadFile(kSavePath);
    const std::string options = ReadFile(kOptionsPath);
    const std::string calibration = ReadFile(kCalibrationPath);
    Scramble();
    LoadAll();
    ExpectProgress(loaded);
    EXPECT_EQ(GameState.musicOn, music);
    EXPECT_EQ(GameState.soundOn, sound);
    EXPECT_EQ(GameState.controlMethod, method);
    EXPECT_EQ(GameState.calibrationX, calX);
    EXPECT_EQ(GameState.calibrationY, calY);
    EXPECT_EQ(ReadFile(kSavePath), save);
    EXPECT_EQ(ReadFile(kOptionsPath), options);
    EXPECT_EQ(ReadFile(kCalibrationPath), calibration);
  }
}

TEST_F(UserFileTest, WithoutAUserDirectoryTheGameRunsOnAndSaysSoOncePerFile) {
  fs::remove("Data/User");
  EXPECT_EQ(Printed(LoadOptions),
            "Could not create ./Data/User/VelmoraConfig.cfg; settings will not be saved.\n");
  EXPECT_EQ(Printed(LoadSaveGame),
            "Could not create ./Data/User/VelMoraSaveGame.sav; progress will not be saved.\n");
  EXPECT_EQ(Printed(LoadCalibration),
            "Could not create ./Data/User/VelMorAccData.cfg; calibration will not be saved.\n");
  ExpectProgress({1, 1, 1, 1, 1, 5000});
  EXPECT_EQ(GameState.musicOn, 1);
  EXPECT_EQ(GameState.soundOn, 1);
  EXPECT_EQ(GameState.controlMethod, 0);
  EXPECT_EQ(GameState.calibrationX, 0);
  EXPECT_EQ(GameState.calibrationY, 0);
  EXPECT_EQ(GameState.FileTable.FileCount, 0);

  // Later saves fail the same way, one line each, and keep the values in memory.
  GameState.credits = 4321;
  EXPECT_EQ(Printed(SaveGame), "Could not open ./Data/User/VelMoraSaveGame.sav; progress was not saved.\n");
  EXPECT_EQ(Printed(SaveOptions), "Could not open ./Data/User/VelmoraConfig.cfg; settings were not saved.\n");
  EXPECT_EQ(Printed(SaveCalibration), "Could not open ./Data/User/VelMorAccData.cfg; calibration was not saved.\n");
  EXPECT_EQ(GameState.credits, 4321);
  EXPECT_FALSE(fs::exists("Data/User"));
}

TEST_F(UserFileTest, ALongSessionNeverStopsSaving) {
  LoadAll();
  for (int i = 0; i < 700; ++i) {
    GameState.soundOn = i % 2;
    SaveOptions();
  }
  EXPECT_EQ(GameState.FileTable.FileCount, kMaxFiles);
  EXPECT_EQ(ReadFile(kOptionsPath), "110");
  GameState.credits = 98765;
  EXPECT_EQ(Printed(SaveGame), "");
  Scramble();
  LoadSaveGame();
  EXPECT_EQ(GameState.credits, 98765);
}
