#include "storage/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <new>
#include <string>

#include "core/data_path.h"

namespace {

// The slot the next open may take: the next never-used slot while any are left, then the
// lowest closed one, so a long session never runs out of handles. -1 when all are open.
FileHandle FreeSlot() {
  const FileTableRecord& table = GameState.FileTable;
  if (table.FileCount >= 0 && table.FileCount < kMaxFiles) return table.FileCount;
  for (FileHandle slot = 0; slot < kMaxFiles; ++slot) {
    if (table.files[slot] == nullptr) return slot;
  }
  return -1;
}

// The open record behind a handle, or null for -1, an index outside the table or a closed slot.
FileRecord* RecordAt(FileHandle handle) {
  if (handle < 0 || handle >= kMaxFiles) return nullptr;
  return GameState.FileTable.files[handle];
}

// Puts an open stream into the slot and hands the slot out; closes the stream if that fails.
FileHandle Store(FileHandle slot, FILE* stream) {
  FileRecord* record = new (std::nothrow) FileRecord{stream};
  if (record == nullptr) {
    fclose(stream);
    return -1;
  }
  FileTableRecord& table = GameState.FileTable;
  table.files[slot] = record;
  if (slot == table.FileCount) table.FileCount += 1;
  return slot;
}

// Opens an existing regular file into a free slot; -1 when either is not to be had. The open
// does not wait (a pipe with no writer would hold it for ever); the stream then reads normally.
FileHandle OpenExisting(const char* relativePath, int flags, const char* mode) {
  if (relativePath == nullptr) return -1;
  const FileHandle slot = FreeSlot();
  if (slot == -1) return -1;
  const int fd = open(DataPath(relativePath).c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || fcntl(fd, F_SETFL, flags) != 0) {
    close(fd);
    return -1;
  }
  FILE* stream = fdopen(fd, mode);
  if (stream == nullptr) {
    close(fd);
    return -1;
  }
  return Store(slot, stream);
}

bool WriteAll(int fd, const char* bytes, int count) {
  while (count > 0) {
    const ssize_t written = write(fd, bytes, static_cast<size_t>(count));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    count -= static_cast<int>(written);
  }
  return true;
}

// A renamed or linked file is only lasting once its folder's entry is on the disk too.
void SyncFolder(const std::string& path) {
  const int fd = open(path.substr(0, path.rfind('/') + 1).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

FileHandle FileOpen(const char* relativePath) { return OpenExisting(relativePath, O_RDWR, "r+"); }

FileHandle FileOpenForReading(const char* relativePath) { return OpenExisting(relativePath, O_RDONLY, "r"); }

FileHandle FileCreate(const char* relativePath) {
  if (relativePath == nullptr) return -1;
  // Look for a slot first: emptying a file that then cannot be handed out would lose it.
  const FileHandle slot = FreeSlot();
  if (slot == -1) return -1;
  const std::string path = DataPath(relativePath);
  FILE* created = fopen(path.c_str(), "w");
  if (created == nullptr) return -1;
  fclose(created);
  FILE* stream = fopen(path.c_str(), "r+");
  if (stream == nullptr) return -1;
  return Store(slot, stream);
}

char* FileReadLine(FileHandle handle, char* buffer, int size) {
  FileRecord* record = RecordAt(handle);
  if (record == nullptr || buffer == nullptr || size <= 0) return nullptr;
  return fgets(buffer, size, record->stream);
}

bool FileWrite(FileHandle handle, const char* bytes, int count) {
  FileRecord* record = RecordAt(handle);
  if (record == nullptr || bytes == nullptr) return false;
  // An update stream must be repositioned between a read and a write; this keeps the position.
  if (fseek(record->stream, 0, SEEK_CUR) != 0) return false;
  for (int i = 0; i < count; ++i) {
    if (fputc(static_cast<unsigned char>(bytes[i]), record->stream) == EOF) return false;
  }
  // A full disk shows only when the buffer reaches the file.
  return fflush(record->stream) == 0;
}

bool FileClose(FileHandle handle) {
  FileRecord* record = RecordAt(handle);
  if (record == nullptr) return false;
  const bool closed = fclose(record->stream) == 0;
  delete record;
  GameState.FileTable.files[handle] = nullptr;
  return closed;
}

FileKindValue FileKind(const char* relativePath) {
  if (relativePath == nullptr) return FileAbsent;
  struct stat info;
  if (stat(DataPath(relativePath).c_str(), &info) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileAbsent : FileOther;
  }
  return S_ISREG(info.st_mode) ? FileRegular : FileOther;
}

bool FileReplace(const char* relativePath, const char* bytes, int count) {
  if (relativePath == nullptr || count < 0 || (bytes == nullptr && count > 0)) return false;
  std::string target = DataPath(relativePath);
  struct stat info;
  if (lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char* real = realpath(target.c_str(), nullptr);
    if (real == nullptr) return false;
    target = real;
    free(real);
  }
  const bool exists = stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return false;
  // Only a regular file is replaced, and only one this user may read and write: a file made
  // read-only keeps its content, and one that could not be read is never lost to a new one.
  if (exists && (!S_ISREG(info.st_mode) || access(target.c_str(), R_OK | W_OK) != 0)) return false;
  const std::string temporary = target + ".new";
  unlink(temporary.c_str());  // what a write cut short left behind
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  if (exists) fchmod(fd, info.st_mode & 07777);
  bool written = WriteAll(fd, bytes, count) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

void FileSyncFolder(const char* relativePath) {
  if (relativePath != nullptr) SyncFolder(DataPath(relativePath));
}
