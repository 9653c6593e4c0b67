// The generated sounds in the run tree: format the mixer takes without converting, lengths,
// headroom, effects louder than the music, music loops that wrap without a click, and a rough
// check that each sound has the character its name promises.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Wav {
  std::uint16_t format = 0;
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::uint16_t bits = 0;
  std::vector<std::int16_t> samples;  // interleaved
  std::size_t frames() const { return channels ? samples.size() / channels : 0; }
  double seconds() const { return rate ? static_cast<double>(frames()) / rate : 0.0; }
  std::int16_t at(std::size_t frame, int channel) const { return samples[frame * channels + channel]; }
};

std::uint32_t le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// Walks the RIFF chunks; returns an empty string on success or what was wrong.
std::string readWav(const std::string& path, Wav& wav) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "cannot open " + path;
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
      std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
    return path + " is not a RIFF/WAVE file";
  }
  bool haveFormat = false, haveData = false;
  std::size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const std::string id(bytes.begin() + static_cast<long>(pos), bytes.begin() + static_cast<long>(pos) + 4);
    const std::uint32_t size = le32(&bytes[pos + 4]);
    const std::size_t body = pos + 8;
    if (body + size > bytes.size()) return path + ": chunk '" + id + "' runs past the end of the file";
    if (id == "fmt " && size >= 16) {
      wav.format = le16(&bytes[body]);
      wav.channels = le16(&bytes[body + 2]);
      wav.rate = le32(&bytes[body + 4]);
      wav.bits = le16(&bytes[body + 14]);
      haveFormat = true;
    } else if (id == "data") {
      wav.samples.resize(size / 2);
      for (std::size_t i = 0; i < wav.samples.size(); ++i) {
        wav.samples[i] = static_cast<std::int16_t>(le16(&bytes[body + 2 * i]));
      }
      haveData = true;
    }
    pos = body + size + (size & 1);
  }
  if (!haveFormat) return path + " has no fmt chunk";
  if (!haveData) return path + " has no data chunk";
  return "";
}

double toDb(double linear) { return 20.0 * std::log10(std::max(linear, 1e-9)); }

