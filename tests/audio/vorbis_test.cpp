// The music as the browser stores it (Ogg Vorbis, made by the web staging from the desktop's WAV)
// and as the game decodes it: the desktop's channels, rate and length, sample for sample in line
// with the source at both ends (no encoder priming or padding), so the loop point has no gap.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/sound.h"
#include "platform/platform.h"
#include "support/harness.h"

class VorbisMusicTest : public GameTest {};

// The signal-to-noise ratio (dB) of the decoded samples, read `lag` frames later, over [from, to).
static double Snr(const Sint16* source, const Sint16* decoded, size_t from, size_t to, int channel, int lag) {
  double signal = 0, noise = 0;
  for (size_t i = from; i < to; ++i) {
    const double s = source[i * 2 + channel], d = decoded[(i + lag) * 2 + channel];
    signal += s * s;
    noise += (s - d) * (s - d);
  }
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

TEST_F(VorbisMusicTest, TheBrowsersMusicIsTheDesktopsStereoMusicAndLoopsWithoutAGap) {
  std::filesystem::remove("Data/Sounds");
  std::filesystem::create_directory("Data/Sounds");
  const std::string wavs = std::string(VELMORA_BUILD_DATA_DIR) + "/Sounds/";
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  AudioOpen();
  for (const std::string name : {"main", "loop"}) {
    ASSERT_EQ(std::system(("python3 -B " VELMORA_SOURCE_DIR "/tools/web/stage_data.py --music " + wavs + name +
                           ".wav Data/Sounds/" + name + ".ogg")
                              .c_str()),
              0);
    const harness::Wav wav = harness::LoadWav(wavs + name + ".wav");
    ASSERT_TRUE(wav.rate == 44100 && wav.channels == 2);
    // Only the Ogg file is there: the game decodes it in place of the WAV of the same name, in
    // its waits (the loop), or at once when it is played before it is whole (the menu's music).
    const SoundId id = SoundAdd(("Sounds/" + name + ".wav").c_str());
    ASSERT_EQ(GameState.SoundTable.At(id), nullptr) << name << " is decoded before the game waits";
    if (name == "main") PlayLoop(id);
    for (int waits = 0; waits < 1000 && GameState.SoundTable.At(id) == nullptr; ++waits) PlatformWait(10);
    const Mix_Chunk* chunk = GameState.SoundTable.At(id);
    ASSERT_TRUE(chunk != nullptr && chunk->alen == wav.samples.size() * 2)
        << name << " decodes to another length than the desktop's";
    const Sint16* source = wav.samples.data();
    const Sint16* decoded = reinterpret_cast<const Sint16*>(chunk->abuf);
    const std::vector<int16_t> decodedSamples(decoded, decoded + wav.samples.size());
    const size_t frames = wav.samples.size() / 2;
    for (int channel = 0; channel < 2; ++channel) {
      // At both ends the decoded samples match the source best where they stand, not shifted.
      for (size_t from : {size_t(64), frames - 4096}) {
        const double inPlace = Snr(source, decoded, from, from + 4032, channel, 0);
        for (int lag = -64; lag <= 64; ++lag) {
          EXPECT_TRUE(lag == 0 || Snr(source, decoded, from, from + 4032, channel, lag) < inPlace)
              << name << " is shifted";
        }
      }
      EXPECT_GT(Snr(source, decoded, 0, frames, channel, 0), 15) << name << ", channel " << channel;
      // The step across the loop point is no bigger than the steps around it.
      int nearby = 0;
      EXPECT_LE(harness::SeamStep(decodedSamples, channel, &nearby), nearby)
          << name << " clicks at its loop point, channel " << channel;
    }
  }
  GameState.SoundTable.Clear(Mix_FreeChunk);
  AudioClose();
  SDL_Quit();
  // Garbage under the music's name ends start-up with the loader's message naming the file.
  harness::WriteFile("Data/Sounds/bad.ogg", "OggS and nothing after it");
  EXPECT_EXIT((dup2(2, 1), SDL_Init(SDL_INIT_AUDIO), AudioOpen(), SoundAdd("Sounds/bad.wav")),
              ::testing::ExitedWithCode(1),
              "Could not load wav file \\./Data/Sounds/bad\\.ogg: it is unreadable\\. Reason: .*not an Ogg Vorbis");
}
