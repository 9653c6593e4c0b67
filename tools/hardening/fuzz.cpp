// velmora-fuzz-<reader>: libFuzzer on one of the game's file readers, chosen at build time by
// VELMORA_FUZZ_READER (0 level, 1 save game, 2 options, 3 calibration). The input is written where
// the reader looks for it in a scratch ./Data tree and read by the real reader.
//
// For every input: no sanitizer report and no file handle left open. A user file (an empty input
// also tries it missing) loads to values in range, the defaults when it was missing; a file the
// reader rewrote holds a valid record of exactly those values and is no shorter than before (a
// damaged save game is first kept whole as <name>.damaged, then made afresh); a second read changes
// nothing; and the values survive a save and another read. A level reads the same twice, names
// the level asked for, reads a well-formed line exactly, and the campaign always gets a playable
// mission: the level itself, else its fallback, else the built-in survival mission.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "core/game_state.h"
#include "storage/levels.h"
#include "storage/user_files.h"
#include "tools/hardening/user_file_checks.h"

using namespace hardening;

namespace {

[[noreturn]] void Fail(const std::string& what) {
  fprintf(stderr, "\nvelmora fuzzer: %s\n", what.c_str());
  abort();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) Fail("cannot write " + path);
}

void ExpectAllFilesClosed(const std::string& who) {
  for (int slot = 0; slot < kMaxFiles; ++slot) {
    if (GameState.FileTable.files[slot] != nullptr) Fail(who + " left file handle " + std::to_string(slot) + " open");
  }
}

// ---- The user files

// Each file's load and save.
const std::pair<void (*)(), void (*)()> kReaders[kUserFileCount] = {
    {LoadSaveGame, SaveGame}, {LoadOptions, SaveOptions}, {LoadCalibration, SaveCalibration}};

std::string Describe(int file, const Values& v) {
  std::string out;
  for (int i = 0; i < kUserFiles[file].count; ++i) out += (i ? ";" : "") + std::to_string(v[i]);
  return "{" + out + "}";
}

// After a write: exactly a valid record of the values (a write replaces the whole file); an
// options file that needed no repair, not exact, is only no shorter than its record.
void ExpectWritten(int file, const std::string& who, const Values& values, bool exact = true) {
  Values onDisk;
  const std::string reason = CheckUserFile(file, ReadFile(kUserFiles[file].path), exact, &onDisk);
  if (!reason.empty()) Fail(who + " wrote an invalid " + reason);
  if (onDisk != values) Fail(who + " wrote " + Describe(file, onDisk) + ", memory holds " + Describe(file, values));
}

// One load of whatever is on disk, checked; returns the values it left in memory.
Values LoadChecked(int file, const char* when) {
  const UserFileFormat& f = kUserFiles[file];
  const std::string who = std::string("loading the ") + f.name + " file (" + when + ")";
  bool existed = false;
  const std::string before = ReadFile(f.path, &existed);
  for (int i = 0; i < f.count; ++i) *f.memory[i] = -77777;  // so that a field it forgets shows
  kReaders[file].first();
  ExpectAllFilesClosed(who);
  const Values v = InMemory(file);
  const std::string range = OutOfRange(file, v);
  if (!range.empty()) Fail(who + " left " + range);
  if (!existed && v != f.defaults) Fail(who + " gave " + Describe(file, v) + " for a missing file");
  const bool rewritten = !existed || ReadFile(f.path) != before;
  if (rewritten && existed && file == SaveGameFile) {
    const std::string damaged = std::string(f.path) + ".damaged";
    bool kept = false;
    if (ReadFile(damaged, &kept) != before || !kept) Fail(who + " rewrote a damaged save without keeping it");
    remove(damaged.c_str());
  }
  // The options are always three valid digits after a load; the other files when rewritten.
  if (rewritten || file == OptionsFile) ExpectWritten(file, who, v, rewritten);
  return v;
}

void FuzzUserFile(int file) {
  const UserFileFormat& f = kUserFiles[file];
  const Values first = LoadChecked(file, "first read");
  const std::string settled = ReadFile(f.path);
  const Values second = LoadChecked(file, "second read");
  if (second != first || ReadFile(f.path) != settled) Fail("the second read changed " + Describe(file, first));
  const std::string saving = std::string("saving the ") + f.name + " file";
  kReaders[file].second();
  ExpectAllFilesClosed(saving);
  ExpectWritten(file, saving, first);
  const Values third = LoadChecked(file, "read after saving");
  if (third != first) Fail("saving and reading turned " + Describe(file, first) + " into " + Describe(file, third));
}

// ---- Levels

const char* const kFuzzedPath = "Data/Levels/level3.dat";
const char* const kOtherPath = "Data/Levels/level1.dat";

std::string Describe(const MissionRecord& m) {
  char text[200];
  snprintf(text, sizeof text,
           "{pace %d, ore %d, infected %d, type %d, target %d, reward %d, level %d, next %d, progress %d}",
           m.asteroidPace, m.oreRange, m.infectedRange, m.type, m.target, m.reward, m.levelNumber, m.nextLevel,
           m.progress);
  return text;
}

bool Same(const MissionRecord& a, const MissionRecord& b) { return memcmp(&a, &b, sizeof a) == 0; }

// What a round needs: a launch every pace / 4 frames, ranges of -1 (none) or a positive count, a
// known type and a target not below 0.
bool RoundCanPlay(const MissionRecord& m) {
  return m.asteroidPace / 4 >= 1 && (m.oreRange == -1 || m.oreRange >= 1) &&
         (m.infectedRange == -1 || m.infectedRange >= 1) && m.target >= 0 && m.type != MissionUnknown;
}

