// The voices shared by the effects and the two themes. Each renders one hit or note, starting at
// its note-on, until its tail has died away.
#pragma once

#include <vector>

#include "dsp.hpp"

namespace soundgen {

using Mono = std::vector<float>;

struct KickTone {
  double startHz = 150.0;  // pitch at the hit, falling to endHz
  double endHz = 48.0;
  double sweepTau = 0.035;
  double decay = 0.28;
  double click = 0.25;
  double drive = 1.6;
};
Mono kick(const KickTone& tone, Rng& rng);

struct SnareTone {
  double toneHz = 190.0;
  double toneDecay = 0.06;
  double toneLevel = 0.5;
  double noiseDecay = 0.14;
  double lowCut = 1200.0;
  double highCut = 8000.0;
};
Mono snare(const SnareTone& tone, Rng& rng);

// Hand clap: a few quick bursts, then a band-passed tail.
Mono clap(double centreHz, double decay, Rng& rng);

// Metallic hat from inharmonic square partials and noise; `decay` sets closed or open.
Mono hat(double decay, double brightness, Rng& rng);

// Soft shaker: band-passed noise with a gentle attack.
Mono shaker(double decay, Rng& rng);

// Struck bell: inharmonic partials, the higher ones dying first.
Mono bell(double hz, double ring, double brightness);

struct PadTone {
  double attack = 0.6;
  double release = 1.2;
  double cutoff = 1400.0;
  double q = 0.8;
  double detuneCents = 9.0;
  double lfoDepth = 0.35;     // relative cutoff swing
  double lfoCycles = 2.0;     // whole LFO cycles per loop, so the sweep repeats seamlessly
};
// `startSeconds` and `loopSeconds` place the note on the song's timeline for the filter sweep.
StereoBuffer pad(double hz, double gate, const PadTone& tone, double startSeconds, double loopSeconds, Rng& rng);

struct BassTone {
  double cutoff = 280.0;
  double envCutoff = 900.0;
  double envDecay = 0.08;
  double q = 1.1;
  double subLevel = 0.7;
  double sawLevel = 0.6;
  double attack = 0.004;
  double decay = 0.25;
  double sustain = 0.7;
  double release = 0.06;
  double drive = 1.3;
};
Mono bass(double hz, double gate, const BassTone& tone, Rng& rng);

struct PluckTone {
  double cutoff = 600.0;
  double envCutoff = 4000.0;
  double envDecay = 0.09;
  double q = 1.4;
  double decay = 0.35;
  double release = 0.12;
  double pulseLevel = 0.5;
};
Mono pluck(double hz, double gate, const PluckTone& tone, Rng& rng);

struct LeadTone {
  double attack = 0.02;
  double decay = 0.4;
  double sustain = 0.75;
  double release = 0.25;
  double cutoff = 1200.0;
  double envCutoff = 2400.0;  // extra cutoff at the filter envelope's peak
  double filterAttack = 0.03;
  double filterDecay = 0.25;
  double q = 1.0;
  double detuneCents = 7.0;
  double pulseLevel = 0.35;
  double vibratoCents = 18.0;
  double vibratoHz = 5.2;
  double vibratoDelay = 0.25;
};
StereoBuffer lead(double hz, double gate, const LeadTone& tone, Rng& rng);

}  // namespace soundgen
