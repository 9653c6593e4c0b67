#include "instruments.hpp"

namespace soundgen {
namespace {

// Filters whose cutoff moves are re-tuned every this many samples; tan() per sample is wasted work.
constexpr std::size_t kControlRate = 16;

// A 1.5 ms fade-in so no hit starts with a step.
inline double attackRamp(std::size_t i) { return std::min(1.0, static_cast<double>(i) / (0.0015 * kSampleRate)); }

}  // namespace

Mono kick(const KickTone& tone, Rng& rng) {
  Mono out(secondsToFrames(tone.decay * 7.0));
  const double sweepCoef = decayCoefficient(tone.sweepTau);
  const double ampCoef = decayCoefficient(tone.decay);
  const double clickCoef = decayCoefficient(0.004);
  double sweep = 1.0, amp = 1.0, clickEnv = 1.0, phase = 0.0;
  Svf clickFilter;
  clickFilter.set(1800.0, 0.7);
  const double norm = std::tanh(tone.drive);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double hz = tone.endHz + (tone.startHz - tone.endHz) * sweep;
    phase += hz / kSampleRate;
    const double body = std::sin(kTwoPi * phase) * amp;
    const double click = clickFilter.high(rng.bipolar()) * clickEnv * tone.click;
    out[i] = static_cast<float>(std::tanh(tone.drive * (body + click)) / norm * attackRamp(i));
    sweep *= sweepCoef;
    amp *= ampCoef;
    clickEnv *= clickCoef;
  }
  return out;
}

Mono snare(const SnareTone& tone, Rng& rng) {
  Mono out(secondsToFrames(std::max(tone.noiseDecay, tone.toneDecay) * 7.0));
  Svf lowCut, highCut;
  lowCut.set(tone.lowCut, 0.7);
  highCut.set(tone.highCut, 0.7);
  const double toneCoef = decayCoefficient(tone.toneDecay);
  const double noiseCoef = decayCoefficient(tone.noiseDecay);
  const double bendCoef = decayCoefficient(0.012);
  double toneEnv = tone.toneLevel, noiseEnv = 1.0, bend = 1.0, phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    phase += tone.toneHz * (1.0 + 0.6 * bend) / kSampleRate;
    const double body = std::sin(kTwoPi * phase) * toneEnv;
    const double noise = highCut.low(lowCut.high(rng.bipolar())) * noiseEnv;
    out[i] = static_cast<float>((body + noise) * attackRamp(i));
    toneEnv *= toneCoef;
    noiseEnv *= noiseCoef;
    bend *= bendCoef;
  }
  return out;
}

Mono clap(double centreHz, double decay, Rng& rng) {
  Mono out(secondsToFrames(0.03 + decay * 7.0));
  Svf filter;
  filter.set(centreHz, 1.6);
  const double burst = 0.0045;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double env;
    if (t < 0.03) {
      const double local = std::fmod(t, 0.01);
      env = std::exp(-local / burst) * (0.7 + 0.1 * std::floor(t / 0.01));
    } else {
      env = std::exp(-(t - 0.03) / decay);
    }
    out[i] = static_cast<float>(filter.band(rng.bipolar()) * 2.2 * env * attackRamp(i));
  }
  return out;
}

Mono hat(double decay, double brightness, Rng& rng) {
  static const double kRatios[6] = {1.0, 1.4471, 1.6170, 1.9265, 2.5028, 2.6637};
  const double base = 420.0 * brightness;
  Mono out(secondsToFrames(decay * 7.0));
  Pulse partials[6];
  for (int p = 0; p < 6; ++p) {
    partials[p] = Pulse(rng.uniform());
    partials[p].setFrequency(base * kRatios[p]);
  }
  Svf highPass, presence;
  highPass.set(7000.0, 0.8);
  presence.set(10500.0, 1.2);
  const double coef = decayCoefficient(decay);
  double env = 1.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    double metal = 0.0;
    for (Pulse& p : partials) metal += p.next();
    const double source = metal * 0.12 + rng.bipolar() * 0.6;
    const double hp = highPass.high(source);
    const double shaped = hp + 0.5 * presence.band(hp);
    out[i] = static_cast<float>(shaped * env * std::min(1.0, static_cast<double>(i) / (0.0005 * kSampleRate)));
    env *= coef;
  }
  return out;
}

Mono shaker(double decay, Rng& rng) {
  Mono out(secondsToFrames(0.01 + decay * 7.0));
  Svf filter;
  filter.set(5600.0, 1.1);
  const double attack = 0.009;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double env = t < attack ? t / attack : std::exp(-(t - attack) / decay);
    out[i] = static_cast<float>(filter.band(rng.bipolar()) * 1.6 * env);
  }
  return out;
}

Mono bell(double hz, double ring, double brightness) {
  struct Partial {
    double ratio, level, decay;
  };
  const Partial partials[] = {
      {1.0, 1.0, 1.0},
      {2.0, 0.45, 0.7},
      {2.76, 0.40 * brightness, 0.45},
      {4.07, 0.22 * brightness, 0.3},
      {5.43, 0.14 * brightness, 0.18},
      {8.9, 0.07 * brightness, 0.08},
  };
  Mono out(secondsToFrames(ring * 6.0));
  for (const Partial& p : partials) {
    const double f = hz * p.ratio;
    if (f > 12000.0) continue;  // above this the partials only add a piercing whistle
    const double coef = decayCoefficient(ring * p.decay);
    // A quadrature oscillator: rotating a phasor costs two multiplies per sample.
    const double w = kTwoPi * f / kSampleRate;
    const double c = std::cos(w), s = std::sin(w);
    double re = 0.0, im = p.level, env = 1.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
      out[i] += static_cast<float>(im * env * std::min(1.0, static_cast<double>(i) / (0.001 * kSampleRate)));
      const double nr = re * c - im * s;
      im = re * s + im * c;
      re = nr;
      env *= coef;
    }
  }
  return out;
}

