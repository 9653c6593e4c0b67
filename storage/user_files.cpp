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
#include "storage/user_folder.h"

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

// The longest save text the game can produce: upgrades 1..6, a positive level and credits of
// 0..2147483647. It must fit in 49 characters so the 50-byte record keeps its NUL.
constexpr char kLongestSaveText[] = "Vel mora >>6;6;6;6;2147483647;2147483647<<";
static_assert(sizeof(kLongestSaveText) <= kRecordBytes, "the save record no longer fits its 50 bytes");

// One line on standard output, e.g. "Could not write ./Data/User/VelmoraConfig.cfg; settings were not saved."
void Report(const char* failed, const char* name, const char* consequence) {
  printf("Could not %s %s; %s\n", failed, DataPath(name).c_str(), consequence);
  fflush(stdout);
}

// What reading a user file found.
enum class Found { Read, Missing, Unreadable };

// Reads the first line of an existing file into a zeroed buffer. A folder, pipe or device where
// the file belongs is set aside (it holds nothing of the player's) and counts as missing; a file
// that is there but cannot be read is left as it is, for this session never to write over.
Found ReadFirstLine(const char* name, char* buffer, int size) {
  memset(buffer, 0, size);
  UserFolderClaim();
  switch (FileKind(name)) {
    case FileAbsent: return Found::Missing;
    case FileOther: {
      const std::string kept = UserFileSetAside(name);
      if (kept.empty()) {
        printf("%s is not a file the game can read; it is left as it is.\n", DataPath(name).c_str());
        fflush(stdout);
        return Found::Unreadable;
      }
      printf("%s was not a file; it is moved to %s and a new one is written.\n", DataPath(name).c_str(), kept.c_str());
      fflush(stdout);
      return Found::Missing;
    }
    case FileRegular: break;
  }
  const FileHandle file = FileOpenForReading(name);
  if (file == -1) {
    Report("read", name, "it is left as it is.");
    UserFolderNote(UserFolderNotReadable);
    return Found::Unreadable;
  }
  FileReadLine(file, buffer, size);
  FileClose(file);
  return Found::Read;
}

// Writes a whole file, saying in one line what failed and what that means.
bool Store(const char* name, const char* bytes, int count, bool create, const char* consequence) {
  const bool stored = UserFileWrite(name, bytes, count);
  if (!stored) Report(create ? "create" : "write", name, consequence);
  return stored;
}

// Text as a 50-byte record: the text, a NUL and zero filler.
void MakeRecord(const char* text, char* record) {
  memset(record, 0, kRecordBytes);
  memcpy(record, text, strnlen(text, kRecordBytes - 1));
}

// Writes the text as a 50-byte record.
bool StoreRecord(const char* name, const char* text, bool create, const char* consequence) {
  char record[kRecordBytes];
  MakeRecord(text, record);
  return Store(name, record, kRecordBytes, create, consequence);
}

// A damaged file is kept under a name of its own before its repaired record replaces it, so that
// nothing the player had is lost; the copy is taken back if the repaired one cannot be written.
void Repair(const char* name, const char* text, const char* consequence) {
  const std::string kept = UserFileSetAside(name);
  if (kept.empty()) {
    printf("%s is damaged and could not be kept aside; it is left as it is.\n", DataPath(name).c_str());
    fflush(stdout);
    return;
  }
  char record[kRecordBytes];
  MakeRecord(text, record);
  if (!UserFileWrite(name, record, kRecordBytes)) {
    UserFileDropSetAside(kept);
    Report("write", name, consequence);
    return;
  }
  printf("%s was damaged; it is kept as %s and a repaired one is written.\n", DataPath(name).c_str(), kept.c_str());
  fflush(stdout);
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

// An on/off digit's value: 0 or 1; any other byte (a short file leaves NULs) takes the default.
int32_t OptionSwitch(char byte, int32_t fallback, bool* repaired) {
  if (byte == '0' || byte == '1') return byte - '0';
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
  if (UserFileWritable(name)) return true;
  Report("write to", name, consequence);
  return false;
}

}  // namespace

void LoadSaveGame() {
  char text[kRecordBytes];
  SetDefaultProgress();
  const Found found = ReadFirstLine(kSaveFile, text, kRecordBytes);
  if (found == Found::Unreadable) return;
  if (found == Found::Missing) {
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
  if (repaired) {
    FormatSave(text, sizeof text);
    Repair(kSaveFile, text, "progress will not be saved.");
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
  SetDefaultOptions();
  const Found found = ReadFirstLine(kOptionsFile, bytes, kOptionBytes + 1);
  if (found == Found::Unreadable) return;
  if (found == Found::Missing) {
    char digits[kOptionBytes];
    OptionBytes(digits);
    Store(kOptionsFile, digits, kOptionBytes, true, "settings will not be saved.");
    return;
  }
  // Music and sound are on (1) or off (0); a control method other than the three layouts would
  // leave no way to steer. Anything else takes its default, and the file is rewritten.
  bool repaired = false;
  GameState.musicOn = OptionSwitch(bytes[0], 1, &repaired);
  GameState.soundOn = OptionSwitch(bytes[1], 1, &repaired);
  const int32_t method = bytes[2] - '0';
  if (method == ControlRightHand || method == ControlLeftHand || method == ControlAccelerometer) {
    GameState.controlMethod = method;
  } else {
    repaired = true;
  }
  if (CheckWritable(kOptionsFile, "settings will not be saved.") && repaired) SaveOptions();
}

void SaveOptions() {
  char digits[kOptionBytes];
  OptionBytes(digits);
  Store(kOptionsFile, digits, kOptionBytes, false, "settings were not saved.");
}

void LoadCalibration() {
  char text[kRecordBytes];
  GameState.calibrationX = 0;
  GameState.calibrationY = 0;
  const Found found = ReadFirstLine(kCalibrationFile, text, kRecordBytes);
  if (found == Found::Unreadable) return;
  if (found == Found::Missing) {
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
