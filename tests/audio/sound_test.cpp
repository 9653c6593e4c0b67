// The six sounds: loaded at start-up in their id order, stored as the mixer plays them (16-bit
// stereo PCM at 44.1 kHz), of the right length, audible, and music that loops without a click.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "support/harness.h"

class SoundTest : public GameTest {};

TEST_F(SoundTest, EverySoundLoadsInItsIdOrderWithItsFormatAndLength) {
  harness::Boot();
  harness::FinishLoading();
  const struct { const char* name; double minSeconds, maxSeconds; } sounds[] = {
      {"explosion", 0.8, 1.3}, {"loop", 20, 40}, {"main", 20, 40}, {"laser", 0.05, 0.25}, {"buttonTap", 0.01, 0.08},
      {"calabrium", 0.1, 0.5},
  };
  ASSERT_EQ(GameState.SoundTable.count, 6);
  for (int id = 0; id < 6; ++id) {
    const std::string name = sounds[id].name;
    SDL_AudioSpec format;
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV(("./Data/Sounds/" + name + ".wav").c_str(), &format, &bytes, &length), nullptr) << name;
    EXPECT_TRUE(format.freq == 44100 && format.format == AUDIO_S16LSB && format.channels == 2) << name;
    EXPECT_EQ(GameState.SoundTable.entries[id]->alen, length) << name << " is not sound " << id;
    const Sint16* samples = reinterpret_cast<const Sint16*>(bytes);
    const size_t frames = length / 4;
    const double seconds = frames / 44100.0;
    EXPECT_TRUE(seconds >= sounds[id].minSeconds && seconds <= sounds[id].maxSeconds) << name << ": " << seconds;
    int peak = 0;
    for (size_t i = 0; i < frames * 2; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    EXPECT_TRUE(peak > 1600 && peak < 32767) << name << " peaks at " << peak;
    // The music restarts at its first sample right after its last: the jump across that seam is
    // small and no larger than the steps the music takes around it.
    const bool music = name == "loop" || name == "main";
    for (int channel = 0; music && channel < 2; ++channel) {
      const auto at = [&](size_t frame) { return int(samples[frame * 2 + channel]); };
      int nearby = 0;
      for (size_t i = 1; i < 441; ++i) {
        nearby = std::max({nearby, std::abs(at(i) - at(i - 1)), std::abs(at(frames - i) - at(frames - i - 1))});
      }
      const int seam = std::abs(at(0) - at(frames - 1));
      EXPECT_TRUE(seam < 1200 && seam <= nearby) << name << " clicks at its seam, channel " << channel;
    }
    SDL_FreeWAV(bytes);
  }
}
