// For the plain unit tests (no SDL, no window): a scratch working directory whose ./Data/Levels
// links the shipped levels, and the file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/files.h"

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
