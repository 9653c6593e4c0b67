// Small signal-processing kit for the sound generator: deterministic noise, band-limited
// oscillators, a state-variable filter, envelopes, a ping-pong delay and a plate-like reverb.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace soundgen {

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

inline double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }
inline double dbToGain(double db) { return std::pow(10.0, db / 20.0); }
inline double centsToRatio(double cents) { return std::pow(2.0, cents / 1200.0); }
inline std::size_t secondsToFrames(double seconds) {
  return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * kSampleRate));
}
// Per-sample multiplier that makes a value fall to 1/e after `tau` seconds.
inline double decayCoefficient(double tau) { return std::exp(-1.0 / (std::max(tau, 1e-5) * kSampleRate)); }

// Equal-power pan: -1 is hard left, +1 hard right.
struct PanGains {
  float left;
  float right;
};
inline PanGains panGains(double pan, double gain = 1.0) {
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
  return {static_cast<float>(gain * std::cos(angle) * std::sqrt(2.0)),
          static_cast<float>(gain * std::sin(angle) * std::sqrt(2.0))};
}

// splitmix64: the same stream on every compiler, unlike the standard distributions.
class Rng {
public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  double bipolar() { return uniform() * 2.0 - 1.0; }

private:
  std::uint64_t state_;
};

