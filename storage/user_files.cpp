#include "storage/user_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/data_path.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "storage/files.h"
#include "storage/text_scan.h"

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
// The calibration screen's tracks end at +-1900 steering units.
constexpr int32_t kCalibrationLimit = 1900;

// The longest save text the game can produce: upgrades 1..6, a positive level and credits of
// 0..2147483647. It must fit in 49 characters so the 50-byte record keeps its NUL.
constexpr char kLongestSaveText[] = "Vel mora >>6;6;6;6;2147483647;2147483647<<";
static_assert(sizeof(kLongestSaveText) <= kRecordBytes, "the save record no longer fits its 50 bytes");

// One line on standard output, e.g. "Could not write ./Data/User/VelmoraConfig.cfg; settings were not saved."
void Report(const char* failed, const char* name, const char* consequence) {
  printf("Could not %s %s; %s\n", failed, DataPath(name).c_str(), consequence);
  fflush(stdout);
}

// Reads the first line of an existing file into a zeroed buffer; false when it cannot be read.
bool ReadFirstLine(const char* name, char* buffer, int size) {
  memset(buffer, 0, size);
  const FileHandle file = FileOpenForReading(name);
  if (file == -1) return false;
  FileReadLine(file, buffer, size);
  FileClose(file);
  return true;
}

// True when the existing file can be opened for writing.
bool Writable(const char* name) {
  const FileHandle file = FileOpen(name);
  if (file == -1) return false;
  FileClose(file);
  return true;
}

// Writes the bytes over the start of an existing file; false unless every byte reached it.
bool WriteOver(const char* name, const char* bytes, int count) {
  const FileHandle file = FileOpen(name);
  if (file == -1) return false;
  const bool written = FileWrite(file, bytes, count);
  const bool closed = FileClose(file);
  PlatformUserFileWritten();  // in a browser, copied through to its lasting storage
  return closed && written;
}

// Makes a file that did not exist, holding the bytes. A file that could not be filled is removed
// again, so that the next start finds it missing rather than empty.
bool CreateWith(const char* name, const char* bytes, int count) {
  const FileHandle file = FileCreate(name);
  if (file == -1) return false;
  const bool written = FileWrite(file, bytes, count);
  const bool kept = FileClose(file) && written;
  if (!kept) remove(DataPath(name).c_str());
  PlatformUserFileWritten();
  return kept;
}

// Text as a 50-byte record: the text, a NUL and zero filler.
void MakeRecord(const char* text, char* record) {
  memset(record, 0, kRecordBytes);
  memcpy(record, text, strnlen(text, kRecordBytes - 1));
}

// Writes the record over an existing file, or creates the file with it when missing (after one
// line saying what failed and what that means).
bool StoreRecord(const char* name, const char* text, bool create, const char* consequence) {
  char record[kRecordBytes];
  MakeRecord(text, record);
  const bool stored = create ? CreateWith(name, record, kRecordBytes) : WriteOver(name, record, kRecordBytes);
  if (!stored) Report(create ? "create" : "write", name, consequence);
  return stored;
}

// Moves a damaged file aside to "<name>.damaged" before it is rewritten, so that nothing the
// player had is lost; false (after saying so) when it could not be moved.
bool KeepDamaged(const char* name) {
  const std::string path = DataPath(name);
  const std::string kept = path + ".damaged";
  if (rename(path.c_str(), kept.c_str()) != 0) {
    printf("%s is damaged and could not be kept as %s; it is left as it is.\n", path.c_str(), kept.c_str());
    fflush(stdout);
    return false;
  }
  printf("%s was damaged; it is kept as %s and a repaired one is written.\n", path.c_str(), kept.c_str());
  fflush(stdout);
  return true;
}

// Numbers are read as 64 bits (held at their limits) so an absurd value in a damaged file cannot
// overflow, then brought into [low, high]; repaired is set when the value had to change.
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

// Reads "<a>;<b>;..." fields, each followed by its separator, after the header; false as soon as
// one does not match (the fields read so far are kept). The header and tail may be empty.
bool ScanFields(const char* text, const char* header, long long* fields, int count, const char* tail) {
  TextScan scan(text);
  if (!scan.Literal(header)) return false;
  for (int i = 0; i < count; ++i) {
    int64_t value = 0;
    if (!scan.Integer(INT64_MIN, INT64_MAX, &value)) return false;
    fields[i] = value;
    if (!scan.Literal(i + 1 < count ? ";" : tail)) return false;
  }
  return true;
}

