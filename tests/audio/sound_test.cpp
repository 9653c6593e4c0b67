// The six sounds: loaded at start-up in their id order, stored as the mixer plays them (16-bit
// stereo PCM at 44.1 kHz), of the right length, audible, and music that loops without a click.
// Long sounds already in the mixer's format play from their file in place; the rest are decoded,
// the browser's Ogg Vorbis music too, to the desktop's samples.
#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "platform/platform.h"
#include "support/harness.h"
#include "world/explosions.h"

namespace {

// Little-endian fields, each of its own width in bytes.
std::string Le(std::initializer_list<std::pair<uint32_t, int>> fields) {
  std::string out;
  for (auto [value, bytes] : fields) {
    for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i));
  }
  return out;
}

// A WAV image: a fmt chunk (PCM unless told otherwise), an optional chunk of odd length (padded),
// then the data chunk holding a counting pattern of that many bytes.
std::string Wav(uint32_t channels, uint32_t rate, uint32_t bits, uint32_t dataBytes, bool oddChunk = false,
                uint32_t coding = 1) {
  const uint32_t frame = channels * bits / 8;
  const std::string format =
      Le({{16, 4}, {coding, 2}, {channels, 2}, {rate, 4}, {rate * frame, 4}, {frame, 2}, {bits, 2}});
  std::string body =
      "WAVEfmt " + format + (oddChunk ? std::string("LIST\3\0\0\0abc\0", 12) : "") + "data" + Le({{dataBytes, 4}});
  for (uint32_t i = 0; i < dataBytes; ++i) body += char(i * 7 + i / 251);
  return "RIFF" + Le({{uint32_t(body.size()), 4}}) + body;
}

bool Mapped(const std::string& path) {
  return harness::ReadFile("/proc/self/maps").find(std::filesystem::absolute(path).string()) != std::string::npos;
}

// What SDL's disk audio driver has written so far, as 16-bit stereo frames, waiting (in real time:
// the driver writes at the pace of playback) until it holds at least `frames` of them.
std::vector<Sint16> Recorded(const std::string& path, size_t frames) {
  for (int wait = 0; wait < 600 && std::filesystem::file_size(path) < frames * 4; ++wait) usleep(50000);
  const std::string bytes = harness::ReadFile(path);
  const auto* samples = reinterpret_cast<const Sint16*>(bytes.data());
  return std::vector<Sint16>(samples, samples + bytes.size() / 2);
}

// The signal-to-noise ratio (dB) of the decoded samples, read `lag` frames later, over [from, to).
double Snr(const Sint16* source, const Sint16* decoded, size_t from, size_t to, int channel, int lag) {
  double signal = 0, noise = 0;
  for (size_t i = from; i < to; ++i) {
    const double s = source[i * 2 + channel], d = decoded[(i + lag) * 2 + channel];
    signal += s * s;
    noise += (s - d) * (s - d);
  }
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

}  // namespace

class SoundTest : public GameTest {};

