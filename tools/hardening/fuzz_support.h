// What the file-reader fuzzers share: a scratch ./Data tree to run the real readers in, plain file
// helpers, and the checks that every reader leaves the file table as it found it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace hardening {

// Makes velmora-fuzz-XXXXXX (in $TMPDIR, else /dev/shm, else /tmp) with Data/User and Data/Levels, and
// changes into it for the rest of the process; it is removed again at exit. Call once, from
// LLVMFuzzerInitialize. Give libFuzzer absolute paths for corpora and artifacts.
void EnterScratchDataTree();

// Paths here are relative to the scratch directory ("Data/User/...").
void WriteFile(const std::string& path, const uint8_t* data, size_t size);
void WriteFile(const std::string& path, const std::string& bytes);
void RemoveFile(const std::string& path);
// The whole file, or "" with exists false when it cannot be opened.
std::string ReadFile(const std::string& path, bool* exists = nullptr);

// Prints "<what>" with the failing input's context and aborts, so libFuzzer keeps the input.
[[noreturn]] void Fail(const std::string& what);
// Fails unless every slot of the game's file table is closed: no reader may keep a handle.
void ExpectAllFilesClosed(const char* reader);

}  // namespace hardening
