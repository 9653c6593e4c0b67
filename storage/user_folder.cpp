#include "storage/user_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/data_path.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "storage/files.h"

namespace {

constexpr const char* kLockFile = "User/VelMora.lock";
// Set-aside copies are numbered up to this; past it a damaged file is left where it is.
constexpr int kMostSetAside = 999;

void Say(const char* format, const std::string& a, const std::string& b = "") {
  printf(format, a.c_str(), b.c_str());
  fflush(stdout);
}

// The folder part of a path, with its slash.
std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

bool Absent(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

// Copies a regular file to a new name that must not exist yet; false (and nothing left) when any
// byte did not reach the disk.
bool CopyTo(const std::string& from, const std::string& to) {
  const int in = open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return false;
  const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  bool copied = out >= 0;
  char chunk[4096];
  for (ssize_t got = 1; copied && got > 0;) {
    got = read(in, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    copied = got >= 0 && (got == 0 || write(out, chunk, static_cast<size_t>(got)) == got);
  }
  close(in);
  if (out < 0) return false;
  copied = fsync(out) == 0 && copied;
  copied = close(out) == 0 && copied;
  if (!copied) unlink(to.c_str());
  return copied;
}

}  // namespace

void UserFolderClaim() {
  UserFolderRecord& folder = GameState.UserFolder;
  if (folder.claimed) return;
  folder.claimed = 1;
  folder.lockFile = -1;
  folder.writes = 1;
  const PlatformStorageValue storage = PlatformUserStorage();
  if (storage == PlatformStorageUnreadable) {
    folder.writes = 0;
    UserFolderNote(UserStorageUnreadable);
    Say("Could not read the browser's storage; what it holds is left as it is and nothing is saved this time.\n", "");
    return;
  }
  if (storage == PlatformStorageInUse) {
    folder.writes = 0;
    UserFolderNote(UserFolderInUse);
    Say("Vel Mora is open in another tab of this browser; this one saves no progress or settings.\n", "");
    return;
  }
  if (storage == PlatformStorageMemoryOnly) {
    UserFolderNote(UserStorageMissing);
    Say("This browser has no lasting storage; progress and settings last until the page is closed.\n", "");
  }
  const std::string path = DataPath(kLockFile);
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  // No folder to lock, or none that can be written to: every write will fail and say so.
  if (fd < 0) return;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    folder.lockFile = fd;
    return;
  }
  const int error = errno;
  close(fd);
  if (error != EWOULDBLOCK) return;
  folder.writes = 0;
  UserFolderNote(UserFolderInUse);
  Say("Another copy of Vel Mora is using %s; this one saves no progress or settings.\n", FolderOf(path));
}

bool UserFileWrite(const char* relativePath, const char* bytes, int count) {
  UserFolderClaim();
  if (!GameState.UserFolder.writes) return false;
  if (!FileReplace(relativePath, bytes, count)) {
    UserFolderNote(UserFolderNotWritable);
    return false;
  }
  PlatformUserFileWritten();  // in a browser, copied through to its lasting storage
  return true;
}

bool UserFileWritable(const char* relativePath) {
  UserFolderClaim();
  if (!GameState.UserFolder.writes) return false;
  const std::string path = DataPath(relativePath);
  if (access(path.c_str(), W_OK) == 0 && access(FolderOf(path).c_str(), W_OK) == 0) return true;
  UserFolderNote(UserFolderNotWritable);
  return false;
}

std::string UserFileSetAside(const char* relativePath) {
  UserFolderClaim();
  const std::string path = DataPath(relativePath);
  if (!GameState.UserFolder.writes) return "";
  const bool regular = FileKind(relativePath) == FileRegular;
  for (int n = 1; n <= kMostSetAside; ++n) {
    const std::string kept = path + ".damaged" + (n == 1 ? "" : "." + std::to_string(n));
    if (!Absent(kept)) continue;
    // A hard link keeps the damaged file in place, under both names, without a byte copied; where
    // links are not to be had the bytes are copied. Neither can replace an earlier copy.
    bool done = regular ? link(path.c_str(), kept.c_str()) == 0 : rename(path.c_str(), kept.c_str()) == 0;
    if (!done && regular && errno != EEXIST) done = CopyTo(path, kept);
    if (!done && !Absent(kept)) continue;  // taken meanwhile: the next number
    if (!done) break;
    FileSyncFolder(relativePath);
    return kept;
  }
  UserFolderNote(UserFolderNotWritable);
  return "";
}

void UserFileDropSetAside(const std::string& keptAs) {
  if (!keptAs.empty()) unlink(keptAs.c_str());
}

void UserFolderNote(UserFolderProblemValue problem) {
  if (GameState.UserFolder.problem == UserFolderFine) GameState.UserFolder.problem = problem;
}

UserFolderProblemValue UserFolderProblem() {
  if (GameState.UserFolder.problem == UserFolderFine && GameState.UserFolder.claimed &&
      PlatformUserStorage() == PlatformStorageFull) {
    UserFolderNote(UserStorageFull);
  }
  return static_cast<UserFolderProblemValue>(GameState.UserFolder.problem);
}

void UserFolderRelease() {
  UserFolderRecord& folder = GameState.UserFolder;
  if (folder.claimed && folder.lockFile >= 0) close(folder.lockFile);
  folder.claimed = 0;
  folder.lockFile = -1;
}
