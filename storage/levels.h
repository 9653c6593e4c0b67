// Level files: each campaign mission is one line "pace;ore;infected;type;target;reward;next"
// in Levels/level<n>.dat, read into a MissionRecord.
#pragma once

#include <cstdint>

#include "core/game_state.h"

// The kind a level file's letter names (C collect, D destroy, P protect, S survive), or
// MissionUnknown for any other character; and the letter of a kind ('?' for MissionUnknown).
MissionKind MissionKindOfLetter(char letter);
char MissionLetter(MissionKind kind);
// Reads Levels/level<level>.dat; fields that are missing or do not parse stay 0, as does the
// whole record when the file cannot be read. levelNumber is always the argument, progress 0.
MissionRecord LoadLevel(int32_t level);
// True when a round can be played from the record: pace of at least 4, ore and infected ranges
// of -1 (none) or at least 1, a known kind, and a target that is not negative.
bool MissionIsPlayable(const MissionRecord& mission);
// The mission of a level for the campaign: when its file is missing or unplayable, says so in one
// line and plays fallbackLevel instead; when that fails too, a built-in survival mission.
MissionRecord LoadCampaignLevel(int32_t level, int32_t fallbackLevel);
