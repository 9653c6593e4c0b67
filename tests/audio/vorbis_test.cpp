// The music as the browser stores it (Ogg Vorbis, made by the web staging from the desktop's WAV)
// and as the game decodes it: the desktop's channels, rate and length, the same samples within
// the codec's noise, no shift at the start (encoder priming) or the end (padding), so the loop
// point has no gap or click; a damaged file is refused or cut short, never a crash.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/sound.h"
#include "support/harness.h"

class VorbisMusicTest : public GameTest {};

namespace {

// Signal-to-noise ratio in dB of `decoded`, read `lag` frames later, against `source` over frames
// [from, to) of one channel.
double Snr(const Sint16* source, const Sint16* decoded, size_t from, size_t to, int channel, int lag = 0) {
  double signal = 0, noise = 0;
  for (size_t i = from; i < to; ++i) {
    const double s = source[i * 2 + channel], d = decoded[(i + lag) * 2 + channel];
    signal += s * s;
    noise += (s - d) * (s - d);
  }
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

// The lag in [-64, 64] frames at which the decoded samples match the source best.
int BestLag(const Sint16* source, const Sint16* decoded, size_t from, size_t to, int channel) {
  int best = 0;
  for (int lag = -64; lag <= 64; ++lag) {
    if (Snr(source, decoded, from, to, channel, lag) > Snr(source, decoded, from, to, channel, best)) best = lag;
  }
  return best;
}

}  // namespace

TEST_F(VorbisMusicTest, TheBrowsersMusicIsTheDesktopsStereoMusicAndLoopsWithoutAGap) {
  std::filesystem::remove("Data/Sounds");
  std::filesystem::create_directory("Data/Sounds");
  const std::string sources = std::string(VELMORA_BUILD_DATA_DIR) + "/Sounds/";
  const std::string stage = std::string("python3 -B ") + VELMORA_SOURCE_DIR + "/tools/web/stage_data.py --music ";
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  AudioOpen();
  for (const char* name : {"main", "loop"}) {
    const std::string ogg = std::string("Data/Sounds/") + name + ".ogg";
    ASSERT_EQ(std::system((stage + sources + name + ".wav " + ogg).c_str()), 0) << name;
    const size_t stored = std::filesystem::file_size(ogg);
    SDL_AudioSpec format;
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV((sources + name + ".wav").c_str(), &format, &bytes, &length), nullptr) << name;
    ASSERT_TRUE(format.freq == 44100 && format.channels == 2 && format.format == AUDIO_S16LSB) << name;
    EXPECT_LT(stored * 6, length) << name << " is not stored compressed";

    // Only the Ogg file is there: the game decodes it in place of the WAV of the same name.
    const Mix_Chunk* chunk = GameState.SoundTable.At(SoundAdd((std::string("Sounds/") + name + ".wav").c_str()));
    ASSERT_NE(chunk, nullptr);
    ASSERT_EQ(chunk->alen, length) << name << ": decoded to another length than the desktop's";
    const Sint16* source = reinterpret_cast<const Sint16*>(bytes);
    const Sint16* decoded = reinterpret_cast<const Sint16*>(chunk->abuf);
    const size_t frames = length / 4;
    for (int channel = 0; channel < 2; ++channel) {
      // Both ends line up with the source sample for sample: a priming delay or padding would
      // shift them and wreck the match.
      EXPECT_EQ(BestLag(source, decoded, 64, 4096, channel), 0) << name << " starts shifted, channel " << channel;
      EXPECT_EQ(BestLag(source, decoded, frames - 4096, frames - 64, channel), 0)
          << name << " ends shifted, channel " << channel;
      EXPECT_GT(Snr(source, decoded, 0, frames, channel), 15) << name << " is not its source, channel " << channel;
      // The seam: the step from the last decoded sample to the first is as small as the steps
      // the music takes around it.
      const auto at = [&](size_t frame) { return int(decoded[frame * 2 + channel]); };
      int nearby = 0;
      for (size_t i = 1; i < 441; ++i) {
        nearby = std::max({nearby, std::abs(at(i) - at(i - 1)), std::abs(at(frames - i) - at(frames - i - 1))});
      }
      const int seam = std::abs(at(0) - at(frames - 1));
      EXPECT_TRUE(seam < 1200 && seam <= nearby) << name << " clicks at its loop point, channel " << channel << ": "
                                                 << seam << " against " << nearby;
    }
    // The two channels stay apart (not mono made stereo).
    size_t differing = 0;
    for (size_t i = 0; i < frames; ++i) differing += decoded[i * 2] != decoded[i * 2 + 1];
    EXPECT_GT(differing, frames / 2) << name;
    SDL_FreeWAV(bytes);
  }

  // A file cut in half still loads at its full length, the missing part silent.
  const std::string whole = harness::ReadFile("Data/Sounds/main.ogg");
  harness::WriteFile("Data/Sounds/cut.ogg", whole.substr(0, whole.size() / 2));
  const Mix_Chunk* cut = GameState.SoundTable.At(SoundAdd("Sounds/cut.wav"));
  const Mix_Chunk* first = GameState.SoundTable.At(0);
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->alen, first->alen);
  const Sint16* tail = reinterpret_cast<const Sint16*>(cut->abuf) + cut->alen / 2 - 4096;
  EXPECT_TRUE(std::all_of(tail, tail + 4096, [](Sint16 s) { return s == 0; }));
  GameState.SoundTable.Clear(Mix_FreeChunk);
  AudioClose();
  SDL_Quit();

  // Garbage under the music's name ends start-up with the loader's message naming the file.
  harness::WriteFile("Data/Sounds/bad.ogg", "OggS but nothing after it");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        SDL_Init(SDL_INIT_AUDIO);
        AudioOpen();
        SoundAdd("Sounds/bad.wav");
      },
      ::testing::ExitedWithCode(1),
      "Could not load wav file \\./Data/Sounds/bad\\.ogg: it is unreadable\\. Reason: .*not an Ogg Vorbis stream");
}
