// The text-file helper: every level and user file is reached through an integer handle into the
// file table. Paths are relative to ./Data/, and files are always opened for update, never
// truncated, so a writer overwrites the start of an existing file in place.
#pragma once

#include <cstdio>

#include "app/game_state.h"

// One open stream; the file table holds a pointer to one of these per open handle.
struct FileRecord {
  FILE* stream;
};

// Opens an existing file for reading and update ("r+"); -1 when it cannot be opened or no slot is free.
FileHandle FileOpen(const char* relativePath);
// Creates or empties the file ("w"), then reopens it for update; -1 when it cannot be created.
FileHandle FileCreate(const char* relativePath);
// Reads one line like fgets (at most size-1 bytes, NUL-terminated); null at end of file or for a bad handle.
char* FileReadLine(FileHandle handle, char* buffer, int size);
// Writes count bytes one at a time from the current position; the rest of a longer file stays as it was.
void FileWrite(FileHandle handle, const char* bytes, int count);
// Closes the stream and frees its slot for later opens; a bad or closed handle is ignored.
void FileClose(FileHandle handle);
