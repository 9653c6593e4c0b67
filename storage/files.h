// The text-file helper: every level and user file is read through an integer handle into the
// file table. Paths are relative to ./Data/. Files that are only read are opened read-only (the
// installed level files belong to root), and only regular files are opened that way: a pipe, a
// device or a folder never blocks or feeds the game. A whole file is written with FileReplace: a
// reader, a crash or a power cut sees either the old file or the new one, never a part.
#pragma once

#include <cstdio>

#include "core/game_state.h"

// One open stream; the file table holds a pointer to one of these per open handle.
struct FileRecord {
  FILE* stream;
};

// Opens an existing file for reading and update ("r+"); -1 when it cannot be opened or no slot is free.
FileHandle FileOpen(const char* relativePath);
// Opens an existing regular file for reading only ("r"), without waiting on a pipe or device;
// -1 when it cannot be read, is not a regular file, or no slot is free.
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

// What is at a path: nothing, a regular file, or something else (a folder, pipe, device, socket).
enum FileKindValue { FileAbsent, FileRegular, FileOther };
// Follows links; a path that cannot be looked at (a folder without permission) counts as absent
// only when the system says there is nothing there.
FileKindValue FileKind(const char* relativePath);
// Replaces the whole file with count bytes, atomically and durably: the bytes go to a temporary
// file in the same folder, which is flushed to the disk and renamed over the old file, and the
// folder is flushed too. A link is followed, so the file it names is replaced. The old file stays
// as it was when anything fails (a full disk, a read-only folder or file, a missing folder, an
// existing file this user may not read, or something at the path that is not a regular file).
bool FileReplace(const char* relativePath, const char* bytes, int count);
// Flushes the folder that holds the file, so that a name just made there lasts.
void FileSyncFolder(const char* relativePath);
