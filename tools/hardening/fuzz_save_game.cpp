// Fuzzes the save-game reader: the input is written as User/VelMoraSaveGame.sav (an empty input
// also tries the file missing) and read with LoadSaveGame.
//
// Checked for every input: no sanitizer report; no file handle left open; every upgrade level
// 1..6, a campaign level of at least 1 and credits of at least 0 in memory; a file the reader
// rewrote holds a valid 50-byte record of exactly the values in memory and is no shorter than
// before; a second read changes nothing; and the values survive SaveGame and another read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/game_state.h"
#include "storage/user_files.h"
#include "tools/hardening/fuzz_support.h"
#include "tools/hardening/user_file_checks.h"

using namespace hardening;

namespace {

std::string Describe(const SaveValues& v) {
  return "{weapons " + std::to_string(v.weapons) + ", shield " + std::to_string(v.shield) + ", handling " +
         std::to_string(v.handling) + ", structure " + std::to_string(v.structure) + ", level " +
         std::to_string(v.campaignLevel) + ", credits " + std::to_string(v.credits) + "}";
}

SaveValues InMemory() {
  return {GameState.weaponsLevel, GameState.shieldLevel,   GameState.handlingLevel,
          GameState.structureLevel, GameState.campaignLevel, GameState.credits};
}

// Values no reader would leave, so that a field it forgot to set shows up.
void Scribble() {
  GameState.weaponsLevel = GameState.shieldLevel = GameState.handlingLevel = GameState.structureLevel = -77;
  GameState.campaignLevel = -77;
  GameState.credits = -77;
}

// The file after a write: valid, as long as before (at least its 50-byte record), holding `values`.
void ExpectWritten(const char* writer, const std::string& before, bool existed, const SaveValues& values) {
  bool exists = false;
  const std::string after = ReadFile(kSaveGamePath, &exists);
  if (!exists) Fail(std::string(writer) + " left no save game");
  const size_t length = existed && before.size() > kRecordBytes ? before.size() : kRecordBytes;
  if (after.size() != length) {
    Fail(std::string(writer) + " left a save game of " + std::to_string(after.size()) + " bytes, not " +
         std::to_string(length));
  }
  SaveValues onDisk = {};
  const std::string reason = CheckSaveGame(after, false, &onDisk);
  if (!reason.empty()) Fail(std::string(writer) + " wrote an invalid save game: " + reason);
  if (!(onDisk == values)) {
    Fail(std::string(writer) + " wrote " + Describe(onDisk) + " while memory holds " + Describe(values));
  }
}

// One LoadSaveGame of whatever is on disk, checked; returns the values it left in memory.
SaveValues LoadChecked(const char* when) {
  bool existed = false;
  const std::string before = ReadFile(kSaveGamePath, &existed);
  Scribble();
  LoadSaveGame();
  ExpectAllFilesClosed("LoadSaveGame");
  const SaveValues v = InMemory();
  const bool valid = v.weapons >= 1 && v.weapons <= 6 && v.shield >= 1 && v.shield <= 6 && v.handling >= 1 &&
                     v.handling <= 6 && v.structure >= 1 && v.structure <= 6 && v.campaignLevel >= 1 &&
                     v.credits >= 0;
  if (!valid) Fail(std::string("LoadSaveGame (") + when + ") left " + Describe(v));
  const std::string after = ReadFile(kSaveGamePath);
  if (!existed || after != before) {
    // A save that had to be repaired is kept whole beside the new record first.
    bool kept = false;
    const std::string damaged = ReadFile(std::string(kSaveGamePath) + ".damaged", &kept);
    if (existed && (!kept || damaged != before)) Fail("LoadSaveGame rewrote a damaged save without keeping it");
    std::remove((std::string(kSaveGamePath) + ".damaged").c_str());
    ExpectWritten("LoadSaveGame", before, false, v);
  }
  return v;
}

void Check() {
  bool existed = false;
  ReadFile(kSaveGamePath, &existed);
  const SaveValues first = LoadChecked("first read");
  if (!existed && !(first == SaveValues{1, 1, 1, 1, 1, 5000})) {
    Fail("a missing save game started the campaign with " + Describe(first));
  }
  // Whatever the reader left on disk it must read back as it is.
  const std::string settled = ReadFile(kSaveGamePath);
  const SaveValues second = LoadChecked("second read");
  if (!(second == first)) Fail("the second read gave " + Describe(second) + " after " + Describe(first));
  if (ReadFile(kSaveGamePath) != settled) Fail("the second read rewrote a save game the first had settled");
  // And what it accepted survives a save and another read.
  SaveGame();
  ExpectAllFilesClosed("SaveGame");
  ExpectWritten("SaveGame", settled, true, first);
  const SaveValues third = LoadChecked("read after SaveGame");
  if (!(third == first)) Fail("SaveGame and a read turned " + Describe(first) + " into " + Describe(third));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchDataTree();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    RemoveFile(kSaveGamePath);
    Check();
  }
  WriteFile(kSaveGamePath, data, size);
  Check();
  return 0;
}
