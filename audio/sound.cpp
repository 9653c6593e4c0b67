#include "audio/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/vorbis.h"
#include "core/data_path.h"
#include "core/fatal.h"
#include "platform/platform.h"

// Long sounds (the music) are played straight from the file mapped read-only where the system can
// map files; elsewhere every sound is decoded onto the heap.
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#define VELMORA_MAPPED_SOUNDS 1
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#endif

namespace {

uint32_t Little16(const Uint8* at) { return at[0] | at[1] << 8; }
uint32_t Little32(const Uint8* at) { return Little16(at) | Little16(at + 2) << 16; }

}  // namespace

bool WavSamplesInMixerFormat(const Uint8* bytes, size_t size, size_t& offset, uint32_t& length) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16LSB) return false;
  if (size < 12 || memcmp(bytes, "RIFF", 4) != 0 || memcmp(bytes + 8, "WAVE", 4) != 0) return false;
  const uint32_t frameBytes = 2 * channels;
  bool formatMatches = false;
  for (size_t at = 12; at + 8 <= size;) {
    const size_t body = at + 8;
    const uint32_t chunkSize = Little32(bytes + at + 4);
    if (chunkSize > size - body) return false;
    const Uint8* field = bytes + body;
    if (memcmp(bytes + at, "fmt ", 4) == 0) {
      // PCM, the mixer's channels and rate, whole 16-bit frames.
      formatMatches = chunkSize >= 16 && Little16(field) == 1 && Little16(field + 2) == uint32_t(channels) &&
                      Little32(field + 4) == uint32_t(rate) && Little16(field + 12) == frameBytes &&
                      Little16(field + 14) == 16;
    } else if (memcmp(bytes + at, "data", 4) == 0) {
      offset = body;
      length = chunkSize - chunkSize % frameBytes;
      return formatMatches && length > 0;
    }
    at = body + chunkSize + (chunkSize & 1);  // chunks are padded to an even length
  }
  return false;
}

#ifdef VELMORA_MAPPED_SOUNDS
namespace {

// Files from this size on are mapped: a short effect is cheaper held decoded than as a mapping of
// its own, and is never kept waiting for its pages on the mixer's thread.
constexpr off_t kMapFrom = 1 << 20;

struct Mapping {
  void* base;
  size_t size;
  const Mix_Chunk* chunk;  // the chunk playing from it
};
Mapping mappings[kMaxSounds];
int mappingCount = 0;

// A chunk that plays the samples of the file in place, or null when the file cannot be mapped or
// its samples are not already in the mixer's format.
Mix_Chunk* MapWav(const char* path) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status = {};
  void* base = MAP_FAILED;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= kMapFrom) {
    base = mmap(nullptr, size_t(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  }
  close(fd);
  if (base == MAP_FAILED) return nullptr;
  const size_t size = size_t(status.st_size);
  size_t offset = 0;
  uint32_t length = 0;
  Mix_Chunk* chunk = nullptr;
  if (WavSamplesInMixerFormat(static_cast<const Uint8*>(base), size, offset, length)) {
    // The mixer only reads a chunk it did not allocate.
    chunk = Mix_QuickLoad_RAW(static_cast<Uint8*>(base) + offset, length);
  }
  if (chunk == nullptr) {
    munmap(base, size);
    return nullptr;
  }
  mappings[mappingCount++] = {base, size, chunk};
  return chunk;
}

// The pages of long sounds other than the one now playing leave the game's memory; they stay in
// the system's file cache, and come back from it when that sound plays again.
void ReleaseSoundsOtherThan(const Mix_Chunk* playing) {
  for (int i = 0; i < mappingCount; ++i) {
    if (mappings[i].chunk != playing) madvise(mappings[i].base, mappings[i].size, MADV_DONTNEED);
  }
}

void UnmapWavs() {
  for (int i = 0; i < mappingCount; ++i) munmap(mappings[i].base, mappings[i].size);
  mappingCount = 0;
}

}  // namespace
#else
static Mix_Chunk* MapWav(const char*) { return nullptr; }
static void UnmapWavs() {}
static void ReleaseSoundsOtherThan(const Mix_Chunk*) {}
#endif

namespace {
// A channel's volume at the player's full level: the whole of the mixer's scale, or a part of it
// where the mix is given headroom below.
int channelFullVolume = MIX_MAX_VOLUME;
}  // namespace

