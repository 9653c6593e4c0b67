// Fuzzes the calibration reader: the input is written as User/VelMorAccData.cfg (an empty input
// also tries the file missing) and read with LoadCalibration.
//
// Checked for every input: no sanitizer report; no file handle left open; both values within the
// calibration screen's +-1900 in memory; a file the reader rewrote holds a valid 50-byte record of
// exactly those values and is no shorter than before; a second read changes nothing; and the
// values survive SaveCalibration and another read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/game_state.h"
#include "storage/user_files.h"
#include "tools/hardening/fuzz_support.h"
#include "tools/hardening/user_file_checks.h"

using namespace hardening;

namespace {

std::string Describe(const CalibrationValues& v) {
  return "{x " + std::to_string(v.x) + ", y " + std::to_string(v.y) + "}";
}

CalibrationValues InMemory() { return {GameState.calibrationX, GameState.calibrationY}; }

void Scribble() { GameState.calibrationX = GameState.calibrationY = -777777; }

void ExpectWritten(const char* writer, const std::string& before, bool existed, const CalibrationValues& values) {
  bool exists = false;
  const std::string after = ReadFile(kCalibrationPath, &exists);
  if (!exists) Fail(std::string(writer) + " left no calibration file");
  const size_t length = existed && before.size() > kRecordBytes ? before.size() : kRecordBytes;
  if (after.size() != length) {
    Fail(std::string(writer) + " left a calibration file of " + std::to_string(after.size()) + " bytes, not " +
         std::to_string(length));
  }
  CalibrationValues onDisk = {};
  const std::string reason = CheckCalibration(after, false, &onDisk);
  if (!reason.empty()) Fail(std::string(writer) + " wrote an invalid calibration: " + reason);
  if (!(onDisk == values)) {
    Fail(std::string(writer) + " wrote " + Describe(onDisk) + " while memory holds " + Describe(values));
  }
}

CalibrationValues LoadChecked(const char* when) {
  bool existed = false;
  const std::string before = ReadFile(kCalibrationPath, &existed);
  Scribble();
  LoadCalibration();
  ExpectAllFilesClosed("LoadCalibration");
  const CalibrationValues v = InMemory();
  if (v.x < -kCalibrationLimit || v.x > kCalibrationLimit || v.y < -kCalibrationLimit || v.y > kCalibrationLimit) {
    Fail(std::string("LoadCalibration (") + when + ") left " + Describe(v));
  }
  const std::string after = ReadFile(kCalibrationPath);
  if (!existed || after != before) ExpectWritten("LoadCalibration", before, existed, v);
  return v;
}

void Check() {
  bool existed = false;
  ReadFile(kCalibrationPath, &existed);
  const CalibrationValues first = LoadChecked("first read");
  if (!existed && !(first == CalibrationValues{0, 0})) Fail("a missing calibration file gave " + Describe(first));
  const std::string settled = ReadFile(kCalibrationPath);
  const CalibrationValues second = LoadChecked("second read");
  if (!(second == first)) Fail("the second read gave " + Describe(second) + " after " + Describe(first));
  if (ReadFile(kCalibrationPath) != settled) Fail("the second read rewrote a calibration the first had settled");
  SaveCalibration();
  ExpectAllFilesClosed("SaveCalibration");
  ExpectWritten("SaveCalibration", settled, true, first);
  const CalibrationValues third = LoadChecked("read after SaveCalibration");
  if (!(third == first)) Fail("SaveCalibration and a read turned " + Describe(first) + " into " + Describe(third));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchDataTree();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    RemoveFile(kCalibrationPath);
    Check();
  }
  WriteFile(kCalibrationPath, data, size);
  Check();
  return 0;
}
