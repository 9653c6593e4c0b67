#include "storage/profile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "core/data_path.h"
#include "storage/files.h"
#include "storage/text_scan.h"
#include "storage/user_folder.h"

namespace {

// The file, a line each:
//   Vel mora profile 1
//   music <level 1..4>
//   effects <level 1..4>
//   best <score> <YYYY-MM-DD>      (at most ten, best first)
constexpr const char* kHeader = "Vel mora profile 1";
constexpr int kLineBytes = 64;
constexpr int kFileBytes = 512;  // the longest file is about 360 bytes

void SetDefaults(ProfileRecord& profile) {
  profile.musicLevel = kVolumeSteps;
  profile.effectsLevel = kVolumeSteps;
  profile.bestCount = 0;
  profile.lastRank = -1;
}

bool IsDate(const char* text) {
  for (int i = 0; i < 10; ++i) {
    const bool dash = i == 4 || i == 7;
    if (dash ? text[i] != '-' : (text[i] < '0' || text[i] > '9')) return false;
  }
  return text[10] == '\0';
}

// A line without its end of line.
void Chomp(char* line) { line[strcspn(line, "\r\n")] = '\0'; }

// A level line, "music 3": the level, or 0 when the line is not one.
int32_t Level(const char* line, const char* name) {
  TextScan scan(line);
  int64_t value = 0;
  if (!scan.Literal(name) || !scan.Literal(" ") || !scan.Integer(0, kVolumeSteps + 1, &value) || !scan.AtEnd()) {
    return 0;
  }
  return value >= 1 && value <= kVolumeSteps ? static_cast<int32_t>(value) : 0;
}

// One "best" line, appended to the table; false unless it is whole, dated, and not above the
// score before it.
bool ReadBest(const char* line, ProfileRecord& profile) {
  TextScan scan(line);
  int64_t value = 0;
  if (!scan.Literal("best ") || !scan.Integer(INT64_MIN, INT64_MAX, &value) || !scan.Literal(" ")) {
    return false;
  }
  const char* date = strrchr(line, ' ') + 1;
  const bool twoBlanks = std::count(line, line + strlen(line), ' ') == 2;
  const bool fits = value >= INT32_MIN && value <= INT32_MAX && profile.bestCount < kBestScores;
  if (!twoBlanks || !fits || !IsDate(date)) return false;
  if (profile.bestCount > 0 && profile.best[profile.bestCount - 1].score < value) return false;
  BestScore& entry = profile.best[profile.bestCount++];
  entry.score = static_cast<int32_t>(value);
  memcpy(entry.date, date, 10);
  entry.date[10] = '\0';
  return true;
}

// One line of the file into the profile; false when it is not one of ours.
bool ReadLine(const char* line, ProfileRecord& profile) {
  if (const int32_t music = Level(line, "music")) {
    profile.musicLevel = music;
    return true;
  }
  if (const int32_t effects = Level(line, "effects")) {
    profile.effectsLevel = effects;
    return true;
  }
  return ReadBest(line, profile);
}

// Reads the file; false when it is missing or unreadable. `damaged` says whether any of it had to
// be left out (what could be read is kept).
bool ReadProfile(ProfileRecord& profile, bool* damaged) {
  const FileHandle file = FileOpenForReading(kProfileFile);
  if (file == -1) return false;
  char line[kLineBytes];
  memset(line, 0, sizeof line);
  *damaged = FileReadLine(file, line, kLineBytes) == nullptr;
  Chomp(line);
  if (strcmp(line, kHeader) != 0) *damaged = true;
  while (!*damaged && FileReadLine(file, line, kLineBytes) != nullptr) {
    const bool whole = strchr(line, '\n') != nullptr;
    Chomp(line);
    if (!whole && strlen(line) >= kLineBytes - 1) *damaged = true;  // a line too long to be ours
    if (!*damaged && !ReadLine(line, profile)) *damaged = true;
  }
  FileClose(file);
  return true;
}

int Format(const ProfileRecord& profile, char* text, int size) {
  int length = snprintf(text, size, "%s\nmusic %d\neffects %d\n", kHeader, profile.musicLevel, profile.effectsLevel);
  for (int i = 0; i < profile.bestCount && length < size; ++i) {
    length += snprintf(text + length, size - length, "best %d %s\n", profile.best[i].score, profile.best[i].date);
  }
  return length < size ? length : size - 1;
}

// Writes the whole file; false (said in one line) when it could not be.
bool Store(const ProfileRecord& profile) {
  char text[kFileBytes];
  const int length = Format(profile, text, sizeof text);
  if (UserFileWrite(kProfileFile, text, length)) return true;
  printf("Could not write %s; best scores and sound levels were not saved.\n", DataPath(kProfileFile).c_str());
  fflush(stdout);
  return false;
}

// The damaged file is kept under a name of its own before what could be read of it replaces it;
// the copy is taken back if the repaired file cannot be written.
void Repair() {
  const std::string kept = UserFileSetAside(kProfileFile);
  if (kept.empty()) {
    printf("%s is damaged and could not be kept aside; it is left as it is.\n", DataPath(kProfileFile).c_str());
    fflush(stdout);
    return;
  }
  if (!Store(GameState.Profile)) {
    UserFileDropSetAside(kept);
    return;
  }
  printf("%s was damaged; it is kept as %s and a repaired one is written.\n", DataPath(kProfileFile).c_str(),
         kept.c_str());
  fflush(stdout);
}

}  // namespace

void LoadProfile() {
  ProfileRecord& profile = GameState.Profile;
  SetDefaults(profile);
  bool damaged = false;
  if (!ReadProfile(profile, &damaged)) {
    SaveProfile();
    return;
  }
  if (damaged) Repair();
}

void SaveProfile() { Store(GameState.Profile); }

int32_t InsertBestScore(ProfileRecord& profile, int32_t score, const char* date) {
  int32_t rank = 0;
  while (rank < profile.bestCount && profile.best[rank].score >= score) ++rank;
  if (rank >= kBestScores) return -1;
  const int32_t kept = profile.bestCount < kBestScores ? profile.bestCount : kBestScores - 1;
  memmove(&profile.best[rank + 1], &profile.best[rank], (kept - rank) * sizeof(BestScore));
  profile.best[rank].score = score;
  snprintf(profile.best[rank].date, sizeof profile.best[rank].date, "%s", date);
  profile.bestCount = kept + 1;
  return rank;
}

int32_t RecordBestScore(int32_t score) {
  char date[11] = "";
  const time_t now = time(nullptr);
  struct tm local = {};
  if (localtime_r(&now, &local) != nullptr) strftime(date, sizeof date, "%Y-%m-%d", &local);
  const int32_t rank = InsertBestScore(GameState.Profile, score, date);
  GameState.Profile.lastRank = rank;
  if (rank != -1) SaveProfile();
  return rank;
}
