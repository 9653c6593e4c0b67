// The one-shot effects: explosion, laser zap, button tap and the ore pickup chime.
#include <vector>

#include "instruments.hpp"
#include "sounds.hpp"

namespace soundgen {
namespace {

// Fades the first and last few milliseconds so an effect never starts or stops with a step.
void fadeEdges(StereoBuffer& buffer, double fadeInSeconds, double fadeOutSeconds) {
  const std::size_t n = buffer.frames();
  const std::size_t in = std::min(n, secondsToFrames(fadeInSeconds));
  const std::size_t out = std::min(n, secondsToFrames(fadeOutSeconds));
  for (std::size_t i = 0; i < in; ++i) {
    const float g = static_cast<float>(i) / static_cast<float>(in);
    buffer.left[i] *= g;
    buffer.right[i] *= g;
  }
  for (std::size_t i = 0; i < out; ++i) {
    // Raised cosine down to exactly zero on the last sample.
    const double x = static_cast<double>(i + 1) / static_cast<double>(out);
    const float g = static_cast<float>(0.5 + 0.5 * std::cos(kPi * x));
    buffer.left[n - out + i] *= g;
    buffer.right[n - out + i] *= g;
  }
}

void removeDc(StereoBuffer& buffer) {
  DcBlocker l, r;
  for (std::size_t i = 0; i < buffer.frames(); ++i) {
    buffer.left[i] = static_cast<float>(l.process(buffer.left[i]));
    buffer.right[i] = static_cast<float>(r.process(buffer.right[i]));
  }
}

void finishEffect(StereoBuffer& buffer, double fadeOut, double peakDb) {
  removeDc(buffer);
  fadeEdges(buffer, 0.001, fadeOut);
  normalize(buffer, peakDb);
}

}  // namespace

StereoBuffer makeExplosion() {
  Rng rng(0x5EED0E1Du);
  const double length = 1.1;
  StereoBuffer out(secondsToFrames(length));
  const std::size_t n = out.frames();

  // Blast and rumble: independent noise per side under one falling low-pass, so the burst is wide.
  Svf blastL, blastR, rumbleL1, rumbleL2, rumbleR1, rumbleR2;
  rumbleL1.set(110.0, 0.8);
  rumbleL2.set(110.0, 0.8);
  rumbleR1.set(100.0, 0.8);
  rumbleR2.set(100.0, 0.8);
  double subPhase = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    if (i % 16 == 0) {
      const double cutoff = 140.0 + 7500.0 * std::exp(-t / 0.09) + 900.0 * std::exp(-t / 0.35);
      blastL.set(cutoff, 0.9);
      blastR.set(cutoff * 0.93, 0.9);
    }
    const double attack = std::min(1.0, t / 0.003);
    const double blastEnv = attack * (0.7 * std::exp(-t / 0.16) + 0.3 * std::exp(-t / 0.6));
    const double rumbleEnv = std::min(1.0, t / 0.02) * std::exp(-t / 0.55);
    const double subHz = 30.0 + 62.0 * std::exp(-t / 0.07);
    subPhase += subHz / kSampleRate;
    const double sub = std::sin(kTwoPi * subPhase) * std::min(1.0, t / 0.004) * std::exp(-t / 0.2);
    const double left =
        blastL.low(rng.bipolar()) * blastEnv + rumbleL2.low(rumbleL1.low(rng.bipolar())) * 5.5 * rumbleEnv;
    const double right =
        blastR.low(rng.bipolar()) * blastEnv + rumbleR2.low(rumbleR1.low(rng.bipolar())) * 5.5 * rumbleEnv;
    out.left[i] = static_cast<float>(left + 0.9 * sub);
    out.right[i] = static_cast<float>(right + 0.9 * sub);
  }

  // Crackle: sparse sparks of band-passed noise, thinning out over the tail.
  double t = 0.04;
  while (t < length - 0.1) {
    const double rate = 140.0 * std::exp(-t / 0.3) + 12.0;
    t += -std::log(1.0 - rng.uniform()) / rate;
    const std::size_t start = secondsToFrames(t);
    if (start >= n) break;
    Svf spark;
    spark.set(1200.0 + 3800.0 * rng.uniform(), 2.0);
    const double amp = (0.25 + 0.75 * rng.uniform()) * 0.5 * std::exp(-t / 0.45);
    const PanGains pan = panGains(rng.bipolar() * 0.8, amp);
    const double tau = 0.0008 + 0.0025 * rng.uniform();
    const double coef = decayCoefficient(tau);
    double env = 1.0;
    const std::size_t end = std::min(n, start + secondsToFrames(tau * 8.0));
    for (std::size_t i = start; i < end; ++i) {
      const double rise = std::min(1.0, static_cast<double>(i - start) / (0.0002 * kSampleRate));
      const double v = spark.band(rng.bipolar()) * env * rise * 3.0;
      out.left[i] += static_cast<float>(v * pan.left);
      out.right[i] += static_cast<float>(v * pan.right);
      env *= coef;
    }
  }

