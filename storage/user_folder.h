// The player's folder Data/User as a whole. One copy of the game writes to it at a time (an
// advisory lock on User/VelMora.lock, taken by the first read or write of a user file); a second
// copy reads the files but never writes. Every user file is written through UserFileWrite, a
// damaged file is set aside under a name that no earlier one has, and the session's first failure
// to read or write is kept, so that the game can tell the player once.
#pragma once

#include <cstdint>
#include <string>

enum UserFolderProblemValue : int32_t {
  UserFolderFine = 0,
  UserFolderInUse = 1,        // another copy of the game holds the folder: this one saves nothing
  UserFolderNotWritable = 2,  // a file could not be written or made (full disk, read-only, no folder)
  UserFolderNotReadable = 3,  // a file is there but could not be read: it is left as it is
  UserStorageUnreadable = 4,  // browser: its storage could not be read: nothing is written this visit
  UserStorageMissing = 5,     // browser: no lasting storage: the files live for this visit only
  UserStorageFull = 6,        // browser: the storage refused a copy: the last good one stays
};

// Takes the folder's lock, once per session; later calls do nothing.
void UserFolderClaim();
// Writes a whole user file (a name under ./Data/, e.g. "User/VelmoraConfig.cfg") atomically and
// durably, and in a browser copies it through to lasting storage. False when nothing was written:
// this session may not write, or the write failed (then kept as the session's problem).
bool UserFileWrite(const char* relativePath, const char* bytes, int count);
// True when the existing file may be replaced later (the file and its folder are writable by this
// session); otherwise false, kept as the session's problem.
bool UserFileWritable(const char* relativePath);
// Keeps a damaged file, or a folder, pipe or device where a user file belongs, under the first
// free name of "<name>.damaged", "<name>.damaged.2", ...: a regular file is copied there (it stays
// in place until its repaired record replaces it), anything else is moved there. Returns the
// name it is kept under, or "" when it could not be (the session may not write, say).
std::string UserFileSetAside(const char* relativePath);
// Takes back a copy made by UserFileSetAside when the repaired file could not be written: the
// damaged file is still in its place.
void UserFileDropSetAside(const std::string& keptAs);
// Keeps the first failure of the session.
void UserFolderNote(UserFolderProblemValue problem);
// The session's first failure, UserFolderFine while there is none (a browser's storage refusing a
// copy shows here once it has happened).
UserFolderProblemValue UserFolderProblem();
// Lets the folder go (the game's end; a test's restart).
void UserFolderRelease();
