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

// The same, a piece at a time: VorbisBegin checks the stream and decodes its first piece (null
// with `error` set when it cannot be decoded; `data` must outlive the decoding), VorbisContinue
// decodes about `frames` more and says whether the stream is whole, and VorbisFinish decodes what
// is left, frees the decoder and hands over the WAV image.
struct VorbisDecoding;
VorbisDecoding* VorbisBegin(const uint8_t* data, size_t size, const char*& error);
bool VorbisContinue(VorbisDecoding* decoding, uint32_t frames);
DecodedWav VorbisFinish(VorbisDecoding* decoding);
// Ends a decoding that is no longer wanted.
void VorbisDrop(VorbisDecoding* decoding);
