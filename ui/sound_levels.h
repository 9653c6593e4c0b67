// The options screen's sound levels panel, above the options: music and effects each in four
// steps (25, 50, 75, 100 %) or off, with a minus and a plus button. Off is the options' own sound
// or music toggle: stepping below 25 % switches it off, stepping up from off switches it on at
// 25 %, and the toggle switched on again brings back the level it had.
#pragma once

#include <cstdint>

// Start-up: the panel, its four buttons and the two level meters, hidden.
void CreateSoundLevels();
// The options scene's work for the panel: shows it with the levels as they stand.
void SoundLevelsFrame();
void HideSoundLevels();
// The mixer's volumes from the toggles and the levels; run at start-up and after every change.
void ApplySoundLevels();
// The percent that plays for a toggle and its level: 0 when the toggle is not on.
int32_t LevelPercent(int32_t toggle, int32_t level);
int MusicDownTouched(int phase, int x, int y);
int MusicUpTouched(int phase, int x, int y);
int EffectsDownTouched(int phase, int x, int y);
int EffectsUpTouched(int phase, int x, int y);
