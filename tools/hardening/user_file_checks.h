// Independent checks of the three user files, written from their formats alone (none of the
// game's code): the 50-byte save game "Vel mora >>w;s;h;t;level;credits<<", the three option
// digits and the 50-byte calibration record "x;y;". Used by the soak after every write and by the
// fuzzers after every read.
#pragma once

#include <cstdint>
#include <string>

namespace hardening {

constexpr const char* kSaveGamePath = "Data/User/VelMoraSaveGame.sav";
constexpr const char* kOptionsPath = "Data/User/VelmoraConfig.cfg";
constexpr const char* kCalibrationPath = "Data/User/VelMorAccData.cfg";

constexpr size_t kRecordBytes = 50;
constexpr size_t kOptionBytes = 3;
// The calibration screen's tracks end at +-1900 steering units; the game never stores more.
constexpr int32_t kCalibrationLimit = 1900;

struct SaveValues {
  int32_t weapons, shield, handling, structure, campaignLevel, credits;
  bool operator==(const SaveValues& o) const {
    return weapons == o.weapons && shield == o.shield && handling == o.handling && structure == o.structure &&
           campaignLevel == o.campaignLevel && credits == o.credits;
  }
};

struct OptionValues {
  int32_t music, sound, controlMethod;
  bool operator==(const OptionValues& o) const {
    return music == o.music && sound == o.sound && controlMethod == o.controlMethod;
  }
};

struct CalibrationValues {
  int32_t x, y;
  bool operator==(const CalibrationValues& o) const { return x == o.x && y == o.y; }
};

// Each check returns "" when the bytes hold a valid record (and fills the values), otherwise a
// one-line reason. With exactLength the file must be exactly as long as its record (50 or 3
// bytes); without it only the record's own bytes at the start count, since a write never
// shortens a file.
//
// Save game: the text, a NUL within the first 50 bytes, then any filler. The text is exactly what
// "Vel mora >>%d;%d;%d;%d;%d;%d<<" prints, with every upgrade level 1..6, a campaign level of at
// least 1 and credits of at least 0.
std::string CheckSaveGame(const std::string& bytes, bool exactLength, SaveValues* values);
// Options: three digits; the third, the control method, 0..4.
std::string CheckOptions(const std::string& bytes, bool exactLength, OptionValues* values);
// Calibration: exactly what "%d;%d;" prints, both values within +-1900, a NUL within the first 50
// bytes, then any filler.
std::string CheckCalibration(const std::string& bytes, bool exactLength, CalibrationValues* values);

// The whole file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string* bytes);

// Printable form of a few bytes for messages: "Vel mora >>1;1\x00..." (at most 64 bytes shown).
std::string Printable(const std::string& bytes);

}  // namespace hardening
