#include "tools/hardening/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/game_state.h"
#include "tools/hardening/user_file_checks.h"

namespace hardening {
namespace {

namespace fs = std::filesystem;

std::string scratchRoot;

void RemoveScratchDataTree() {
  if (scratchRoot.empty()) return;
  std::error_code ignored;
  fs::current_path("/", ignored);
  fs::remove_all(scratchRoot, ignored);
  scratchRoot.clear();
}

// $TMPDIR when set; else memory-backed /dev/shm, where the many small writes of a fuzzing run
// cost a tenth of what they cost on disk; else /tmp.
std::string ScratchParent() {
  const char* tmp = getenv("TMPDIR");
  if (tmp != nullptr && *tmp != '\0') return tmp;
  if (access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
  return "/tmp";
}

}  // namespace

void EnterScratchDataTree() {
  std::string pattern = ScratchParent() + "/velmora-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    perror("velmora fuzzer: cannot make a scratch directory");
    exit(2);
  }
  scratchRoot = pattern;
  fs::create_directories(fs::path(scratchRoot) / "Data" / "User");
  fs::create_directories(fs::path(scratchRoot) / "Data" / "Levels");
  fs::current_path(scratchRoot);
  atexit(RemoveScratchDataTree);
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) Fail("cannot write " + path + " in the scratch tree");
}

void WriteFile(const std::string& path, const std::string& bytes) {
  WriteFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void RemoveFile(const std::string& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

std::string ReadFile(const std::string& path, bool* exists) {
  std::string bytes;
  const bool opened = ReadWholeFile(path, &bytes);
  if (exists != nullptr) *exists = opened;
  return bytes;
}

void Fail(const std::string& what) {
  fprintf(stderr, "\nvelmora fuzzer: %s\n", what.c_str());
  fflush(stderr);
  abort();
}

void ExpectAllFilesClosed(const char* reader) {
  const FileTableRecord& table = GameState.FileTable;
  if (table.FileCount < 0 || table.FileCount > kMaxFiles) {
    Fail(std::string(reader) + " left the file table's count at " + std::to_string(table.FileCount));
  }
  for (int slot = 0; slot < kMaxFiles; ++slot) {
    if (table.files[slot] != nullptr) {
      Fail(std::string(reader) + " left file handle " + std::to_string(slot) + " open");
    }
  }
}

}  // namespace hardening
