#include "tools/hardening/user_file_checks.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace hardening {
namespace {

// The text of a 50-byte record: everything before its NUL, which must lie within the record.
bool RecordText(const std::string& bytes, bool exactLength, std::string* text, std::string* reason) {
  if (exactLength && bytes.size() != kRecordBytes) {
    *reason = "is " + std::to_string(bytes.size()) + " bytes long, not 50";
    return false;
  }
  if (bytes.size() < kRecordBytes) {
    *reason = "is " + std::to_string(bytes.size()) + " bytes long, shorter than its 50-byte record";
    return false;
  }
  const size_t nul = bytes.find('\0');
  if (nul == std::string::npos || nul >= kRecordBytes) {
    *reason = "has no NUL within its first 50 bytes";
    return false;
  }
  *text = bytes.substr(0, nul);
  return true;
}

// Reads the integers of the text, each followed by one separator: "1;2;" with ';' or the last one
// followed by "<<". Lenient on purpose (signs, leading zeros, huge values): whether the text is
// exactly what printf would make is decided afterwards by printing the values again.
bool ReadIntegers(const std::string& text, size_t position, int count, long long* values, size_t* end) {
  for (int i = 0; i < count; ++i) {
    bool negative = false;
    if (position < text.size() && text[position] == '-') {
      negative = true;
      ++position;
    }
    const size_t firstDigit = position;
    long long value = 0;
    while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
      if (value < 100000000000LL) value = value * 10 + (text[position] - '0');
      ++position;
    }
    if (position == firstDigit) return false;
    values[i] = negative ? -value : value;
    if (i + 1 < count) {
      if (position >= text.size() || text[position] != ';') return false;
      ++position;
    }
  }
  *end = position;
  return true;
}

bool FitsInt32(long long v) { return v >= INT32_MIN && v <= INT32_MAX; }

}  // namespace

std::string CheckSaveGame(const std::string& bytes, bool exactLength, SaveValues* values) {
  std::string text, reason;
  if (!RecordText(bytes, exactLength, &text, &reason)) return "save game " + reason;
  static const std::string kHeader = "Vel mora >>";
  long long v[6] = {};
  size_t end = 0;
  if (text.compare(0, kHeader.size(), kHeader) != 0 || !ReadIntegers(text, kHeader.size(), 6, v, &end) ||
      text.compare(end, std::string::npos, "<<") != 0) {
    return "save game text \"" + Printable(text) + "\" is not \"Vel mora >>w;s;h;t;level;credits<<\"";
  }
  for (long long value : v) {
    if (!FitsInt32(value)) return "save game text \"" + Printable(text) + "\" holds a number beyond 32 bits";
  }
  char canonical[96];
  snprintf(canonical, sizeof canonical, "Vel mora >>%d;%d;%d;%d;%d;%d<<", static_cast<int>(v[0]),
           static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3]), static_cast<int>(v[4]),
           static_cast<int>(v[5]));
  if (text != canonical) return "save game text \"" + Printable(text) + "\" is not as printf writes it";
  for (int i = 0; i < 4; ++i) {
    if (v[i] < 1 || v[i] > 6) return "save game text \"" + text + "\" has an upgrade level outside 1..6";
  }
  if (v[4] < 1) return "save game text \"" + text + "\" has a campaign level below 1";
  if (v[5] < 0) return "save game text \"" + text + "\" has negative credits";
  if (values != nullptr) {
    *values = {static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1]), static_cast<int32_t>(v[2]),
               static_cast<int32_t>(v[3]), static_cast<int32_t>(v[4]), static_cast<int32_t>(v[5])};
  }
  return "";
}

std::string CheckOptions(const std::string& bytes, bool exactLength, OptionValues* values) {
  if (exactLength && bytes.size() != kOptionBytes) {
    return "options file is " + std::to_string(bytes.size()) + " bytes long, not 3";
  }
  if (bytes.size() < kOptionBytes) return "options file is shorter than its 3 digits";
  for (size_t i = 0; i < kOptionBytes; ++i) {
    if (bytes[i] < '0' || bytes[i] > '9') return "options file \"" + Printable(bytes) + "\" is not three digits";
  }
  if (bytes[2] != '0' && bytes[2] != '1' && bytes[2] != '4') {
    return "options file \"" + Printable(bytes) + "\" has a control method other than 0, 1 or 4";
  }
  if (values != nullptr) *values = {bytes[0] - '0', bytes[1] - '0', bytes[2] - '0'};
  return "";
}

std::string CheckCalibration(const std::string& bytes, bool exactLength, CalibrationValues* values) {
  std::string text, reason;
  if (!RecordText(bytes, exactLength, &text, &reason)) return "calibration file " + reason;
  long long v[2] = {};
  size_t end = 0;
  if (!ReadIntegers(text, 0, 2, v, &end) || text.compare(end, std::string::npos, ";") != 0 || !FitsInt32(v[0]) ||
      !FitsInt32(v[1])) {
    return "calibration text \"" + Printable(text) + "\" is not \"x;y;\"";
  }
  char canonical[48];
  snprintf(canonical, sizeof canonical, "%d;%d;", static_cast<int>(v[0]), static_cast<int>(v[1]));
  if (text != canonical) return "calibration text \"" + Printable(text) + "\" is not as printf writes it";
  if (v[0] < -kCalibrationLimit || v[0] > kCalibrationLimit || v[1] < -kCalibrationLimit ||
      v[1] > kCalibrationLimit) {
    return "calibration text \"" + text + "\" lies beyond the +-1900 of the calibration screen";
  }
  if (values != nullptr) *values = {static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1])};
  return "";
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string Printable(const std::string& bytes) {
  std::string out;
  const size_t shown = bytes.size() < 64 ? bytes.size() : 64;
  for (size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 32 && c < 127 && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      snprintf(escaped, sizeof escaped, "\\x%02x", c);
      out += escaped;
    }
  }
  if (shown < bytes.size()) out += "...";
  return out;
}

}  // namespace hardening