int peakOf(const Wav& wav) {
  int peak = 0;
  for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

double peakDb(const Wav& wav) { return toDb(peakOf(wav) / 32768.0); }

struct SoundCase {
  const char* name;
  double minSeconds;
  double maxSeconds;  // exclusive for the effects that must stay under a length
  bool music;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const SoundCase& sound, std::ostream* out) { *out << sound.name; }

const SoundCase kEffects[] = {
    {"explosion.wav", 0.8, 1.3, false},
    {"laser.wav", 0.05, 0.25, false},
    {"buttonTap.wav", 0.01, 0.08, false},
    {"calabrium.wav", 0.1, 0.5, false},
};
const SoundCase kMusic[] = {
    {"main.wav", 20.0, 40.0, true},
    {"loop.wav", 20.0, 40.0, true},
};

std::string pathOf(const char* name) { return std::string("./Data/Sounds/") + name; }

class SoundAsset : public ::testing::TestWithParam<SoundCase> {
protected:
  void SetUp() override {
    const std::string error = readWav(pathOf(GetParam().name), wav_);
    ASSERT_EQ(error, "");
  }
  Wav wav_;
};

TEST_P(SoundAsset, IsSixteenBitPcmAtTheMixerRate) {
  EXPECT_EQ(wav_.format, 1) << "not integer PCM";
  EXPECT_EQ(wav_.bits, 16);
  EXPECT_EQ(wav_.rate, 44100u);
  EXPECT_EQ(wav_.channels, 2) << "stereo, so the mixer does not have to convert";
  EXPECT_EQ(wav_.samples.size() % wav_.channels, 0u) << "a partial frame at the end";
}

TEST_P(SoundAsset, LastsTheRightTime) {
  const SoundCase& sound = GetParam();
  EXPECT_GE(wav_.seconds(), sound.minSeconds);
  if (sound.music) {
    EXPECT_LE(wav_.seconds(), sound.maxSeconds);
  } else {
    EXPECT_LT(wav_.seconds(), sound.maxSeconds);
  }
}

TEST_P(SoundAsset, IsAudibleWithoutClippingOrOffset) {
  const int peak = peakOf(wav_);
  EXPECT_LT(peak, 32767) << "touches full scale";
  EXPECT_LT(peakDb(wav_), -0.5) << "no headroom left";
  EXPECT_GT(peakDb(wav_), -16.0) << "far too quiet";
  for (int channel = 0; channel < wav_.channels; ++channel) {
    double sum = 0.0;
    for (std::size_t f = 0; f < wav_.frames(); ++f) sum += wav_.at(f, channel);
    EXPECT_LT(std::fabs(sum / wav_.frames()), 0.005 * 32768) << "DC offset on channel " << channel;
  }
}

class EffectSound : public SoundAsset {};
class MusicLoop : public SoundAsset {};

// An effect is started over whatever is playing: it must fade in from and out to silence.
TEST_P(EffectSound, StartsAndEndsAtRest) {
  ASSERT_GT(wav_.frames(), 0u);
  for (int channel = 0; channel < wav_.channels; ++channel) {
    EXPECT_LT(std::abs(wav_.at(0, channel)), 330) << "starts with a step";
    EXPECT_LT(std::abs(wav_.at(wav_.frames() - 1, channel)), 330) << "stops with a step";
  }
}

// The loop restarts at the first sample right after the last: the jump across that seam must be
// small in itself and no larger than the steps the music takes around it.
TEST_P(MusicLoop, WrapsWithoutAClick) {
  const std::size_t n = wav_.frames();
  const std::size_t window = 441;  // 10 ms each side of the seam
  ASSERT_GT(n, 2 * window);
  for (int channel = 0; channel < wav_.channels; ++channel) {
    const int seam = std::abs(wav_.at(0, channel) - wav_.at(n - 1, channel));
    int nearby = 0;
    for (std::size_t i = 1; i < window; ++i) {
      nearby = std::max(nearby, std::abs(wav_.at(i, channel) - wav_.at(i - 1, channel)));
      nearby = std::max(nearby, std::abs(wav_.at(n - i, channel) - wav_.at(n - i - 1, channel)));
    }
    EXPECT_LT(seam, 1200) << "channel " << channel;
    EXPECT_LE(seam, nearby) << "channel " << channel << ": the seam stands out from the music around it";
  }
}

std::string soundName(const ::testing::TestParamInfo<SoundCase>& info) {
  const std::string name = info.param.name;
  return name.substr(0, name.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Effects, SoundAsset, ::testing::ValuesIn(kEffects), soundName);
INSTANTIATE_TEST_SUITE_P(Music, SoundAsset, ::testing::ValuesIn(kMusic), soundName);
INSTANTIATE_TEST_SUITE_P(Effects, EffectSound, ::testing::ValuesIn(kEffects), soundName);
INSTANTIATE_TEST_SUITE_P(Music, MusicLoop, ::testing::ValuesIn(kMusic), soundName);

// Effects are mixed over the looping music, so each must peak well above either theme.
TEST(SoundLevels, EffectsStandAboveTheMusic) {
  double loudestMusic = -200.0;
  for (const SoundCase& sound : kMusic) {
    Wav wav;
    ASSERT_EQ(readWav(pathOf(sound.name), wav), "");
    loudestMusic = std::max(loudestMusic, peakDb(wav));
  }
  for (const SoundCase& sound : kEffects) {
    Wav wav;
    ASSERT_EQ(readWav(pathOf(sound.name), wav), "");
    EXPECT_GE(peakDb(wav) - loudestMusic, 5.0) << sound.name << " would drown in the music";
  }
}

// What each effect has to sound like, measured crudely but robustly on the left channel.
namespace character {

Wav load(const char* name) {
  Wav wav;
  EXPECT_EQ(readWav(pathOf(name), wav), "");
  return wav;
}

// RMS of one channel over [from, to) seconds, in dB below full scale.
double rmsDb(const Wav& wav, double from, double to, int channel = 0) {
  const std::size_t a = static_cast<std::size_t>(from * wav.rate);
  const std::size_t b = std::min(wav.frames(), static_cast<std::size_t>(to * wav.rate));
  if (b <= a) return -200.0;
  double sum = 0.0;
  for (std::size_t f = a; f < b; ++f) sum += static_cast<double>(wav.at(f, channel)) * wav.at(f, channel);
  return toDb(std::sqrt(sum / static_cast<double>(b - a)) / 32768.0);
}

// Sign changes per second over [from, to): a rough pitch for a tone, brightness for noise.
double crossingsPerSecond(const Wav& wav, double from, double to) {
  const std::size_t a = static_cast<std::size_t>(from * wav.rate);
  const std::size_t b = std::min(wav.frames(), static_cast<std::size_t>(to * wav.rate));
  int crossings = 0;
  for (std::size_t f = a + 1; f < b; ++f) {
    if ((wav.at(f - 1, 0) < 0) != (wav.at(f, 0) < 0)) ++crossings;
  }
  return crossings / (to - from);
}

// Share of the signal's energy below about `hz`, through a one-pole low-pass.
double lowShare(const Wav& wav, double hz) {
  const double a = 1.0 - std::exp(-2.0 * 3.14159265358979 * hz / wav.rate);
  double z = 0.0, low = 0.0, all = 0.0;
  for (std::size_t f = 0; f < wav.frames(); ++f) {
    const double x = wav.at(f, 0);
    z += a * (x - z);
    low += z * z;
    all += x * x;
  }
  return all > 0.0 ? low / all : 0.0;
}

TEST(EffectCharacter, ExplosionBlastsThenRumblesAway) {
  const Wav wav = load("explosion.wav");
  EXPECT_GT(lowShare(wav, 150.0), 0.2) << "no low rumble";
  EXPECT_GT(rmsDb(wav, 0.0, 0.1), rmsDb(wav, 0.4, 0.5) + 6.0) << "the blast does not stand out";
  EXPECT_GT(rmsDb(wav, 0.4, 0.5), rmsDb(wav, 0.9, 1.0) + 3.0) << "the tail does not die away";
  EXPECT_GT(rmsDb(wav, 0.6, 0.8), -50.0) << "the rumble is gone too soon";
}

TEST(EffectCharacter, LaserSweepsDownwards) {
  const Wav wav = load("laser.wav");
  const double start = crossingsPerSecond(wav, 0.0, 0.03);
  const double end = crossingsPerSecond(wav, 0.1, 0.18);
  EXPECT_GT(start, 3.0 * end) << "the pitch should fall fast: " << start << " then " << end;
  EXPECT_GT(rmsDb(wav, 0.0, 0.03), rmsDb(wav, 0.15, 0.2)) << "a zap fades, it does not swell";
}

TEST(EffectCharacter, ButtonTapIsOverAtOnce) {
  const Wav wav = load("buttonTap.wav");
  EXPECT_GT(rmsDb(wav, 0.0, 0.01), rmsDb(wav, 0.03, wav.seconds()) + 15.0) << "a click, not a tone";
  EXPECT_GT(crossingsPerSecond(wav, 0.0, 0.01), 1500.0) << "too dull to read as a click";
}

TEST(EffectCharacter, CalabriumChimeIsBrightAndRings) {
  const Wav wav = load("calabrium.wav");
  EXPECT_GT(crossingsPerSecond(wav, 0.0, 0.3), 2000.0) << "a pickup chime should be high and bright";
  EXPECT_LT(lowShare(wav, 300.0), 0.1) << "a chime has no bass";
  EXPECT_GT(rmsDb(wav, 0.2, 0.3), rmsDb(wav, 0.0, 0.1) - 20.0) << "the bells should ring on, not click";
}

// A dropout anywhere in a theme would be heard on every pass of the loop.
TEST(MusicCharacter, NeverFallsSilent) {
  for (const SoundCase& sound : kMusic) {
    const Wav wav = load(sound.name);
    for (double t = 0.0; t + 0.5 <= wav.seconds(); t += 0.5) {
      EXPECT_GT(rmsDb(wav, t, t + 0.5), -40.0) << sound.name << " goes quiet at " << t << " s";
    }
  }
}

// The in-game theme drives harder than the menu theme: more hits per second up top.
TEST(MusicCharacter, GameThemeIsBusierThanTheMenuTheme) {
  const auto onsetsPerSecond = [](const Wav& wav) {
    // Count rises of the 5 ms high-frequency envelope by more than 6 dB.
    const std::size_t hop = wav.rate / 200;
    double previous = -200.0, prevHigh = 0.0;
    int onsets = 0;
    for (std::size_t start = hop; start + hop < wav.frames(); start += hop) {
      double sum = 0.0;
      for (std::size_t f = start; f < start + hop; ++f) {
        const double high = wav.at(f, 0) - prevHigh;  // first difference: a crude high-pass
        prevHigh = wav.at(f, 0);
        sum += high * high;
      }
      const double level = toDb(std::sqrt(sum / hop) / 32768.0);
      if (level > previous + 6.0) ++onsets;
      previous = level;
    }
    return onsets / wav.seconds();
  };
  const double menu = onsetsPerSecond(load("main.wav"));
  const double game = onsetsPerSecond(load("loop.wav"));
  EXPECT_GT(game, menu * 1.3) << "menu " << menu << "/s, game " << game << "/s";
}

}  // namespace character

}  // namespace