TEST_F(SoundTest, LongSoundsInTheMixersFormatPlayFromTheirFileTheRestAreDecodedAndTheBrowsersMusicLoopsWithoutAGap) {
  std::filesystem::remove("Data/Sounds");
  std::filesystem::create_directory("Data/Sounds");
  const uint32_t musicBytes = 6 * 44100 * 4 + 2;  // six seconds and half a frame
  const std::string music = Wav(2, 44100, 16, musicBytes, true);
  harness::WriteFile("Data/Sounds/music.wav", music);
  harness::WriteFile("Data/Sounds/mono.wav", Wav(1, 44100, 16, musicBytes - 2));
  harness::WriteFile("Data/Sounds/effect.wav", Wav(2, 44100, 16, 4000));
  harness::WriteFile("Data/Sounds/locked.wav", music);
  chmod("Data/Sounds/locked.wav", 0);
  chmod(".", 0755);
  // A long file the player may not read is named as unreadable, as any other sound.
  EXPECT_EXIT(
      {
        dup2(2, 1);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        SDL_Init(SDL_INIT_AUDIO);
        AudioOpen();
        SoundAdd("Sounds/locked.wav");
      },
      ::testing::ExitedWithCode(1), "Could not load wav file \\./Data/Sounds/locked\\.wav: it is unreadable\\. ");

  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  AudioOpen();
  const Mix_Chunk* played = GameState.SoundTable.At(SoundAdd("Sounds/music.wav"));
  const Mix_Chunk* mono = GameState.SoundTable.At(SoundAdd("Sounds/mono.wav"));
  const Mix_Chunk* effect = GameState.SoundTable.At(SoundAdd("Sounds/effect.wav"));
  // Whole frames of the file's own samples, past the padded odd chunk.
  EXPECT_TRUE(played->allocated == 0 && played->alen == musicBytes - 2 && Mapped("Data/Sounds/music.wav"));
  EXPECT_EQ(memcmp(played->abuf, music.data() + music.size() - musicBytes, musicBytes - 2), 0);
  EXPECT_TRUE(mono->allocated == 1 && mono->alen == 2 * (musicBytes - 2) && !Mapped("Data/Sounds/mono.wav"));
  EXPECT_TRUE(effect->allocated == 1 && effect->alen == 4000 && !Mapped("Data/Sounds/effect.wav"));
  PlayLoop(0);
  // Only a whole WAV in the mixer's format is played in place.
  const auto find = [](const std::string& wav, size_t& offset, uint32_t& length) {
    return WavSamplesInMixerFormat(reinterpret_cast<const Uint8*>(wav.data()), wav.size(), offset, length);
  };
  size_t offset = 0;
  uint32_t length = 0;
  EXPECT_TRUE(find(Wav(2, 44100, 16, 4003), offset, length) && offset == 44 && length == 4000);
  EXPECT_TRUE(find(Wav(2, 44100, 16, 400, true), offset, length) && offset == 56 && length == 400);
  std::string dataFirst = Wav(2, 44100, 16, 400);
  std::rotate(dataFirst.begin() + 12, dataFirst.begin() + 36, dataFirst.end() - 400);
  const std::pair<const char*, std::string> refused[] = {
      {"mono", Wav(1, 44100, 16, 400)},
      {"22 kHz", Wav(2, 22050, 16, 400)},
      {"8-bit", Wav(2, 44100, 8, 400)},
      {"float", Wav(2, 44100, 16, 400, false, 3)},
      {"no samples", Wav(2, 44100, 16, 3)},
      {"samples cut short", Wav(2, 44100, 16, 400).substr(0, 400)},
      {"data before its format", dataFirst},
      {"not RIFF", "RIFX" + Wav(2, 44100, 16, 400).substr(4)},
      {"a header only", Wav(2, 44100, 16, 400).substr(0, 11)},
  };
  for (const auto& [what, wav] : refused) EXPECT_FALSE(find(wav, offset, length)) << what;

  // The music as the browser stores it (Ogg Vorbis, made by the web staging from the desktop's
  // WAV) and as the game decodes it: the desktop's channels, rate and length, sample for sample in
  // line with the source at both ends (no encoder priming or padding), so the loop point has no gap.
  const std::string wavs = std::string(VELMORA_BUILD_DATA_DIR) + "/Sounds/";
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
  EXPECT_FALSE(Mapped("Data/Sounds/music.wav")) << "left mapped after the audio closed";
  SDL_Quit();
  // Garbage under the music's name ends start-up with the loader's message naming the file.
  harness::WriteFile("Data/Sounds/bad.ogg", "OggS and nothing after it");
  EXPECT_EXIT((dup2(2, 1), SDL_Init(SDL_INIT_AUDIO), AudioOpen(), SoundAdd("Sounds/bad.wav")),
              ::testing::ExitedWithCode(1),
              "Could not load wav file \\./Data/Sounds/bad\\.ogg: it is unreadable\\. Reason: .*not an Ogg Vorbis");
}

