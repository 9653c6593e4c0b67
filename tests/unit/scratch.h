// For the plain unit tests (no SDL, no window): a scratch working directory whose ./Data/Levels
// links the shipped levels, and small file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace unit {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Replaces the shipped level files with the test's own, one line each ("" leaves a file out).
inline void UseLevels(const std::map<int, std::string>& lines) {
  std::filesystem::remove_all("Data/Levels");
  std::filesystem::create_directory("Data/Levels");
  for (const auto& [level, line] : lines) {
    if (!line.empty()) WriteFile("Data/Levels/level" + std::to_string(level) + ".dat", line + "\n");
  }
}

}  // namespace unit

// A fixture working in a fresh directory under /tmp, removed afterwards.
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    std::string pattern = "/tmp/velmora-unit-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    fs::create_directories(root / "Data");
    fs::create_directory_symlink(fs::absolute(VELMORA_SOURCE_LEVELS_DIR), root / "Data" / "Levels");
    fs::current_path(root);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::current_path("/tmp", ignored);
    std::filesystem::remove_all(root, ignored);
  }
  std::filesystem::path root;
};
