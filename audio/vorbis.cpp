#include "audio/vorbis.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

// The single-file decoder from libstb-dev, compiled here once (its warnings are its own).
#include <stb_vorbis.h>

namespace {

// Longer than any music the game has; a bigger claimed length is a damaged file.
constexpr uint32_t kMaxFrames = 44100u * 60u * 10u;

void PutLittle(uint8_t* at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = uint8_t(value >> (8 * i));
}

uint32_t CommentedLength(stb_vorbis* stream) {
  const stb_vorbis_comment comments = stb_vorbis_get_comment(stream);
  static const char kKey[] = "LOOPLENGTH=";
  for (int i = 0; i < comments.comment_list_length; ++i) {
    const char* text = comments.comment_list[i];
    if (text != nullptr && strncmp(text, kKey, sizeof kKey - 1) == 0) {
      char* end = nullptr;
      const unsigned long value = strtoul(text + sizeof kKey - 1, &end, 10);
      if (end != text + sizeof kKey - 1 && *end == '\0' && value > 0 && value <= kMaxFrames) return uint32_t(value);
    }
  }
  return 0;
}

}  // namespace

struct VorbisDecoding {
  stb_vorbis* stream = nullptr;
  DecodedWav wav;
  short* samples = nullptr;
  uint32_t decoded = 0;
  bool ended = false;  // the stream gave all it has: a short one leaves silence, a long one is cut
};

namespace {

constexpr uint32_t kWavHeader = 44;
constexpr uint32_t kFirstPiece = 4096;

}  // namespace

VorbisDecoding* VorbisBegin(const uint8_t* data, size_t size, const char*& error) {
  error = nullptr;
  if (size > size_t(INT32_MAX)) {
    error = "the file is too large";
    return nullptr;
  }
  int status = 0;
  stb_vorbis* stream = stb_vorbis_open_memory(data, int(size), &status, nullptr);
  if (stream == nullptr) {
    error = "it is not an Ogg Vorbis stream";
    return nullptr;
  }
  const stb_vorbis_info info = stb_vorbis_get_info(stream);
  uint32_t frames = CommentedLength(stream);
  if (frames == 0) frames = stb_vorbis_stream_length_in_samples(stream);
  if (info.channels < 1 || info.channels > 2 || info.sample_rate < 8000 || info.sample_rate > 96000 || frames == 0 ||
      frames > kMaxFrames) {
    stb_vorbis_close(stream);
    error = "its channels, rate or length are out of range";
    return nullptr;
  }
  const uint32_t frameBytes = 2u * uint32_t(info.channels);
  const uint32_t dataBytes = frames * frameBytes;
  uint8_t* bytes = static_cast<uint8_t*>(calloc(1, kWavHeader + dataBytes));
  VorbisDecoding* decoding = bytes != nullptr ? new (std::nothrow) VorbisDecoding : nullptr;
  if (decoding == nullptr) {
    free(bytes);
    stb_vorbis_close(stream);
    error = "out of memory";
    return nullptr;
  }
  memcpy(bytes, "RIFF", 4);
  PutLittle(bytes + 4, 36 + dataBytes, 4);
  memcpy(bytes + 8, "WAVEfmt ", 8);
  PutLittle(bytes + 16, 16, 4);
  PutLittle(bytes + 20, 1, 2);  // PCM
  PutLittle(bytes + 22, uint32_t(info.channels), 2);
  PutLittle(bytes + 24, info.sample_rate, 4);
  PutLittle(bytes + 28, info.sample_rate * frameBytes, 4);
  PutLittle(bytes + 32, frameBytes, 2);
  PutLittle(bytes + 34, 16, 2);
  memcpy(bytes + 36, "data", 4);
  PutLittle(bytes + 40, dataBytes, 4);
  decoding->stream = stream;
  decoding->wav = DecodedWav{bytes, kWavHeader + dataBytes, info.channels, int(info.sample_rate), frames};
  decoding->samples = reinterpret_cast<short*>(bytes + kWavHeader);  // decoded in place
  VorbisContinue(decoding, kFirstPiece);
  if (decoding->decoded == 0) {
    VorbisDrop(decoding);
    error = "it holds no sound";
    return nullptr;
  }
  return decoding;
}

bool VorbisContinue(VorbisDecoding* decoding, uint32_t frames) {
  const int channels = decoding->wav.channels;
  for (uint32_t until = std::min(decoding->wav.frames, decoding->decoded + frames);
       !decoding->ended && decoding->decoded < until;) {
    const int got = stb_vorbis_get_samples_short_interleaved(decoding->stream, channels,
                                                             decoding->samples + decoding->decoded * channels,
                                                             int((until - decoding->decoded) * uint32_t(channels)));
    if (got <= 0) decoding->ended = true;
    decoding->decoded += uint32_t(std::max(got, 0));
  }
  return decoding->ended || decoding->decoded >= decoding->wav.frames;
}

DecodedWav VorbisFinish(VorbisDecoding* decoding) {
  VorbisContinue(decoding, decoding->wav.frames);
  stb_vorbis_close(decoding->stream);
  const DecodedWav wav = decoding->wav;
  delete decoding;
  return wav;
}

void VorbisDrop(VorbisDecoding* decoding) {
  stb_vorbis_close(decoding->stream);
  free(decoding->wav.bytes);
  delete decoding;
}

DecodedWav DecodeVorbisToWav(const uint8_t* data, size_t size, const char*& error) {
  VorbisDecoding* decoding = VorbisBegin(data, size, error);
  return decoding != nullptr ? VorbisFinish(decoding) : DecodedWav{};
}