// Ten explosions over the round's music, as the mixer's output device receives them: never a
// sample at full scale, the explosions as loud as ever, and the music as loud as its file. Then
// every sound the game loaded: its id, its file's format and length, audible, and seamless music.
TEST_F(SoundTest, TenExplosionsOverTheMusicNeverClipTheMusicKeepsItsLevelAndEverySoundHasItsIdFormatAndLength) {
  const std::string device = std::filesystem::current_path().string() + "/mix.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", device.c_str(), 1);
  harness::StartFreePlay();
  const size_t roundStart = std::filesystem::file_size(device) / 4;
  harness::StopSpawns();
  std::vector<Sint16> mix = Recorded(device, roundStart + 44100);
  const size_t explosionsFrom = mix.size() / 2;
  for (int i = 0; i < 10; ++i) {
    SpawnExplosion(100 + 80 * i, 300);  // two a frame, frames a real 30 ms apart
    if (i % 2 == 1) {
      harness::QuietFrame();
      usleep(30000);
    }
  }
  mix = Recorded(device, explosionsFrom + 2 * 44100);
  int peak = 0;
  for (size_t i = roundStart * 2; i < mix.size(); ++i) peak = std::max(peak, std::abs(int(mix[i])));
  EXPECT_LT(peak, 32767) << "a sample at full scale";
  EXPECT_GT(peak, 26000) << "the explosions are still loud (above -2 dBFS)";

  // The round's music alone, matched against its file near where it started: the gain between them.
  const std::vector<int16_t> loop = harness::LoadWav("./Data/Sounds/loop.wav").samples;
  const size_t from = roundStart + 22050, stretch = 2048;  // frames, half a second into the round
  ASSERT_LT(from + stretch, explosionsFrom);
  ASSERT_GT(loop.size() / 2, from - roundStart + 8192 + stretch);
  double best = -1.0, gain = 0.0;
  for (size_t at = from - roundStart - 8192; at < from - roundStart + 8192; ++at) {  // the loop's frame at `from`
    double cross = 0.0, energy = 0.0, heard = 0.0;
    for (size_t i = 0; i < stretch * 2; ++i) {
      const double file = loop[at * 2 + i], got = mix[from * 2 + i];
      cross += file * got;
      energy += file * file;
      heard += got * got;
    }
    const double match = energy > 0 && heard > 0 ? cross / std::sqrt(energy * heard) : 0.0;
    if (match > best) best = match, gain = cross / energy;
  }
  EXPECT_GT(best, 0.99) << "the recording holds the music";
  EXPECT_NEAR(20 * std::log10(gain), 0.0, 1.0) << "dB against the music's own file";

  // The six sounds as loaded, in their id order, against their files.
  const struct {
    const char* name;
    double minSeconds, maxSeconds;
  } sounds[] = {
      {"explosion", 0.8, 1.3}, {"loop", 20, 40},          {"main", 20, 40},
      {"laser", 0.05, 0.25},   {"buttonTap", 0.01, 0.08}, {"calabrium", 0.1, 0.5},
  };
  ASSERT_EQ(GameState.SoundTable.count, 6);
  for (int id = 0; id < 6; ++id) {
    const std::string name = sounds[id].name;
    const harness::Wav wav = harness::LoadWav("./Data/Sounds/" + name + ".wav");
    ASSERT_FALSE(wav.samples.empty()) << name;
    EXPECT_TRUE(wav.rate == 44100 && wav.format == AUDIO_S16LSB && wav.channels == 2) << name;
    EXPECT_EQ(GameState.SoundTable.entries[id]->alen, wav.samples.size() * 2) << name << " is not sound " << id;
    const double seconds = wav.samples.size() / 2 / 44100.0;
    EXPECT_TRUE(seconds >= sounds[id].minSeconds && seconds <= sounds[id].maxSeconds) << name << ": " << seconds;
    int peak = 0;
    for (int16_t sample : wav.samples) peak = std::max(peak, std::abs(int(sample)));
    EXPECT_TRUE(peak > 1600 && peak < 32767) << name << " peaks at " << peak;
    // The music restarts at its first sample right after its last: the jump across that seam is
    // small and no larger than the steps the music takes around it.
    for (int channel = 0; (name == "loop" || name == "main") && channel < 2; ++channel) {
      int nearby = 0;
      const int seam = harness::SeamStep(wav.samples, channel, &nearby);
      EXPECT_TRUE(seam < 1200 && seam <= nearby) << name << " clicks at its seam, channel " << channel;
    }
  }
}
