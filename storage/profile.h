// The player's own file beside the three user files: free play's ten best scores with their
// dates, and the music and effect levels. A missing file is created with the defaults (no scores,
// both levels at full); a damaged one is kept aside as "<name>.damaged" and replaced with what
// could be read of it. It is written like the other user files (storage/user_folder.h).
#pragma once

#include <cstdint>

#include "core/game_state.h"

constexpr const char* kProfileFile = "User/VelMoraProfile.cfg";

// Reads the file into GameState.Profile at start-up.
void LoadProfile();
// Writes GameState.Profile.
void SaveProfile();
// A free-play round ended with this score: it takes its place among the best (dated today) and
// the table is saved. Returns its rank from 0 (a new best), or -1 when it is not among the ten.
int32_t RecordBestScore(int32_t score);
// Puts a score into the table dated `date` ("YYYY-MM-DD"): below those at least as high, the
// lowest falling off a full table. Returns the rank or -1, as above; nothing is saved.
int32_t InsertBestScore(ProfileRecord& profile, int32_t score, const char* date);