#ifndef __EMSCRIPTEN__
namespace {

// The mix has headroom: every channel plays at a quarter of its level, so four sounds at full
// scale add up in the mixer without clipping, and the sum is brought back up fourfold through a
// limiter that holds every peak at -1 dBFS. A sound alone (the music in play, one effect over
// it) comes out as loud as before; only what would have clipped is turned down, at once, and
// comes back up over a tenth of a second.
constexpr int kHeadroom = 4;
constexpr double kCeiling = 0.891 * 32767.0;  // -1 dBFS
constexpr double kReleasePerFrame = 1.0 / (0.1 * 44100.0);
int mixChannels = 2;
double limiterGain = 1.0;  // the mixer's thread's own

void Limit(void*, Uint8* stream, int length) {
  Sint16* samples = reinterpret_cast<Sint16*>(stream);
  const int count = length / 2;
  for (int frame = 0; frame + mixChannels <= count; frame += mixChannels) {
    double peak = 0.0;
    for (int c = 0; c < mixChannels; ++c) peak = std::max(peak, std::fabs(samples[frame + c] * double(kHeadroom)));
    if (peak * limiterGain > kCeiling) limiterGain = kCeiling / peak;
    for (int c = 0; c < mixChannels; ++c) {
      samples[frame + c] = static_cast<Sint16>(std::lrint(samples[frame + c] * kHeadroom * limiterGain));
    }
    limiterGain += (1.0 - limiterGain) * kReleasePerFrame;
  }
}

void GiveTheMixHeadroom() {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS || channels < 1) return;
  mixChannels = channels;
  channelFullVolume = MIX_MAX_VOLUME / kHeadroom;
  Mix_Volume(-1, channelFullVolume);
  Mix_SetPostMix(Limit, nullptr);
}

}  // namespace
#else
// The browser mixes in floating point: nothing clips before its output.
static void GiveTheMixHeadroom() {}
#endif

namespace {
void DropPendingSounds();
}  // namespace

void AudioOpen() {
  if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) != 0) {
    printf("unable to open Audio! Reason: %s\n", SDL_GetError());
    ExitOnFatalError();
  }
  Mix_AllocateChannels(32);
  GiveTheMixHeadroom();
}

void AudioClose() {
  DropPendingSounds();
  Mix_HaltMusic();
  Mix_CloseAudio();
  UnmapWavs();
}

namespace {

// The Ogg Vorbis form of a sound, when the run tree stores it so (the browser's music): the
// same name with ".ogg" for ".wav".
std::string VorbisPath(const std::string& path) {
  const size_t dot = path.size() >= 4 ? path.size() - 4 : 0;
  if (path.compare(dot, std::string::npos, ".wav") != 0) return std::string();
  std::string ogg = path.substr(0, dot) + ".ogg";
  return access(ogg.c_str(), F_OK) == 0 ? ogg : std::string();
}

// Music stored as Ogg Vorbis (the browser's) is decoded a piece at a time in the game's waits,
// from the loading screen on, and handed to the mixer once whole; a sound played before then is
// finished at once.
struct PendingSound {
  SoundId id = -1;
  uint8_t* file = nullptr;  // the stream's bytes, read whole
  VorbisDecoding* decoding = nullptr;
  std::string path;
};
PendingSound pendingSounds[kMaxSounds];
int pendingCount = 0;
constexpr uint32_t kFramesPerPiece = 4096;  // about a millisecond of decoding

// Reads an Ogg Vorbis file and begins decoding it; false with SDL's error set when it cannot.
bool BeginVorbis(const std::string& path, SoundId id) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) {
    SDL_SetError("cannot open %s", path.c_str());
    return false;
  }
  uint8_t* data = nullptr;
  long size = -1;
  if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
  if (size > 0 && fseek(file, 0, SEEK_SET) == 0) data = static_cast<uint8_t*>(malloc(size_t(size)));
  const bool read = data != nullptr && fread(data, 1, size_t(size), file) == size_t(size);
  fclose(file);
  if (!read) {
    free(data);
    SDL_SetError("cannot read %s", path.c_str());
    return false;
  }
  const char* error = nullptr;
  VorbisDecoding* decoding = VorbisBegin(data, size_t(size), error);
  if (decoding == nullptr) {
    free(data);
    SDL_SetError("%s: %s", path.c_str(), error);
    return false;
  }
  pendingSounds[pendingCount++] = PendingSound{id, data, decoding, path};
  return true;
}

