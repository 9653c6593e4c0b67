// The text-file helper: every level and user file is reached through an integer handle into the
// file table. Paths are relative to ./Data/. Files that are only read are opened read-only (the
// installed level files belong to root); files that are written are opened for update, never
// truncated, so a writer overwrites the start of an existing file in place.
#pragma once

#include <cstdio>

#include "core/game_state.h"

// One open stream; the file table holds a pointer to one of these per open handle.
struct FileRecord {
  FILE* stream;
};

// Opens an existing file for reading and update ("r+"); -1 when it cannot be opened or no slot is free.
FileHandle FileOpen(const char* relativePath);
// Opens an existing file for reading only ("r"); -1 when it cannot be read or no slot is free.
FileHandle FileOpenForReading(const char* relativePath);
// Creates or empties the file ("w"), then reopens it for update; -1 when it cannot be created.
FileHandle FileCreate(const char* relativePath);
// Reads one line like fgets (at most size-1 bytes, NUL-terminated); null at end of file or for a bad handle.
char* FileReadLine(FileHandle handle, char* buffer, int size);
// Writes count bytes one at a time from the current position and flushes them; the rest of a
// longer file stays as it was. False when any byte did not reach the file (a full disk, say).
bool FileWrite(FileHandle handle, const char* bytes, int count);
// Closes the stream and frees its slot for later opens; false when the close failed (buffered
// bytes lost) or the handle names no open file.
bool FileClose(FileHandle handle);