StereoBuffer pad(double hz, double gate, const PadTone& tone, double startSeconds, double loopSeconds, Rng& rng) {
  Envelope env(tone.attack, 1.0, 0.85, tone.release, gate);
  StereoBuffer out(env.totalFrames(tone.release));
  Saw oscs[4] = {Saw(rng.uniform()), Saw(rng.uniform()), Saw(rng.uniform()), Saw(rng.uniform())};
  oscs[0].setFrequency(hz * centsToRatio(-tone.detuneCents));
  oscs[1].setFrequency(hz * centsToRatio(tone.detuneCents));
  oscs[2].setFrequency(hz * centsToRatio(-0.35 * tone.detuneCents));
  oscs[3].setFrequency(hz * 0.5 * centsToRatio(0.2 * tone.detuneCents));
  Svf filterL, filterR;
  for (std::size_t i = 0; i < out.frames(); ++i) {
    if (i % kControlRate == 0) {
      const double t = startSeconds + static_cast<double>(i) / kSampleRate;
      const double sweep = std::sin(kTwoPi * tone.lfoCycles * t / loopSeconds);
      const double cutoff = tone.cutoff * (1.0 + tone.lfoDepth * sweep);
      filterL.set(cutoff, tone.q);
      filterR.set(cutoff * 1.07, tone.q);
    }
    const double a = oscs[0].next(), b = oscs[1].next(), c = oscs[2].next(), sub = oscs[3].next();
    const double level = env.next() * 0.28;
    out.left[i] = static_cast<float>(filterL.low(a + 0.6 * c + 0.4 * sub) * level);
    out.right[i] = static_cast<float>(filterR.low(b + 0.6 * c + 0.4 * sub) * level);
  }
  return out;
}

Mono bass(double hz, double gate, const BassTone& tone, Rng& rng) {
  Envelope env(tone.attack, tone.decay, tone.sustain, tone.release, gate);
  Mono out(env.totalFrames(tone.release));
  Saw saw(rng.uniform());
  saw.setFrequency(hz);
  Sine sub(0.0);
  Svf filter;
  const double coef = decayCoefficient(tone.envDecay);
  double fenv = 1.0;
  const double norm = std::tanh(tone.drive);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i % kControlRate == 0) filter.set(tone.cutoff + tone.envCutoff * fenv, tone.q);
    const double src = tone.sawLevel * saw.next() + tone.subLevel * sub.next(hz);
    const double y = filter.low(src) * env.next();
    out[i] = static_cast<float>(std::tanh(tone.drive * y) / norm);
    fenv *= coef;
  }
  return out;
}

Mono pluck(double hz, double gate, const PluckTone& tone, Rng& rng) {
  Envelope env(0.002, tone.decay, 0.0, tone.release, gate);
  Mono out(env.totalFrames(tone.release));
  Saw saw(rng.uniform());
  Pulse pulse(rng.uniform(), 0.3);
  saw.setFrequency(hz * centsToRatio(-4.0));
  pulse.setFrequency(hz * centsToRatio(4.0));
  Svf filter;
  const double coef = decayCoefficient(tone.envDecay);
  double fenv = 1.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i % kControlRate == 0) filter.set(tone.cutoff + tone.envCutoff * fenv, tone.q);
    const double src = saw.next() + tone.pulseLevel * pulse.next();
    out[i] = static_cast<float>(filter.low(src) * env.next() * 0.6);
    fenv *= coef;
  }
  return out;
}

StereoBuffer lead(double hz, double gate, const LeadTone& tone, Rng& rng) {
  Envelope amp(tone.attack, tone.decay, tone.sustain, tone.release, gate);
  Envelope filt(tone.filterAttack, tone.filterDecay, 0.25, tone.release, gate);
  StereoBuffer out(amp.totalFrames(tone.release));
  Saw left(rng.uniform()), right(rng.uniform());
  Pulse centre(rng.uniform(), 0.42);
  Svf filterL, filterR;
  double vibPhase = 0.0;
  const double lRatio = centsToRatio(-tone.detuneCents), rRatio = centsToRatio(tone.detuneCents);
  double filterLevel = 0.0;
  for (std::size_t i = 0; i < out.frames(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    filterLevel = filt.next();
    if (i % kControlRate == 0) {
      const double depth = std::clamp((t - tone.vibratoDelay) / 0.3, 0.0, 1.0) * tone.vibratoCents;
      const double f = hz * centsToRatio(depth * std::sin(kTwoPi * vibPhase));
      left.setFrequency(f * lRatio);
      right.setFrequency(f * rRatio);
      centre.setFrequency(f);
      const double cutoff = tone.cutoff + tone.envCutoff * filterLevel;
      filterL.set(cutoff, tone.q);
      filterR.set(cutoff, tone.q);
    }
    vibPhase += tone.vibratoHz / kSampleRate;
    const double c = tone.pulseLevel * centre.next();
    const double level = amp.next() * 0.5;
    // Each side leans on its own detuned saw but shares some of the other: wide, yet centred.
    const double sl = left.next(), sr = right.next();
    out.left[i] = static_cast<float>(filterL.low(0.75 * sl + 0.35 * sr + c) * level);
    out.right[i] = static_cast<float>(filterR.low(0.35 * sl + 0.75 * sr + c) * level);
  }
  return out;
}

}  // namespace soundgen