struct StereoBuffer {
  std::vector<float> left;
  std::vector<float> right;
  StereoBuffer() = default;
  explicit StereoBuffer(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
  std::size_t frames() const { return left.size(); }
};

// Softens the discontinuity of a naive sawtooth or pulse at its wrap point.
inline double polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

class Saw {
public:
  explicit Saw(double phase = 0.0) : phase_(phase) {}
  void setFrequency(double hz) { step_ = std::min(hz / kSampleRate, 0.45); }
  double next() {
    double v = 2.0 * phase_ - 1.0 - polyBlep(phase_, step_);
    phase_ += step_;
    if (phase_ >= 1.0) phase_ -= 1.0;
    return v;
  }

private:
  double phase_;
  double step_ = 0.0;
};

class Pulse {
public:
  explicit Pulse(double phase = 0.0, double width = 0.5) : phase_(phase), width_(width) {}
  void setFrequency(double hz) { step_ = std::min(hz / kSampleRate, 0.45); }
  double next() {
    double v = phase_ < width_ ? 1.0 : -1.0;
    v += polyBlep(phase_, step_);
    double shifted = phase_ - width_;
    if (shifted < 0.0) shifted += 1.0;
    v -= polyBlep(shifted, step_);
    v -= 2.0 * width_ - 1.0;  // centred on zero whatever the width
    phase_ += step_;
    if (phase_ >= 1.0) phase_ -= 1.0;
    return v;
  }

private:
  double phase_;
  double width_;
  double step_ = 0.0;
};

class Sine {
public:
  explicit Sine(double phase = 0.0) : phase_(phase) {}
  double next(double hz) {
    double v = std::sin(kTwoPi * phase_);
    phase_ += hz / kSampleRate;
    if (phase_ >= 1.0) phase_ -= std::floor(phase_);
    return v;
  }

private:
  double phase_;
};

// Trapezoidal state-variable filter: stays stable while its cutoff moves.
class Svf {
public:
  struct Output {
    double low;
    double band;
    double high;
  };
  void set(double cutoffHz, double q) {
    const double fc = std::clamp(cutoffHz, 10.0, kSampleRate * 0.47);
    const double g = std::tan(kPi * fc / kSampleRate);
    k_ = 1.0 / std::max(q, 0.05);
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
  }
  Output process(double x) {
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return {v2, v1, x - k_ * v1 - v2};
  }
  double low(double x) { return process(x).low; }
  double band(double x) { return process(x).band; }
  double high(double x) { return process(x).high; }

private:
  double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
  double ic1_ = 0.0, ic2_ = 0.0;
};

class OnePoleLowpass {
public:
  void set(double cutoffHz) { a_ = 1.0 - std::exp(-kTwoPi * cutoffHz / kSampleRate); }
  double process(double x) { return z_ += a_ * (x - z_); }

private:
  double a_ = 1.0;
  double z_ = 0.0;
};

// Removes any DC offset with a corner around 7 Hz.
class DcBlocker {
public:
  double process(double x) {
    const double y = x - x1_ + 0.999 * y1_;
    x1_ = x;
    y1_ = y;
    return y;
  }

private:
  double x1_ = 0.0, y1_ = 0.0;
};

// Linear attack, exponential decay towards the sustain level, exponential release once the
// gate closes. `next` returns the level for the current sample.
class Envelope {
public:
  Envelope(double attack, double decay, double sustain, double release, double gateSeconds)
      : attackStep_(1.0 / std::max(1.0, attack * kSampleRate)),
        decayCoef_(decayCoefficient(decay)),
        releaseCoef_(decayCoefficient(release)),
        sustain_(sustain),
        gateFrames_(secondsToFrames(gateSeconds)) {}
  double next() {
    if (frame_ >= gateFrames_) {
      level_ *= releaseCoef_;
    } else if (attacking_) {
      level_ += attackStep_;
      if (level_ >= 1.0) {
        level_ = 1.0;
        attacking_ = false;
      }
    } else {
      level_ = sustain_ + (level_ - sustain_) * decayCoef_;
    }
    ++frame_;
    return level_;
  }
  // Frames until the release has faded to about -60 dB.
  std::size_t totalFrames(double release) const {
    return gateFrames_ + secondsToFrames(release * 7.0);
  }

private:
  double attackStep_;
  double decayCoef_;
  double releaseCoef_;
  double sustain_;
  std::size_t gateFrames_;
  std::size_t frame_ = 0;
  double level_ = 0.0;
  bool attacking_ = true;
};

class DelayLine {
public:
  explicit DelayLine(std::size_t frames) : buffer_(std::max<std::size_t>(frames, 1), 0.0f) {}
  float read() const { return buffer_[index_]; }
  void write(float x) {
    buffer_[index_] = x;
    if (++index_ >= buffer_.size()) index_ = 0;
  }

private:
  std::vector<float> buffer_;
  std::size_t index_ = 0;
};

// Echoes that bounce between left and right; the loop darkens with every repeat.
class PingPongDelay {
public:
  PingPongDelay(double seconds, double feedback, double toneHz)
      : left_(secondsToFrames(seconds)), right_(secondsToFrames(seconds)), feedback_(feedback) {
    toneLeft_.set(toneHz);
    toneRight_.set(toneHz);
  }
  void process(float inLeft, float inRight, float& outLeft, float& outRight) {
    const float l = left_.read();
    const float r = right_.read();
    left_.write(static_cast<float>(0.5f * (inLeft + inRight) + feedback_ * toneRight_.process(r)));
    right_.write(static_cast<float>(feedback_ * toneLeft_.process(l)));
    outLeft = l;
    outRight = r;
  }

private:
  DelayLine left_;
  DelayLine right_;
  double feedback_;
  OnePoleLowpass toneLeft_;
  OnePoleLowpass toneRight_;
};

// A Schroeder-Moorer reverb: eight damped combs in parallel and four allpasses in series per
// side, the right side's lines a little longer for width.
class Reverb {
public:
  Reverb(double roomSize, double damping, double width) {
    static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int kAllpasses[4] = {556, 441, 341, 225};
    const int spread = 23;
    for (int side = 0; side < 2; ++side) {
      for (int c : kCombs) combs_[side].emplace_back(c + side * spread, 0.7 + 0.28 * roomSize, 0.4 * damping);
      for (int a : kAllpasses) allpasses_[side].emplace_back(a + side * spread);
    }
    wet1_ = static_cast<float>(0.5 * (1.0 + width));
    wet2_ = static_cast<float>(0.5 * (1.0 - width));
  }
  void process(float inLeft, float inRight, float& outLeft, float& outRight) {
    const float input = (inLeft + inRight) * 0.015f;
    float sides[2] = {0.0f, 0.0f};
    for (int side = 0; side < 2; ++side) {
      float acc = 0.0f;
      for (Comb& comb : combs_[side]) acc += comb.process(input);
      for (Allpass& ap : allpasses_[side]) acc = ap.process(acc);
      sides[side] = acc;
    }
    outLeft = sides[0] * wet1_ + sides[1] * wet2_;
    outRight = sides[1] * wet1_ + sides[0] * wet2_;
  }

private:
  struct Comb {
    Comb(int length, double feedback, double damp)
        : buffer(static_cast<std::size_t>(length), 0.0f),
          feedback(static_cast<float>(feedback)),
          damp(static_cast<float>(damp)) {}
    float process(float in) {
      const float out = buffer[index];
      store = out * (1.0f - damp) + store * damp;
      buffer[index] = in + store * feedback;
      if (++index >= buffer.size()) index = 0;
      return out;
    }
    std::vector<float> buffer;
    std::size_t index = 0;
    float store = 0.0f;
    float feedback;
    float damp;
  };
  struct Allpass {
    explicit Allpass(int length) : buffer(static_cast<std::size_t>(length), 0.0f) {}
    float process(float in) {
      const float delayed = buffer[index];
      buffer[index] = in + delayed * 0.5f;
      if (++index >= buffer.size()) index = 0;
      return delayed - in;
    }
    std::vector<float> buffer;
    std::size_t index = 0;
  };
  std::vector<Comb> combs_[2];
  std::vector<Allpass> allpasses_[2];
  float wet1_ = 1.0f;
  float wet2_ = 0.0f;
};

// Peak of both channels, in linear full-scale units.
inline double peakOf(const StereoBuffer& buffer) {
  double peak = 0.0;
  for (std::size_t i = 0; i < buffer.frames(); ++i) {
    peak = std::max({peak, std::fabs(static_cast<double>(buffer.left[i])),
                     std::fabs(static_cast<double>(buffer.right[i]))});
  }
  return peak;
}

// Scales the buffer so its loudest sample sits at `peakDb` below full scale.
inline void normalize(StereoBuffer& buffer, double peakDb) {
  const double peak = peakOf(buffer);
  if (peak <= 0.0) return;
  const float scale = static_cast<float>(dbToGain(peakDb) / peak);
  for (std::size_t i = 0; i < buffer.frames(); ++i) {
    buffer.left[i] *= scale;
    buffer.right[i] *= scale;
  }
}

}  // namespace soundgen
