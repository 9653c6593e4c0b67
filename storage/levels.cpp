#include "storage/levels.h"

#include <cstdio>

#include "core/data_path.h"
#include "storage/files.h"
#include "storage/text_scan.h"

namespace {

constexpr int kLineBytes = 100;  // a level line is read up to 99 characters
constexpr int32_t kSmallestPace = 4;

// The letter that names each kind of mission in a level file.
struct KindLetter {
  MissionKind kind;
  char letter;
};
constexpr KindLetter kKindLetters[] = {
    {MissionCollect, 'C'}, {MissionDestroy, 'D'}, {MissionProtect, 'P'}, {MissionSurvive, 'S'}};

// "Levels/level<n>.dat", relative to the data directory.
void LevelFileName(int32_t level, char* name, int size) { snprintf(name, size, "Levels/level%d.dat", level); }

void SayUnplayable(int32_t level) {
  char name[32];
  LevelFileName(level, name, sizeof name);
  printf("Level file %s is missing or invalid; ", DataPath(name).c_str());
}

bool RangeIsPlayable(int32_t range) { return range == -1 || range >= 1; }

// A short survival mission that needs no file; it ends the campaign when won.
MissionRecord BuiltInMission(int32_t levelNumber) {
  MissionRecord mission = {};
  mission.asteroidPace = 60;
  mission.oreRange = 300;
  mission.infectedRange = 200;
  mission.type = MissionSurvive;
  mission.target = 60;
  mission.reward = 0;
  mission.levelNumber = levelNumber;
  mission.nextLevel = -1;
  mission.progress = 0;
  return mission;
}

// "pace;ore;infected;type;target;reward;next": fields are read in order until one does not match,
// and the rest stay 0. The type is the one character right after the third ';', blanks included.
void ParseLevelLine(const char* line, MissionRecord* mission) {
  TextScan scan(line);
  char type = 0;
  if (!scan.Integer32(&mission->asteroidPace) || !scan.Literal(";")) return;
  if (!scan.Integer32(&mission->oreRange) || !scan.Literal(";")) return;
  if (!scan.Integer32(&mission->infectedRange) || !scan.Literal(";")) return;
  if (!scan.Character(&type)) return;
  mission->type = MissionKindOfLetter(type);
  if (!scan.Literal(";") || !scan.Integer32(&mission->target) || !scan.Literal(";")) return;
  if (!scan.Integer32(&mission->reward) || !scan.Literal(";")) return;
  scan.Integer32(&mission->nextLevel);
}

}  // namespace

MissionKind MissionKindOfLetter(char letter) {
  for (const KindLetter& known : kKindLetters) {
    if (known.letter == letter) return known.kind;
  }
  return MissionUnknown;
}

char MissionLetter(MissionKind kind) {
  for (const KindLetter& known : kKindLetters) {
    if (known.kind == kind) return known.letter;
  }
  return '?';
}

MissionRecord LoadLevel(int32_t level) {
  MissionRecord mission = {};
  char name[32];
  LevelFileName(level, name, sizeof name);
  const FileHandle file = FileOpenForReading(name);
  if (file != -1) {
    char line[kLineBytes] = {};
    const bool read = FileReadLine(file, line, kLineBytes) != nullptr;
    FileClose(file);
    if (read) {
      ParseLevelLine(line, &mission);
    }
  }
  mission.levelNumber = level;
  mission.progress = 0;
  return mission;
}

bool MissionIsPlayable(const MissionRecord& mission) {
  return mission.asteroidPace >= kSmallestPace && RangeIsPlayable(mission.oreRange) &&
         RangeIsPlayable(mission.infectedRange) && mission.type != MissionUnknown && mission.target >= 0;
}

MissionRecord LoadCampaignLevel(int32_t level, int32_t fallbackLevel) {
  const MissionRecord mission = LoadLevel(level);
  if (MissionIsPlayable(mission)) return mission;
  int32_t failed = level;
  if (fallbackLevel != level) {
    SayUnplayable(level);
    printf("playing level %d instead.\n", fallbackLevel);
    fflush(stdout);
    const MissionRecord fallback = LoadLevel(fallbackLevel);
    if (MissionIsPlayable(fallback)) return fallback;
    failed = fallbackLevel;
  }
  SayUnplayable(failed);
  printf("playing a built-in survival mission instead.\n");
  fflush(stdout);
  return BuiltInMission(fallbackLevel);
}