// The save text for the progress in memory.
void FormatSave(char* text, size_t size) {
  snprintf(text, size, kSaveFormat, GameState.weaponsLevel, GameState.shieldLevel, GameState.handlingLevel,
           GameState.structureLevel, GameState.campaignLevel, GameState.credits);
}

// Says once at start-up that an existing file will not take changes.
bool CheckWritable(const char* name, const char* consequence) {
  if (Writable(name)) return true;
  Report("write to", name, consequence);
  return false;
}

}  // namespace

void LoadSaveGame() {
  char text[kRecordBytes];
  SetDefaultProgress();
  if (!ReadFirstLine(kSaveFile, text, kRecordBytes)) {
    FormatSave(text, sizeof text);
    StoreRecord(kSaveFile, text, true, "progress will not be saved.");
    return;
  }
  // Fields that do not parse keep their defaults. A repaired save is written back at once so it
  // reads back valid next time, after the damaged one has been put aside.
  long long field[6] = {kLowestUpgrade, kLowestUpgrade, kLowestUpgrade, kLowestUpgrade, 1, kStartCredits};
  bool repaired = !ScanFields(text, "Vel mora >>", field, 6, "<<");
  GameState.weaponsLevel = UpgradeLevel(field[0], &repaired);
  GameState.shieldLevel = UpgradeLevel(field[1], &repaired);
  GameState.handlingLevel = UpgradeLevel(field[2], &repaired);
  GameState.structureLevel = UpgradeLevel(field[3], &repaired);
  GameState.campaignLevel = Bounded(field[4], 1, INT32_MAX, &repaired);
  GameState.credits = Bounded(field[5], 0, INT32_MAX, &repaired);
  if (!CheckWritable(kSaveFile, "progress will not be saved.")) return;
  if (repaired && KeepDamaged(kSaveFile)) {
    FormatSave(text, sizeof text);
    StoreRecord(kSaveFile, text, true, "progress will not be saved.");
  }
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
  FormatSave(text, sizeof text);
  StoreRecord(kSaveFile, text, false, "progress was not saved.");
}

void ResetProgress() {
  SetDefaultProgress();
  SaveGame();
}

void LoadOptions() {
  char bytes[kOptionBytes + 1];
  if (!ReadFirstLine(kOptionsFile, bytes, kOptionBytes + 1)) {
    SetDefaultOptions();
    char digits[kOptionBytes];
    OptionBytes(digits);
    if (!CreateWith(kOptionsFile, digits, kOptionBytes)) Report("create", kOptionsFile, "settings will not be saved.");
    return;
  }
  // Any digit is taken as it stands; a missing or non-digit byte takes its default. A control
  // method other than the three layouts would leave no way to steer: it becomes right hand.
  bool repaired = false;
  GameState.musicOn = OptionDigit(bytes[0], 1, &repaired);
  GameState.soundOn = OptionDigit(bytes[1], 1, &repaired);
  GameState.controlMethod = OptionDigit(bytes[2], ControlRightHand, &repaired);
  if (GameState.controlMethod != ControlRightHand && GameState.controlMethod != ControlLeftHand &&
      GameState.controlMethod != ControlAccelerometer) {
    GameState.controlMethod = ControlRightHand;
    repaired = true;
  }
  if (CheckWritable(kOptionsFile, "settings will not be saved.") && repaired) SaveOptions();
}

void SaveOptions() {
  char digits[kOptionBytes];
  OptionBytes(digits);
  if (!WriteOver(kOptionsFile, digits, kOptionBytes)) Report("write", kOptionsFile, "settings were not saved.");
}

void LoadCalibration() {
  char text[kRecordBytes];
  GameState.calibrationX = 0;
  GameState.calibrationY = 0;
  if (!ReadFirstLine(kCalibrationFile, text, kRecordBytes)) {
    snprintf(text, sizeof text, kCalibrationFormat, 0, 0);
    StoreRecord(kCalibrationFile, text, true, "calibration will not be saved.");
    return;
  }
  long long field[2] = {0, 0};
  bool repaired = !ScanFields(text, "", field, 2, ";");
  GameState.calibrationX = Bounded(field[0], -kCalibrationLimit, kCalibrationLimit, &repaired);
  GameState.calibrationY = Bounded(field[1], -kCalibrationLimit, kCalibrationLimit, &repaired);
  if (CheckWritable(kCalibrationFile, "calibration will not be saved.") && repaired) SaveCalibration();
}

void SaveCalibration() {
  char text[kRecordBytes];
  snprintf(text, sizeof text, kCalibrationFormat, GameState.calibrationX, GameState.calibrationY);
  StoreRecord(kCalibrationFile, text, false, "calibration was not saved.");
}
