// The three user files: the exact bytes the game writes, what it does with damaged or missing
// files, and that a long session keeps saving.

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "storage/files.h"
#include "storage/levels.h"
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

TEST_F(UserFileTest, ADamagedSaveIsKeptBesideItsRepairedRecordAndSaidSo) {
  struct Case { std::string content; Progress expected; const char* text; };
  const Case cases[] = {
      {Record("Vel mora >>0;7;3;-2;5;900<<"), {1, 1, 3, 1, 5, 900}, "Vel mora >>1;1;3;1;5;900<<"},
      {Record("Vel mora >>2;2;2;2;-4;-900<<"), {2, 2, 2, 2, 1, 0}, "Vel mora >>2;2;2;2;1;0<<"},
      {"Vel mora >>3;4", {3, 4, 1, 1, 1, 5000}, "Vel mora >>3;4;1;1;1;5000<<"},
      {"Vel mora >>2;2;2;2;9;99999999999999999999999999999<<", {2, 2, 2, 2, 9, INT32_MAX},
       "Vel mora >>2;2;2;2;9;2147483647<<"},
      {"Vel mora >>2;2;2;2;-99999999999999999999999999;50<<", {2, 2, 2, 2, 1, 50}, "Vel mora >>2;2;2;2;1;50<<"},
      {"\nVel mora >>2;2;2;2;9;50<<", {1, 1, 1, 1, 1, 5000}, "Vel mora >>1;1;1;1;1;5000<<"},
      {Garbage(10240, 4), {1, 1, 1, 1, 1, 5000}, "Vel mora >>1;1;1;1;1;5000<<"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    fs::remove(std::string(kSavePath) + ".damaged");
    WriteFile(kSavePath, c.content);
    Scramble();
    EXPECT_EQ(Printed(LoadSaveGame), "./Data/User/VelMoraSaveGame.sav was damaged; it is kept as "
                                     "./Data/User/VelMoraSaveGame.sav.damaged and a repaired one is written.\n");
    ExpectProgress(c.expected);
    EXPECT_EQ(ReadFile(kSavePath), Record(c.text));
    EXPECT_EQ(ReadFile(std::string(kSavePath) + ".damaged"), c.content);
    // What was written reads back without another repair.
    Scramble();
    EXPECT_EQ(Printed(LoadSaveGame), "");
    ExpectProgress(c.expected);
  }
}

TEST_F(UserFileTest, OptionsTakeTheirDigitsAndOnlyTheThreeLayoutsAsControlMethod) {
  struct Case { std::string bytes; int32_t music, sound, method; const char* stored; };
  const Case cases[] = {
      {"110", 1, 1, 0, "110"}, {"001", 0, 0, 1, "001"}, {"104", 1, 0, 4, "104"}, {"150", 1, 5, 0, "150"},
      // Methods 2, 3 and 7 leave no way to steer: right hand, and the file is rewritten.
      {"112", 1, 1, 0, "110"}, {"013", 0, 1, 0, "010"}, {"117", 1, 1, 0, "110"},
      {"0", 0, 1, 0, "010"}, {"", 1, 1, 0, "110"}, {std::string("1\0" "4", 3), 1, 1, 4, "114"},
      {"1\n4", 1, 1, 0, "110"}, {"a/:", 1, 1, 0, "110"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteFile(kOptionsPath, c.bytes);
    Scramble();
    EXPECT_EQ(Printed(LoadOptions), "");
    EXPECT_EQ(GameState.musicOn, c.music);
    EXPECT_EQ(GameState.soundOn, c.sound);
    EXPECT_EQ(GameState.controlMethod, c.method);
    EXPECT_EQ(ReadFile(kOptionsPath), c.stored);
  }
}

TEST_F(UserFileTest, CalibrationsAreReadAsTheyStandOrBoundedAndRewritten) {
  struct Case { std::string content; int32_t x, y; std::string stored; };
  const std::string valid = std::string("-350;1900;") + '\0' + std::string(39, 'x');
  const Case cases[] = {
      {valid, -350, 1900, valid},  // filler that is not zero shows nothing was written
      {Record("5000;-9000;"), 1900, -1900, Record("1900;-1900;")},
      {"12", 12, 0, Record("12;0;")},
      {"x;5;", 0, 0, Record("0;0;")},
      {"99999999999999999999999;-1;", 1900, -1, Record("1900;-1;")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteFile(kCalibrationPath, c.content);
    Scramble();
    EXPECT_EQ(Printed(LoadCalibration), "");
    EXPECT_EQ(GameState.calibrationX, c.x);
    EXPECT_EQ(GameState.calibrationY, c.y);
    EXPECT_EQ(ReadFile(kCalibrationPath), c.stored);
  }
}

TEST_F(UserFileTest, WritesThatFailAreSaidInOneLineAndNeverTakenAsDone) {
  fs::remove_all("Data/User");
  EXPECT_EQ(Printed(LoadOptions),
            "Could not create ./Data/User/VelmoraConfig.cfg; settings will not be saved.\n");
  EXPECT_EQ(Printed(LoadSaveGame),
            "Could not create ./Data/User/VelMoraSaveGame.sav; progress will not be saved.\n");
  EXPECT_EQ(Printed(LoadCalibration),
            "Could not create ./Data/User/VelMorAccData.cfg; calibration will not be saved.\n");
  ExpectProgress({1, 1, 1, 1, 1, 5000});
  EXPECT_EQ(GameState.controlMethod, 0);
  EXPECT_EQ(GameState.calibrationX, 0);
  GameState.credits = 4321;
  EXPECT_EQ(Printed(SaveGame), "Could not write ./Data/User/VelMoraSaveGame.sav; progress was not saved.\n");
  EXPECT_EQ(Printed(SaveOptions), "Could not write ./Data/User/VelmoraConfig.cfg; settings were not saved.\n");
  EXPECT_EQ(Printed(SaveCalibration), "Could not write ./Data/User/VelMorAccData.cfg; calibration was not saved.\n");
  EXPECT_EQ(GameState.credits, 4321);
  EXPECT_FALSE(fs::exists("Data/User"));

  // A full disk: the bytes never reach the file, and the game says so instead of going on.
  fs::create_directory("Data/User");
  fs::create_symlink("/dev/full", kSavePath);
  EXPECT_EQ(Printed(SaveGame), "Could not write ./Data/User/VelMoraSaveGame.sav; progress was not saved.\n");
}

// Files that can be read but not written: an installed game's level files, or a save the player
// made read-only. They are read (never taken as missing) and the save says once that it will not
// keep progress. Run as an ordinary user, since root writes whatever the permissions say.
TEST_F(UserFileTest, ReadOnlyFilesAreReadAndTheSaveSaysItWillNotKeepProgress) {
  LoadAll();
  SetProgress({3, 2, 1, 4, 5, 777});
  SaveGame();
  const std::string save = ReadFile(kSavePath);
  for (const char* path : {kSavePath, kOptionsPath, kCalibrationPath}) fs::permissions(path, fs::perms(0444));
  fs::permissions(".", fs::perms(0755));
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    Scramble();
    const std::string printed = Printed(LoadAll);
    const bool read = CurrentProgress().credits == 777 && GameState.weaponsLevel == 3;
    const bool said = printed == "Could not write to ./Data/User/VelmoraConfig.cfg; settings will not be saved.\n"
                                 "Could not write to ./Data/User/VelMoraSaveGame.sav; progress will not be saved.\n"
                                 "Could not write to ./Data/User/VelMorAccData.cfg; calibration will not be saved.\n";
    const MissionRecord level = LoadLevel(1);
    _exit(read && said && level.type != 0 && level.asteroidPace > 0 ? 0 : printed.empty() ? 4 : 5);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
  EXPECT_EQ(ReadFile(kSavePath), save);
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
