// WAV effects on any free mixer channel and the looping music track on channel 31. Callers test
// soundOn / musicOn themselves.
#pragma once

#include "core/game_state.h"

constexpr int kMusicChannel = 31;

// Opens the mixer (44100 Hz, 16-bit, stereo, 1024-sample chunks) with 32 channels; fatal on failure.
void AudioOpen();
// Halts music and closes the mixer.
void AudioClose();
// Loads a WAV under ./Data/ and returns its sound id; a file that cannot be loaded is fatal.
SoundId SoundAdd(const char* name);
// Plays a sound once on the first free channel.
void PlaySound(SoundId id);
// Plays a sound from its start on the music channel, looping forever.
void PlayLoop(SoundId id);
// Pauses the music channel.
void PauseLoop();
