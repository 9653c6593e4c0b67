// Fuzzes the options reader: the input is written as User/VelmoraConfig.cfg (an empty input also
// tries the file missing) and read with LoadOptions.
//
// Checked for every input: no sanitizer report; no file handle left open; music and sound digits
// 0..9 and a control method 0, 1 or 4 in memory; a file the reader left alone starts with exactly those
// three digits; a file it rewrote starts with them too and is no shorter than before (3 bytes
// when it was made); a second read changes nothing; and the values survive SaveOptions and
// another read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/game_state.h"
#include "storage/user_files.h"
#include "tools/hardening/fuzz_support.h"
#include "tools/hardening/user_file_checks.h"

using namespace hardening;

namespace {

std::string Describe(const OptionValues& v) {
  return "{music " + std::to_string(v.music) + ", sound " + std::to_string(v.sound) + ", control " +
         std::to_string(v.controlMethod) + "}";
}

OptionValues InMemory() { return {GameState.musicOn, GameState.soundOn, GameState.controlMethod}; }

void Scribble() { GameState.musicOn = GameState.soundOn = GameState.controlMethod = -77; }

// The file holds `values` as its first three bytes and has the length a write leaves.
void ExpectOnDisk(const char* who, const std::string& before, bool existed, const OptionValues& values) {
  bool exists = false;
  const std::string after = ReadFile(kOptionsPath, &exists);
  if (!exists) Fail(std::string(who) + " left no options file");
  const size_t length = existed && before.size() > kOptionBytes ? before.size() : kOptionBytes;
  if (after.size() != length) {
    Fail(std::string(who) + " left an options file of " + std::to_string(after.size()) + " bytes, not " +
         std::to_string(length));
  }
  OptionValues onDisk = {};
  const std::string reason = CheckOptions(after, false, &onDisk);
  if (!reason.empty()) Fail(std::string(who) + ": " + reason);
  if (!(onDisk == values)) {
    Fail(std::string(who) + " left " + Describe(onDisk) + " on disk, " + Describe(values) + " in memory");
  }
}

OptionValues LoadChecked(const char* when) {
  bool existed = false;
  const std::string before = ReadFile(kOptionsPath, &existed);
  Scribble();
  LoadOptions();
  ExpectAllFilesClosed("LoadOptions");
  const OptionValues v = InMemory();
  if (v.music < 0 || v.music > 9 || v.sound < 0 || v.sound > 9 || (v.controlMethod != 0 && v.controlMethod != 1 && v.controlMethod != 4)) {
    Fail(std::string("LoadOptions (") + when + ") left " + Describe(v));
  }
  ExpectOnDisk("LoadOptions", before, existed, v);
  return v;
}

void Check() {
  bool existed = false;
  ReadFile(kOptionsPath, &existed);
  const OptionValues first = LoadChecked("first read");
  if (!existed && !(first == OptionValues{1, 1, 0})) Fail("a missing options file gave " + Describe(first));
  const std::string settled = ReadFile(kOptionsPath);
  const OptionValues second = LoadChecked("second read");
  if (!(second == first)) Fail("the second read gave " + Describe(second) + " after " + Describe(first));
  if (ReadFile(kOptionsPath) != settled) Fail("the second read rewrote an options file the first had settled");
  SaveOptions();
  ExpectAllFilesClosed("SaveOptions");
  ExpectOnDisk("SaveOptions", settled, true, first);
  const OptionValues third = LoadChecked("read after SaveOptions");
  if (!(third == first)) Fail("SaveOptions and a read turned " + Describe(first) + " into " + Describe(third));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchDataTree();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    RemoveFile(kOptionsPath);
    Check();
  }
  WriteFile(kOptionsPath, data, size);
  Check();
  return 0;
}
