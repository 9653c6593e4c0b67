// Ogg Vorbis music decoded whole into a WAV image in memory, for the mixer to load like any WAV.
#pragma once

#include <cstddef>
#include <cstdint>

struct DecodedWav {
  uint8_t* bytes = nullptr;  // a RIFF WAV image (16-bit PCM), malloc'd; null on failure
  size_t size = 0;
  int channels = 0;
  int rate = 0;
  uint32_t frames = 0;
};

// Decodes the Ogg Vorbis stream of `size` bytes at `data` to exactly its length in sample frames:
// the LOOPLENGTH comment when it has one (the staging writes the source's length there, so a loop
// ends where its source ended), otherwise the length its last page gives. On failure the result
// holds no bytes and `error` says why. The caller frees `bytes`.
DecodedWav DecodeVorbisToWav(const uint8_t* data, size_t size, const char*& error);
