// The three user files under Data/User: the save game (campaign progress), the options and the
// accelerometer calibration. Each is read at start-up, created with defaults when missing, and
// written whole (through UserFileWrite, storage/user_folder.h) whenever its values change.
// Failures are reported in one line on standard output and kept for the player's notice; the
// game then runs on with the values in memory.
#pragma once

// Reads weapons, shield, handling and structure levels, campaign level and credits; a missing
// file is created with the defaults, a damaged one is repaired and rewritten.
void LoadSaveGame();
// Writes the campaign progress as its fixed 50-byte record.
void SaveGame();
// Back to the start of the campaign: every upgrade at 1, level 1, 5000 credits; then saves.
void ResetProgress();
// Reads music, sound and control method (one digit each); missing or bad digits take their
// defaults and the file is rewritten; a missing file is created with "110".
void LoadOptions();
// Writes the three option digits.
void SaveOptions();
// Reads the stored accelerometer neutral position; a missing file is created with 0;0.
void LoadCalibration();
// Writes the calibration as its fixed 50-byte record.
void SaveCalibration();