  // A little saturation glues the layers and lifts the body.
  for (std::size_t i = 0; i < n; ++i) {
    out.left[i] = static_cast<float>(std::tanh(1.6 * out.left[i]));
    out.right[i] = static_cast<float>(std::tanh(1.6 * out.right[i]));
  }
  finishEffect(out, 0.12, kExplosionPeakDb);
  return out;
}

StereoBuffer makeLaser() {
  Rng rng(0x1A5E4u);
  StereoBuffer out(secondsToFrames(0.2));
  Saw sawL(0.0), sawR(0.5);
  Pulse pulseL(0.25, 0.25), pulseR(0.75, 0.25);
  Svf filterL, filterR, snapFilter;
  snapFilter.set(3500.0, 0.7);
  for (std::size_t i = 0; i < out.frames(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double hz = 170.0 + 2600.0 * std::exp(-t / 0.035);
    if (i % 8 == 0) {
      sawL.setFrequency(hz * 1.006);
      sawR.setFrequency(hz * 0.994);
      pulseL.setFrequency(hz * 0.5 * 1.003);
      pulseR.setFrequency(hz * 0.5 * 0.997);
      // The filter rides above the pitch with a high Q: the ringing edge of the zap.
      const double cutoff = std::min(hz * 2.6, 15000.0);
      filterL.set(cutoff, 4.5);
      filterR.set(cutoff * 1.03, 4.5);
    }
    const double env = std::min(1.0, t / 0.0015) * (0.7 * std::exp(-t / 0.05) + 0.3 * std::exp(-t / 0.11));
    const double snap = snapFilter.high(rng.bipolar()) * std::exp(-t / 0.004) * 0.5;
    const double l = filterL.low(sawL.next() + 0.6 * pulseL.next()) * env + snap;
    const double r = filterR.low(sawR.next() + 0.6 * pulseR.next()) * env + snap;
    out.left[i] = static_cast<float>(std::tanh(1.4 * l));
    out.right[i] = static_cast<float>(std::tanh(1.4 * r));
  }
  finishEffect(out, 0.03, kLaserPeakDb);
  return out;
}

StereoBuffer makeButtonTap() {
  Rng rng(0x7A9u);
  StereoBuffer out(secondsToFrames(0.05));
  Svf clickFilter;
  clickFilter.set(4500.0, 0.8);
  Sine high(0.0), low(0.0);
  for (std::size_t i = 0; i < out.frames(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double attack = std::min(1.0, t / 0.0004);
    const double tick = high.next(2350.0 - 300.0 * std::min(1.0, t / 0.01)) * std::exp(-t / 0.006);
    const double body = low.next(980.0) * std::exp(-t / 0.011) * 0.55;
    const double click = clickFilter.high(rng.bipolar()) * std::exp(-t / 0.0015) * 0.6;
    const double v = (tick + body + click) * attack;
    out.left[i] = static_cast<float>(v);
    out.right[i] = static_cast<float>(v);
  }
  finishEffect(out, 0.008, kButtonTapPeakDb);
  return out;
}

StereoBuffer makeCalabrium() {
  StereoBuffer out(secondsToFrames(0.45));
  // A rising E-major arpeggio of small bells; each strike a little brighter than the last.
  struct Strike {
    double time, note, pan, level;
  };
  const Strike strikes[] = {{0.0, 88.0, -0.35, 0.8}, {0.055, 92.0, 0.05, 0.9}, {0.11, 95.0, 0.35, 1.0}};
  for (const Strike& s : strikes) {
    const Mono tone = bell(midiToHz(s.note), 0.11, 0.9);
    const PanGains pan = panGains(s.pan, s.level);
    const std::size_t start = secondsToFrames(s.time);
    for (std::size_t i = 0; i < tone.size() && start + i < out.frames(); ++i) {
      out.left[start + i] += tone[i] * pan.left;
      out.right[start + i] += tone[i] * pan.right;
    }
  }
  // A short cross-fed echo gives the chime some air without a long tail.
  const std::size_t echo = secondsToFrames(0.027);
  for (std::size_t i = out.frames(); i-- > echo;) {
    out.left[i] += 0.3f * out.right[i - echo];
    out.right[i] += 0.3f * out.left[i - echo];
  }
  finishEffect(out, 0.08, kCalabriumPeakDb);
  return out;
}

}  // namespace soundgen
