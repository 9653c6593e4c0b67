// Fuzzes the level reader: the input is written as Levels/level3.dat and read with LoadLevel and
// LoadCampaignLevel, next to a level 1 that is missing, well formed or unplayable.
//
// Checked for every input: no sanitizer report; no file handle left open; the record names the
// level that was asked for, has progress 0 and a type that fits one byte; reading twice gives the
// same record; a well-formed line "pace;ore;infected;T;target;reward;next" is read exactly; and the
// campaign always gets a playable mission: the level itself when it is playable, else the fallback
// level when that is, else the built-in survival mission.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/game_state.h"
#include "storage/levels.h"
#include "tools/hardening/fuzz_support.h"

using namespace hardening;

namespace {

constexpr int32_t kFuzzedLevel = 3;
constexpr int32_t kOtherLevel = 1;
const std::string kFuzzedPath = "Data/Levels/level3.dat";
const std::string kOtherPath = "Data/Levels/level1.dat";
const std::string kWellFormed = "80;150;-1;S;30;1500;2\n";
const std::string kUnplayable = "0;0;0;X;0;0;0\n";

std::string Describe(const MissionRecord& m) {
  return "{pace " + std::to_string(m.asteroidPace) + ", ore " + std::to_string(m.oreRange) + ", infected " +
         std::to_string(m.infectedRange) + ", type " + std::to_string(m.type) + ", target " +
         std::to_string(m.target) + ", reward " + std::to_string(m.reward) + ", level " +
         std::to_string(m.levelNumber) + ", next " + std::to_string(m.nextLevel) + ", progress " +
         std::to_string(m.progress) + "}";
}

bool Same(const MissionRecord& a, const MissionRecord& b) { return memcmp(&a, &b, sizeof a) == 0; }

// What a round needs of its mission: launches every pace / 4 frames (at least one), ranges that
// are "none" (-1) or a positive count for RandomBelow, a known type and a target not below 0.
bool RoundCanPlay(const MissionRecord& m) {
  const bool knownType = m.type == 'C' || m.type == 'D' || m.type == 'P' || m.type == 'S';
  return m.asteroidPace / 4 >= 1 && (m.oreRange == -1 || m.oreRange >= 1) &&
         (m.infectedRange == -1 || m.infectedRange >= 1) && knownType && m.target >= 0;
}

// One decimal number exactly as printf's %d writes it ("0", "-12", never "+1", "007" or "-0").
bool CanonicalNumber(const std::string& text, size_t* position, int32_t* value) {
  size_t p = *position;
  const bool negative = p < text.size() && text[p] == '-';
  if (negative) ++p;
  const size_t first = p;
  long long v = 0;
  while (p < text.size() && text[p] >= '0' && text[p] <= '9' && p - first < 11) v = v * 10 + (text[p++] - '0');
  if (p == first || (p < text.size() && text[p] >= '0' && text[p] <= '9')) return false;
  if (text[first] == '0' && (p - first > 1 || negative)) return false;
  v = negative ? -v : v;
  if (v < INT32_MIN || v > INT32_MAX) return false;
  *value = static_cast<int32_t>(v);
  *position = p;
  return true;
}

// The line as the reader sees it (the first line, at most 99 bytes, up to its first NUL), parsed
// strictly; false for anything that is not a plain well-formed line.
bool ParseWellFormed(const std::string& file, MissionRecord* m) {
  std::string line = file.substr(0, 99);
  const size_t newline = line.find('\n');
  if (newline != std::string::npos) line.resize(newline + 1);
  line = line.c_str();
  size_t p = 0;
  int32_t* before[3] = {&m->asteroidPace, &m->oreRange, &m->infectedRange};
  for (int32_t* field : before) {
    if (!CanonicalNumber(line, &p, field) || p >= line.size() || line[p] != ';') return false;
    ++p;
  }
  if (p + 1 >= line.size() || line[p + 1] != ';') return false;
  m->type = static_cast<unsigned char>(line[p]);
  p += 2;
  int32_t* after[3] = {&m->target, &m->reward, &m->nextLevel};
  for (int i = 0; i < 3; ++i) {
    if (!CanonicalNumber(line, &p, after[i])) return false;
    if (i < 2) {
      if (p >= line.size() || line[p] != ';') return false;
      ++p;
    }
  }
  return true;
}

MissionRecord LoadLevelChecked(int32_t level, const std::string& file) {
  const MissionRecord m = LoadLevel(level);
  ExpectAllFilesClosed("LoadLevel");
  if (m.levelNumber != level || m.progress != 0 || (m.type & ~0xFF) != 0) {
    Fail("LoadLevel(" + std::to_string(level) + ") gave " + Describe(m));
  }
  const MissionRecord again = LoadLevel(level);
  ExpectAllFilesClosed("LoadLevel");
  if (!Same(m, again)) Fail("LoadLevel read the same file as " + Describe(m) + " and then " + Describe(again));
  MissionRecord expected = {};
  if (ParseWellFormed(file, &expected)) {
    expected.levelNumber = level;
    if (!Same(m, expected)) {
      Fail("LoadLevel read the well-formed line as " + Describe(m) + ", not " + Describe(expected));
    }
  }
  return m;
}

// LoadCampaignLevel(level, fallback) against what LoadLevel says of the two files.
void CheckCampaignLevel(int32_t level, int32_t fallback) {
  const MissionRecord own = LoadLevel(level);
  const MissionRecord other = LoadLevel(fallback);
  const MissionRecord m = LoadCampaignLevel(level, fallback);
  ExpectAllFilesClosed("LoadCampaignLevel");
  const std::string call = "LoadCampaignLevel(" + std::to_string(level) + ", " + std::to_string(fallback) + ")";
  if (!RoundCanPlay(m) || !MissionIsPlayable(m) || m.progress != 0) Fail(call + " gave the unplayable " + Describe(m));
  if (MissionIsPlayable(own)) {
    if (!Same(m, own)) Fail(call + " gave " + Describe(m) + " instead of its playable level " + Describe(own));
  } else if (fallback != level && MissionIsPlayable(other)) {
    if (!Same(m, other)) Fail(call + " gave " + Describe(m) + " instead of the playable fallback " + Describe(other));
  } else if (m.levelNumber != fallback || m.type != 'S' || m.nextLevel != -1) {
    Fail(call + " gave " + Describe(m) + " instead of the built-in survival mission");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchDataTree();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  WriteFile(kFuzzedPath, file);

  // The level alone, and a missing level: a zeroed record that only names its level.
  const MissionRecord m = LoadLevelChecked(kFuzzedLevel, file);
  if (MissionIsPlayable(m) != RoundCanPlay(m)) Fail("MissionIsPlayable is " + std::to_string(MissionIsPlayable(m)) +
                                                    " for " + Describe(m));
  RemoveFile(kOtherPath);
  MissionRecord missing = {};
  missing.levelNumber = kOtherLevel;
  if (!Same(LoadLevelChecked(kOtherLevel, ""), missing)) Fail("a missing level file did not read as a zeroed record");

  // The campaign's view of it: on its own, with a missing, a playable and an unplayable fallback,
  // and as the fallback of an unplayable level.
  CheckCampaignLevel(kFuzzedLevel, kFuzzedLevel);
  CheckCampaignLevel(kFuzzedLevel, kOtherLevel);
  WriteFile(kOtherPath, kWellFormed);
  CheckCampaignLevel(kFuzzedLevel, kOtherLevel);
  WriteFile(kOtherPath, kUnplayable);
  CheckCampaignLevel(kFuzzedLevel, kOtherLevel);
  CheckCampaignLevel(kOtherLevel, kFuzzedLevel);
  return 0;
}
