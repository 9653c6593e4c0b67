#include "storage/user_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/game_state.h"
#include "storage/files.h"
#include "views/views.h"

namespace {

constexpr const char* kSaveFile = "User/VelMoraSaveGame.sav";
constexpr const char* kOptionsFile = "User/VelmoraConfig.cfg";
constexpr const char* kCalibrationFile = "User/VelMorAccData.cfg";

constexpr const char* kSaveFormat = "Vel mora >>%d;%d;%d;%d;%d;%d<<";
constexpr const char* kCalibrationFormat = "%d;%d;";

// Save game and calibration are written as 50 bytes: the text, its NUL and zero filler.
constexpr int kRecordBytes = 50;
constexpr int kOptionBytes = 3;

constexpr int32_t kLowestUpgrade = 1;
constexpr int32_t kHighestUpgrade = 6;
constexpr int32_t kStartCredits = 5000;
constexpr int32_t kHighestControlMethod = 4;
// The calibration screen's tracks end at +-1900 steering units.
constexpr int32_t kCalibrationLimit = 1900;

// The longest save text the game can produce: upgrades 1..6, a positive level and credits of
// 0..2147483647. It must fit in 49 characters so the 50-byte record keeps its NUL.
constexpr char kLongestSaveText[] = "Vel mora >>6;6;6;6;2147483647;2147483647<<";
static_assert(sizeof(kLongestSaveText) <= kRecordBytes, "the save record no longer fits its 50 bytes");

// One line on standard output, e.g. "Could not create ./Data/User/VelmoraConfig.cfg; settings will not be saved."
void Report(const char* failed, const char* name, const char* consequence) {
  printf("Could not %s %s; %s\n", failed, DataPath(name).c_str(), consequence);
  fflush(stdout);
}

// Reads the first line of an existing file into a zeroed buffer; false when it does not open.
bool ReadFirstLine(const char* name, char* buffer, int size) {
  memset(buffer, 0, size);
  const FileHandle file = FileOpen(name);
  if (file == -1) return false;
  FileReadLine(file, buffer, size);
  FileClose(file);
  return true;
}

// Writes the bytes over the start of an existing file; false when it does not open.
bool WriteOver(const char* name, const char* bytes, int count) {
  const FileHandle file = FileOpen(name);
  if (file == -1) return false;
  FileWrite(file, bytes, count);
  FileClose(file);
  return true;
}

// Writes text as a 50-byte record: the text, a NUL and zero filler.
bool WriteRecord(const char* name, const char* text) {
  char record[kRecordBytes] = {};
  const size_t length = strnlen(text, kRecordBytes - 1);
  memcpy(record, text, length);
  return WriteOver(name, record, kRecordBytes);
}

// Makes a file that did not exist; false (after one line saying so) when it cannot be made.
bool CreateEmpty(const char* name, const char* consequence) {
  const FileHandle file = FileCreate(name);
  if (file == -1) {
    Report("create", name, consequence);
    return false;
  }
  FileClose(file);
  return true;
}

// Numbers are read as 64 bits so an absurd value in a damaged file cannot overflow, then
// brought into [low, high]; repaired is set when the value had to change.
int32_t Bounded(long long value, long long low, long long high, bool* repaired) {
  if (value < low) {
    *repaired = true;
    return static_cast<int32_t>(low);
  }
  if (value > high) {
    *repaired = true;
    return static_cast<int32_t>(high);
  }
  return static_cast<int32_t>(value);
}

// An upgrade level outside 1..6 would index past the ship tables: it goes back to 1.
int32_t UpgradeLevel(long long value, bool* repaired) {
  if (value >= kLowestUpgrade && value <= kHighestUpgrade) return static_cast<int32_t>(value);
  *repaired = true;
  return kLowestUpgrade;
}

// The digit's value, or the fallback for any byte that is not a digit (a short file leaves NULs).
int32_t OptionDigit(char byte, int32_t fallback, bool* repaired) {
  if (byte >= '0' && byte <= '9') return byte - '0';
  *repaired = true;
  return fallback;
}

void SetDefaultProgress() {
  GameState.weaponsLevel = kLowestUpgrade;
  GameState.shieldLevel = kLowestUpgrade;
  GameState.handlingLevel = kLowestUpgrade;
  GameState.structureLevel = kLowestUpgrade;
  GameState.campaignLevel = 1;
  GameState.credits = kStartCredits;
}

void SetDefaultOptions() {
  GameState.musicOn = 1;
  GameState.soundOn = 1;
  GameState.controlMethod = ControlRightHand;
}

// The options as their three digit bytes.
void OptionBytes(char* bytes) {
  bytes[0] = static_cast<char>('0' + GameState.musicOn);
  bytes[1] = static_cast<char>('0' + GameState.soundOn);
  bytes[2] = static_cast<char>('0' + GameState.controlMethod);
}

}  // namespace