// Decodes the rest of a pending sound and gives the mixer its samples (the mixer takes its own
// copy, converted to its format where it differs); fatal when it will not take them.
void FinishPendingSound(int index) {
  PendingSound& pending = pendingSounds[index];
  const DecodedWav wav = VorbisFinish(pending.decoding);
  free(pending.file);
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.bytes, int(wav.size)), 1);
  free(wav.bytes);
  if (chunk == nullptr) {
    printf("Could not load wav file %s: it is unreadable. Reason: %s\n", pending.path.c_str(), SDL_GetError());
    ExitOnFatalError();
  }
  GameState.SoundTable.entries[pending.id] = chunk;
  std::move(pendingSounds + index + 1, pendingSounds + pendingCount, pendingSounds + index);
  pendingSounds[--pendingCount] = PendingSound{};
}

void DropPendingSounds() {
  while (pendingCount > 0) {
    PendingSound& pending = pendingSounds[--pendingCount];
    VorbisDrop(pending.decoding);
    free(pending.file);
    pending = PendingSound{};
  }
}

// The game's waits: pieces of the oldest pending sound for up to `budget` milliseconds.
bool DecodeWhileWaiting(uint32_t budget) {
  for (const uint32_t started = SDL_GetTicks(); pendingCount > 0 && SDL_GetTicks() - started < budget;) {
    if (VorbisContinue(pendingSounds[0].decoding, kFramesPerPiece)) FinishPendingSound(0);
  }
  return pendingCount > 0;
}

}  // namespace

SoundId SoundAdd(const char* name) {
  GameState.SoundTable.NextId("sound");
  const std::string path = DataPath(name);
  const std::string vorbis = VorbisPath(path);
  Mix_Chunk* chunk = nullptr;
  bool pending = false;
  if (!vorbis.empty()) {
    pending = BeginVorbis(vorbis, GameState.SoundTable.count);
    if (pending) PlatformAddIdleWork(DecodeWhileWaiting);
  } else {
    chunk = MapWav(path.c_str());
    if (chunk == nullptr) chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
  }
  if (chunk == nullptr && !pending) {
    // Tell a missing file from one that is there but cannot be read or decoded.
    const std::string& file = vorbis.empty() ? path : vorbis;
    const bool missing = access(file.c_str(), F_OK) != 0;
    printf("Could not load wav file %s: it is %s. Reason: %s\n", file.c_str(), missing ? "missing" : "unreadable",
           SDL_GetError());
    ExitOnFatalError();
  }
  return GameState.SoundTable.Add(chunk);
}

namespace {

// The levels as channel volumes (full is channelFullVolume). They are channel volumes: every channel plays effects at
// the effects' level, except the music channel once a loop has played there (before that an effect may be given it like
// any other channel, and plays at the effects' level).
int musicVolume = -1;  // until the levels are first set: as the channels were opened
int effectsVolume = -1;
bool loopStarted = false;

// A sound's chunk, its decoding finished first if it is still under way.
Mix_Chunk* ChunkAt(SoundId id) {
  for (int i = 0; i < pendingCount; ++i) {
    if (pendingSounds[i].id == id) FinishPendingSound(i);
  }
  return GameState.SoundTable.At(id);
}

int MixerVolume(int32_t percent) {
  const int32_t held = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  return channelFullVolume * held / 100;
}

}  // namespace

void AudioSetLevels(int32_t musicPercent, int32_t effectsPercent) {
  musicVolume = MixerVolume(musicPercent);
  effectsVolume = MixerVolume(effectsPercent);
  for (int channel = 0; channel < kMusicChannel; ++channel) Mix_Volume(channel, effectsVolume);
  Mix_Volume(kMusicChannel, loopStarted ? musicVolume : effectsVolume);
}

int32_t ChannelVolume(int channel) { return Mix_Volume(channel, -1); }

void PlaySound(SoundId id) {
  if (Mix_Chunk* chunk = ChunkAt(id)) Mix_PlayChannelTimed(-1, chunk, 0, -1);
}

void PlayLoop(SoundId id) {
  Mix_Chunk* chunk = ChunkAt(id);
  if (chunk == nullptr) return;
  loopStarted = true;
  Mix_Volume(kMusicChannel, musicVolume);
  Mix_PlayChannelTimed(kMusicChannel, chunk, -1, -1);
  ReleaseSoundsOtherThan(chunk);
}

void PlayMenuMusic() {
  if (GameState.musicOn) PlayLoop(GameState.mainSound);
}

void PauseLoop() { Mix_Pause(kMusicChannel); }
