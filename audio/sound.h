// WAV effects on any free mixer channel and the looping music track on channel 31. Callers test
// soundOn / musicOn themselves.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "core/game_state.h"

constexpr int kMusicChannel = 31;

// Opens the mixer (44100 Hz, 16-bit, stereo, 1024-sample chunks) with 32 channels; fatal on failure.
void AudioOpen();
// Halts music, closes the mixer and lets go of the sound files played in place: the chunks are
// freed by then.
void AudioClose();
// Loads a WAV under ./Data/ and returns its sound id; a file that cannot be loaded is fatal. A long
// sound whose samples are already in the open mixer's format is played from the file mapped
// read-only (the chunk does not own them); anything else is decoded onto the heap.
SoundId SoundAdd(const char* name);
// Where the samples of a WAV file image start and how many bytes of whole frames they take, when
// the image is plain 16-bit PCM at the open mixer's rate and channel count; false for anything
// else, a chunk running past the end included.
bool WavSamplesInMixerFormat(const Uint8* bytes, size_t size, size_t& offset, uint32_t& length);
// Plays a sound once on the first free channel.
void PlaySound(SoundId id);
// Plays a sound from its start on the music channel, looping forever; the long sounds not playing
// give their pages back.
void PlayLoop(SoundId id);
// The menu's music, from its start, when music is on.
void PlayMenuMusic();
// Pauses the music channel.
void PauseLoop();