void LoadSaveGame() {
  char text[kRecordBytes];
  SetDefaultProgress();
  if (!ReadFirstLine(kSaveFile, text, kRecordBytes)) {
    if (CreateEmpty(kSaveFile, "progress will not be saved.")) SaveGame();
    return;
  }
  // Fields that do not parse keep their defaults; anything repaired is written back at once so
  // the file reads back valid next time.
  long long field[6] = {kLowestUpgrade, kLowestUpgrade, kLowestUpgrade, kLowestUpgrade, 1, kStartCredits};
  int end = -1;
  const int parsed = sscanf(text, "Vel mora >>%lld;%lld;%lld;%lld;%lld;%lld<<%n", &field[0], &field[1],
                            &field[2], &field[3], &field[4], &field[5], &end);
  bool repaired = parsed != 6 || end < 0;
  GameState.weaponsLevel = UpgradeLevel(field[0], &repaired);
  GameState.shieldLevel = UpgradeLevel(field[1], &repaired);
  GameState.handlingLevel = UpgradeLevel(field[2], &repaired);
  GameState.structureLevel = UpgradeLevel(field[3], &repaired);
  GameState.campaignLevel = Bounded(field[4], 1, INT32_MAX, &repaired);
  GameState.credits = Bounded(field[5], 0, INT32_MAX, &repaired);
  if (repaired) SaveGame();
}

void SaveGame() {
  // Only values the loader accepts are written: upgrades 1..6 and a level of at least 1.
  // Credits are clamped to 0 and up, so the text is never longer than kLongestSaveText and
  // always fits the 49 characters before the record's NUL.
  bool repaired = false;
  GameState.weaponsLevel = UpgradeLevel(GameState.weaponsLevel, &repaired);
  GameState.shieldLevel = UpgradeLevel(GameState.shieldLevel, &repaired);
  GameState.handlingLevel = UpgradeLevel(GameState.handlingLevel, &repaired);
  GameState.structureLevel = UpgradeLevel(GameState.structureLevel, &repaired);
  GameState.campaignLevel = Bounded(GameState.campaignLevel, 1, INT32_MAX, &repaired);
  GameState.credits = Bounded(GameState.credits, 0, INT32_MAX, &repaired);
  char text[sizeof(kLongestSaveText)];
  snprintf(text, sizeof text, kSaveFormat, GameState.weaponsLevel, GameState.shieldLevel,
           GameState.handlingLevel, GameState.structureLevel, GameState.campaignLevel, GameState.credits);
  if (!WriteRecord(kSaveFile, text)) Report("open", kSaveFile, "progress was not saved.");
}

void ResetProgress() {
  SetDefaultProgress();
  SaveGame();
}

void LoadOptions() {
  char bytes[kOptionBytes + 1];
  if (!ReadFirstLine(kOptionsFile, bytes, kOptionBytes + 1)) {
    SetDefaultOptions();
    const FileHandle file = FileCreate(kOptionsFile);
    if (file == -1) {
      Report("create", kOptionsFile, "settings will not be saved.");
      return;
    }
    char digits[kOptionBytes];
    OptionBytes(digits);
    FileWrite(file, digits, kOptionBytes);
    FileClose(file);
    return;
  }
  // Any digit is taken as it stands; a missing or non-digit byte takes its default.
  bool repaired = false;
  GameState.musicOn = OptionDigit(bytes[0], 1, &repaired);
  GameState.soundOn = OptionDigit(bytes[1], 1, &repaired);
  GameState.controlMethod = OptionDigit(bytes[2], ControlRightHand, &repaired);
  if (GameState.controlMethod < 0 || GameState.controlMethod > kHighestControlMethod) {
    GameState.controlMethod = ControlRightHand;
    repaired = true;
  }
  if (repaired) SaveOptions();
}

void SaveOptions() {
  char digits[kOptionBytes];
  OptionBytes(digits);
  if (!WriteOver(kOptionsFile, digits, kOptionBytes)) Report("open", kOptionsFile, "settings were not saved.");
}

void LoadCalibration() {
  char text[kRecordBytes];
  GameState.calibrationX = 0;
  GameState.calibrationY = 0;
  if (!ReadFirstLine(kCalibrationFile, text, kRecordBytes)) {
    if (CreateEmpty(kCalibrationFile, "calibration will not be saved.")) SaveCalibration();
    return;
  }
  long long x = 0, y = 0;
  int end = -1;
  const int parsed = sscanf(text, "%lld;%lld;%n", &x, &y, &end);
  bool repaired = parsed != 2 || end < 0;
  GameState.calibrationX = Bounded(x, -kCalibrationLimit, kCalibrationLimit, &repaired);
  GameState.calibrationY = Bounded(y, -kCalibrationLimit, kCalibrationLimit, &repaired);
  if (repaired) SaveCalibration();
}

void SaveCalibration() {
  char text[kRecordBytes];
  snprintf(text, sizeof text, kCalibrationFormat, GameState.calibrationX, GameState.calibrationY);
  if (!WriteRecord(kCalibrationFile, text)) Report("open", kCalibrationFile, "calibration was not saved.");
}
