// The three user files read back from their bytes with plain C++, none of the game's code: by the
// soak after every write, by the fuzzer after every read. The save game "Vel mora >>w;s;h;t;
// level;credits<<" and the calibration "x;y;" are a text, its NUL and filler up to 50 bytes; the
// options are three digits: music, sound and control method.
#pragma once

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "core/game_state.h"

namespace hardening {

enum UserFile { SaveGameFile, OptionsFile, CalibrationFile, kUserFileCount };
using Values = std::array<long long, 6>;
using Fields = std::array<int32_t*, 6>;

struct UserFileFormat {
  const char* path;
  const char* name;
  size_t length;               // of the record the game writes
  int count;                   // values in it
  const char* format;          // of its text, for sscanf and printf alike (printf's "%1lld" is "%lld")
  Values low, high, defaults;  // defaults: what a missing file starts with
  Fields memory;
};

// The calibration screen's tracks end at +-1900 steering units.
inline const UserFileFormat kUserFiles[kUserFileCount] = {
    {"Data/User/VelMoraSaveGame.sav", "save game", 50, 6, "Vel mora >>%lld;%lld;%lld;%lld;%lld;%lld<<",
     Values{1, 1, 1, 1, 1, 0}, Values{6, 6, 6, 6, INT32_MAX, INT32_MAX}, Values{1, 1, 1, 1, 1, 5000},
     Fields{&GameState.weaponsLevel, &GameState.shieldLevel, &GameState.handlingLevel, &GameState.structureLevel,
            &GameState.campaignLevel, &GameState.credits}},
    {"Data/User/VelmoraConfig.cfg", "options", 3, 3, "%1lld%1lld%1lld", Values{0, 0, 0}, Values{1, 1, 4},
     Values{1, 1, 0}, Fields{&GameState.musicOn, &GameState.soundOn, &GameState.controlMethod}},
    {"Data/User/VelMorAccData.cfg", "calibration", 50, 2, "%lld;%lld;", Values{-1900, -1900}, Values{1900, 1900},
     Values{0, 0}, Fields{&GameState.calibrationX, &GameState.calibrationY}},
};

inline std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes.substr(0, 60)) {
    char shown[8];
    snprintf(shown, sizeof shown, c >= 32 && c < 127 && c != '\\' ? "%c" : "\\x%02x", c);
    out += shown;
  }
  return out;
}

// "" when every value is one the game may hold; the control method is 0, 1 or 4.
inline std::string OutOfRange(int file, const Values& v) {
  const UserFileFormat& f = kUserFiles[file];
  for (int i = 0; i < f.count; ++i) {
    if (v[i] < f.low[i] || v[i] > f.high[i] || (file == OptionsFile && i == 2 && (v[i] == 2 || v[i] == 3))) {
      return std::string(f.name) + " value " + std::to_string(i + 1) + " is " + std::to_string(v[i]);
    }
  }
  return "";
}

// "" when the bytes hold a valid record (its values then in v), else why not. With exact the file
// must be just its record; otherwise it may be longer, since a write never shortens a file.
inline std::string CheckUserFile(int file, const std::string& bytes, bool exact, Values* v) {
  const UserFileFormat& f = kUserFiles[file];
  const std::string what = std::string(f.name) + " file \"" + Printable(bytes) + "\"";
  if (exact ? bytes.size() != f.length : bytes.size() < f.length) {
    return what + " is " + std::to_string(bytes.size()) + " bytes long, its record " + std::to_string(f.length);
  }
  std::string text = bytes.substr(0, f.length);
  if (file != OptionsFile) {
    if (text.find('\0') == std::string::npos) return what + " has no NUL within its record";
    text.resize(text.find('\0'));
  }
  Values& x = *v;
  x = {};
  char printed[96] = "";
  const bool scanned = sscanf(text.c_str(), f.format, &x[0], &x[1], &x[2], &x[3], &x[4], &x[5]) == f.count;
  if (scanned) snprintf(printed, sizeof printed, f.format, x[0], x[1], x[2], x[3], x[4], x[5]);
  if (!scanned || text != printed) return what + " is not as the game prints its values";
  const std::string range = OutOfRange(file, x);
  return range.empty() ? "" : what + ": " + range;
}

// The values in memory that the file stores.
inline Values InMemory(int file) {
  Values v = {};
  for (int i = 0; i < kUserFiles[file].count; ++i) v[i] = *kUserFiles[file].memory[i];
  return v;
}

// The whole file; "" with exists false when it cannot be opened.
inline std::string ReadFile(const std::string& path, bool* exists = nullptr) {
  std::ifstream in(path, std::ios::binary);
  if (exists != nullptr) *exists = static_cast<bool>(in);
  return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : "";
}

}  // namespace hardening