// The record a plain line "pace;ore;infected;T;target;reward;next" gives, numbers as %d prints them,
// as the reader sees the file: its first line, at most 99 bytes, up to a NUL.
bool WellFormed(const std::string& file, MissionRecord* m) {
  std::string line = file.substr(0, 99).c_str();
  if (line.find('\n') != std::string::npos) line.resize(line.find('\n') + 1);
  long long v[6];
  char type = 0;
  const char* format = "%lld;%lld;%lld;%c;%lld;%lld;%lld";
  if (sscanf(line.c_str(), format, &v[0], &v[1], &v[2], &type, &v[3], &v[4], &v[5]) != 7) return false;
  char printed[128];
  const size_t n =
      static_cast<size_t>(snprintf(printed, sizeof printed, format, v[0], v[1], v[2], type, v[3], v[4], v[5]));
  if (line.compare(0, n, printed) != 0 || (line.size() > n && line[n] >= '0' && line[n] <= '9')) return false;
  for (long long x : v) {
    if (x < INT32_MIN || x > INT32_MAX) return false;
  }
  auto i32 = [](long long x) { return static_cast<int32_t>(x); };
  *m = {i32(v[0]), i32(v[1]), i32(v[2]), MissionKindOfLetter(type), i32(v[3]), i32(v[4]), 0, i32(v[5]), 0};
  return true;
}

MissionRecord LoadLevelChecked(int32_t level, const std::string& file) {
  const MissionRecord m = LoadLevel(level);
  ExpectAllFilesClosed("LoadLevel");
  if (m.levelNumber != level || m.progress != 0 || m.type < MissionUnknown || m.type > MissionSurvive)
    Fail("LoadLevel gave " + Describe(m));
  if (!Same(m, LoadLevel(level))) Fail("LoadLevel read the same file twice differently, first " + Describe(m));
  MissionRecord expected;
  if (WellFormed(file, &expected)) {
    expected.levelNumber = level;
    if (!Same(m, expected)) Fail("LoadLevel read a plain line as " + Describe(m) + ", not " + Describe(expected));
  }
  return m;
}

void CheckCampaignLevel(int32_t level, int32_t fallback) {
  const MissionRecord own = LoadLevel(level), other = LoadLevel(fallback);
  const MissionRecord m = LoadCampaignLevel(level, fallback);
  ExpectAllFilesClosed("LoadCampaignLevel");
  const std::string call = "LoadCampaignLevel(" + std::to_string(level) + ", " + std::to_string(fallback) + ") gave ";
  if (!RoundCanPlay(m) || !MissionIsPlayable(m) || m.progress != 0) Fail(call + "the unplayable " + Describe(m));
  const bool builtIn = m.levelNumber == fallback && m.type == MissionSurvive && m.nextLevel == -1;
  if (MissionIsPlayable(own)                            ? !Same(m, own)
      : (fallback != level && MissionIsPlayable(other)) ? !Same(m, other)
                                                        : !builtIn) {
    Fail(call + Describe(m) + " for " + Describe(own) + " falling back to " + Describe(other));
  }
}

void FuzzLevel(const std::string& input) {
  WriteFile(kFuzzedPath, input);
  const MissionRecord m = LoadLevelChecked(3, input);
  if (MissionIsPlayable(m) != RoundCanPlay(m)) Fail("MissionIsPlayable is wrong for " + Describe(m));
  remove(kOtherPath);
  MissionRecord missing = {};
  missing.levelNumber = 1;
  if (!Same(LoadLevelChecked(1, ""), missing)) Fail("a missing level file did not read as a zeroed record");
  // On its own; with a missing, a playable and an unplayable fallback; as the fallback.
  CheckCampaignLevel(3, 3);
  CheckCampaignLevel(3, 1);
  WriteFile(kOtherPath, "80;150;-1;S;30;1500;2\n");
  CheckCampaignLevel(3, 1);
  WriteFile(kOtherPath, "0;0;0;X;0;0;0\n");
  CheckCampaignLevel(3, 1);
  CheckCampaignLevel(1, 3);
}

}  // namespace

// Works in a scratch tree with Data/User and Data/Levels in $TMPDIR (else /tmp), removed at exit;
// the paths given (corpora, inputs, dictionary, artifacts) are made absolute first.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  namespace fs = std::filesystem;
  for (int i = 1; i < *argc; ++i) {
    const std::string arg = (*argv)[i];
    size_t at = arg[0] == '-' ? std::string::npos : 0;
    for (const char* flag : {"-dict=", "-artifact_prefix=", "-exact_artifact_path="}) {
      if (arg.rfind(flag, 0) == 0) at = strlen(flag);
    }
    if (at < arg.size()) (*argv)[i] = strdup((arg.substr(0, at) + fs::absolute(arg.substr(at)).string()).c_str());
  }
  static std::string root = (fs::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
  if (mkdtemp(root.data()) == nullptr) Fail("cannot make a scratch directory in " + root);
  fs::create_directories(root + "/Data/User");
  fs::create_directories(root + "/Data/Levels");
  fs::current_path(root);
  atexit([] {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const int file = VELMORA_FUZZ_READER - 1;
  if (file < 0) {
    FuzzLevel(input);
    return 0;
  }
  if (size == 0) {
    remove(kUserFiles[file].path);
    FuzzUserFile(file);
  }
  WriteFile(kUserFiles[file].path, input);
  FuzzUserFile(file);
  return 0;
}
