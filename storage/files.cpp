#include "storage/files.h"

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

// Opens an existing file with the given mode into a free slot; -1 when either is not to be had.
FileHandle OpenExisting(const char* relativePath, const char* mode) {
  if (relativePath == nullptr) return -1;
  const FileHandle slot = FreeSlot();
  if (slot == -1) return -1;
  FILE* stream = fopen(DataPath(relativePath).c_str(), mode);
  if (stream == nullptr) return -1;
  return Store(slot, stream);
}

}  // namespace

FileHandle FileOpen(const char* relativePath) { return OpenExisting(relativePath, "r+"); }

FileHandle FileOpenForReading(const char* relativePath) { return OpenExisting(relativePath, "r"); }

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
