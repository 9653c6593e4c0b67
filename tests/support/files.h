// Files of a test's scratch working directory, and what a step printed, for the game's tests and
// the plain unit tests alike (no SDL here).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace files {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// What an action printed on standard output.
template <typename Action>
std::string Printed(Action action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

// A 50-byte record as the game writes its save and calibration files: text, NUL, zero filler.
inline std::string Record(const std::string& text) { return (text + std::string(50, '\0')).substr(0, 50); }

// Replaces the shipped level files with the test's own, one line each ("" leaves a file out).
inline void UseLevels(const std::map<int, std::string>& lines) {
  std::filesystem::remove_all("Data/Levels");  // the link to the shipped levels, or the test's own
  std::filesystem::create_directory("Data/Levels");
  for (const auto& [level, line] : lines) {
    if (!line.empty()) WriteFile("Data/Levels/level" + std::to_string(level) + ".dat", line + "\n");
  }
}

}  // namespace files
