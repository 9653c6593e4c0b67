// The two themes. The menu theme is calm and wide (D minor, 96 BPM, half-time drums, a slow
// heroic melody over pads and a delayed arpeggio); the in-game theme drives (A minor, 128 BPM,
// four-on-the-floor, a pumping sixteenth-note bass and a syncopated lead).
#include <array>
#include <initializer_list>
#include <map>
#include <vector>

#include "song.hpp"
#include "sounds.hpp"

namespace soundgen {
namespace {

struct Chord {
  double beat;
  double length;
  int bass;              // MIDI root for the bass line
  int third;             // 3 for minor, 4 for major
  std::vector<int> pad;  // voicing for the pads and arpeggios
};

// --- Chord voicings -------------------------------------------------------------------------
const std::vector<int> kDm = {57, 62, 65, 69};
const std::vector<int> kBb = {58, 62, 65, 70};
const std::vector<int> kF = {57, 60, 65, 69};
const std::vector<int> kC = {55, 60, 64, 67};
const std::vector<int> kGm = {55, 62, 67, 70};
const std::vector<int> kA = {57, 61, 64, 69};
const std::vector<int> kAsus = {57, 62, 64, 69};
const std::vector<int> kAm = {57, 60, 64, 69};
const std::vector<int> kG = {55, 59, 62, 67};
const std::vector<int> kE = {56, 59, 64, 68};

std::vector<Chord> barChords(const std::vector<Chord>& perBar) {
  std::vector<Chord> chords;
  for (std::size_t bar = 0; bar < perBar.size(); ++bar) {
    Chord c = perBar[bar];
    c.beat += 4.0 * static_cast<double>(bar);
    chords.push_back(c);
  }
  return chords;
}

// Appends a bar of melody given as (beat in bar, length, note) triples.
void melodyBar(std::vector<NoteEvent>& melody, int bar, std::initializer_list<std::array<double, 3>> notes,
               double velocity) {
  for (const auto& n : notes) {
    melody.push_back({4.0 * bar + n[0], n[1], static_cast<int>(n[2]), velocity});
  }
}

// --- Arrangement helpers ----------------------------------------------------------------------
double jitter(Rng& rng, double beats) { return rng.bipolar() * beats; }

// A few takes of one drum, played in turn like a sampler's round robin: the hits vary a little
// without rendering every one afresh.
class RoundRobin {
 public:
  template <typename Make>
  RoundRobin(int takes, Make make) {
    for (int i = 0; i < takes; ++i) takes_.push_back(make());
  }
  const Mono& next() {
    const Mono& take = takes_[index_];
    index_ = (index_ + 1) % takes_.size();
    return take;
  }

 private:
  std::vector<Mono> takes_;
  std::size_t index_ = 0;
};

// Renders each distinct bass note once; repeated notes reuse it.
class BassCache {
 public:
  BassCache(const BassTone& tone, Rng& rng) : tone_(tone), rng_(rng) {}
  const Mono& get(int note, double gate) {
    const auto key = std::make_pair(note, static_cast<long>(std::lround(gate * 1000.0)));
    auto found = voices_.find(key);
    if (found == voices_.end()) found = voices_.emplace(key, bass(midiToHz(note), gate, tone_, rng_)).first;
    return found->second;
  }

 private:
  BassTone tone_;
  Rng& rng_;
  std::map<std::pair<int, long>, Mono> voices_;
};

}  // namespace

StereoBuffer makeMenuTheme() {
  Song song(96.0, 12, 0x4D454E55u);
  Rng& rng = song.rng();

  // Dm Bb F C | Dm Bb Gm A | Bb C Dm Asus-A
  const std::vector<Chord> chords = {
      {0, 4, 38, 3, kDm},  {4, 4, 34, 4, kBb},    {8, 4, 41, 4, kF},  {12, 4, 36, 4, kC},  {16, 4, 38, 3, kDm},
      {20, 4, 34, 4, kBb}, {24, 4, 43, 3, kGm},   {28, 4, 33, 4, kA}, {32, 4, 34, 4, kBb}, {36, 4, 36, 4, kC},
      {40, 4, 38, 3, kDm}, {44, 2, 33, 4, kAsus}, {46, 2, 33, 4, kA},
  };

  // Pads: long detuned saws breathing under a slow filter sweep.
  PadTone padTone;
  padTone.attack = 0.7;
  padTone.release = 0.7;
  padTone.cutoff = 1300.0;
  padTone.lfoCycles = 3.0;
  for (const Chord& c : chords) {
    for (int note : c.pad) {
      const StereoBuffer v =
          pad(midiToHz(note), song.secondsAt(c.length), padTone, song.secondsAt(c.beat), song.loopSeconds(), rng);
      song.place(c.beat, v, 0.16, {0.45, 0.0, false});
    }
  }

  // Bass: a gentle dotted pulse on the root, lifting to the octave and fifth.
  BassTone bassTone;
  bassTone.cutoff = 200.0;
  bassTone.envCutoff = 600.0;
  bassTone.envDecay = 0.12;
  bassTone.sawLevel = 0.45;
  bassTone.subLevel = 0.85;
  bassTone.release = 0.12;
  BassCache bassVoices(bassTone, rng);
  for (const Chord& c : chords) {
    const double steps[][3] = {{0.0, 1.4, 0}, {1.5, 0.9, 0}, {2.5, 0.4, 12}, {3.0, 0.9, 7}};
    for (const auto& s : steps) {
      if (s[0] >= c.length) continue;
      const Mono& v = bassVoices.get(c.bass + static_cast<int>(s[2]), song.secondsAt(s[1]));
      song.place(c.beat + s[0], v, 0.0, s[0] == 0.0 ? 0.42 : 0.34, {0.05, 0.0, false});
    }
  }

  // Arpeggio: eighth-note plucks an octave up, bouncing across the stereo field into the delay.
  PluckTone pluckTone;
  pluckTone.cutoff = 500.0;
  pluckTone.envCutoff = 2600.0;
  pluckTone.envDecay = 0.11;
  pluckTone.decay = 0.3;
  const int arpOrder[8] = {0, 1, 2, 3, 2, 1, 3, 1};
  for (const Chord& c : chords) {
    for (int step = 0; step < static_cast<int>(c.length * 2.0); ++step) {
      const int note = c.pad[arpOrder[(step + static_cast<int>(c.beat * 2.0)) % 8]] + 12;
      const double accent = step % 2 == 0 ? 1.0 : 0.7;
      const Mono v = pluck(midiToHz(note), song.secondsAt(0.4), pluckTone, rng);
      song.place(c.beat + 0.5 * step, v, step % 2 == 0 ? -0.35 : 0.35, 0.28 * accent, {0.35, 0.5, false});
    }
  }

  // Melody: a slow call that climbs, answered higher, then a turn home through the dominant.
  std::vector<NoteEvent> melody;
  melodyBar(melody, 0, {{0, 1.5, 74}, {1.5, 0.5, 69}, {2, 1, 74}, {3, 1, 76}}, 0.8);
  melodyBar(melody, 1, {{0, 3, 77}, {3, 0.5, 76}, {3.5, 0.5, 74}}, 0.8);
  melodyBar(melody, 2, {{0, 1.5, 72}, {1.5, 0.5, 69}, {2, 1, 72}, {3, 1, 77}}, 0.8);
  melodyBar(melody, 3, {{0, 2, 76}, {2, 1, 72}, {3, 1, 67}}, 0.8);
  melodyBar(melody, 4, {{0, 1, 69}, {1, 1, 74}, {2, 1.5, 77}, {3.5, 0.5, 76}}, 0.95);
  melodyBar(melody, 5, {{0, 1, 74}, {1, 1, 77}, {2, 2, 82}}, 0.95);
  melodyBar(melody, 6, {{0, 1.5, 81}, {1.5, 0.5, 79}, {2, 1, 77}, {3, 1, 74}}, 0.95);
  melodyBar(melody, 7, {{0, 3, 76}, {3, 1, 73}}, 0.95);
  melodyBar(melody, 8, {{0, 1.5, 74}, {1.5, 0.5, 77}, {2, 1, 79}, {3, 1, 77}}, 1.0);
  melodyBar(melody, 9, {{0, 1.5, 76}, {1.5, 0.5, 72}, {2, 1, 76}, {3, 1, 79}}, 1.0);
  melodyBar(melody, 10, {{0, 3, 81}, {3, 0.5, 77}, {3.5, 0.5, 76}}, 1.0);
  melodyBar(melody, 11, {{0, 2, 76}, {2, 1, 73}, {3, 1, 69}}, 0.9);
  LeadTone leadTone;
  leadTone.attack = 0.045;
  leadTone.decay = 0.6;
  leadTone.sustain = 0.7;
  leadTone.release = 0.35;
  leadTone.cutoff = 850.0;
  leadTone.envCutoff = 1900.0;
  leadTone.filterAttack = 0.07;
  leadTone.filterDecay = 0.5;
  leadTone.pulseLevel = 0.4;
  leadTone.vibratoCents = 14.0;
  for (const NoteEvent& n : melody) {
    const StereoBuffer v = lead(midiToHz(n.note), song.secondsAt(n.length) * 0.95, leadTone, rng);
    song.place(n.beat, v, 0.75 * n.velocity, {0.4, 0.28, false});
  }

  // Sparkles: a distant bell on the fifth of every other chord.
  for (int bar = 0; bar < 12; bar += 2) {
    const Chord& c = chords[static_cast<std::size_t>(bar)];
    const Mono v = bell(midiToHz(c.pad[2] + 24), 0.5, 0.5);
    song.place(4.0 * bar + 0.5, v, bar % 4 == 0 ? 0.5 : -0.5, 0.05, {0.9, 0.6, false});
  }

  // Drums: soft kick on one and the and of three, a roomy clap on three from the second phrase,
  // shaker eighths throughout and a little fill into the top of the loop.
  KickTone kickTone;
  kickTone.startHz = 115.0;
  kickTone.endHz = 44.0;
  kickTone.decay = 0.2;
  kickTone.click = 0.08;
  kickTone.drive = 1.2;
  RoundRobin kicks(2, [&] { return kick(kickTone, rng); });
  RoundRobin claps(2, [&] { return clap(1150.0, 0.14, rng); });
  RoundRobin shakers(4, [&] { return shaker(0.045, rng); });
  RoundRobin hats(3, [&] { return hat(0.05, 1.0, rng); });
  for (int bar = 0; bar < 12; ++bar) {
    song.place(4.0 * bar, kicks.next(), 0.0, 0.6, {0.0, 0.0, false});
    song.place(4.0 * bar + 2.5, kicks.next(), 0.0, 0.4, {0.0, 0.0, false});
    if (bar >= 4) song.place(4.0 * bar + 2.0, claps.next(), 0.1, 0.3, {0.7, 0.0, false});
    for (int e = 0; e < 8; ++e) {
      const double level = (e % 2 == 1 ? 0.16 : 0.09) * (bar >= 4 ? 1.0 : 0.75);
      song.place(4.0 * bar + 0.5 * e + jitter(rng, 0.01), shakers.next(), 0.3, level, {0.15, 0.0, false});
      if (bar >= 4 && e % 2 == 1) song.place(4.0 * bar + 0.5 * e, hats.next(), -0.3, 0.05, {0.2, 0.0, false});
    }
  }
  SnareTone fillTone;
  fillTone.noiseDecay = 0.09;
  fillTone.toneLevel = 0.35;
  for (int i = 0; i < 4; ++i) {
    song.place(44.0 + 3.0 + 0.25 * i, snare(fillTone, rng), -0.15, 0.09 + 0.04 * i, {0.5, 0.0, false});
  }

  // Interstellar wind under everything.
  StereoBuffer wind = spaceWind(secondsToFrames(song.loopSeconds()), 700.0, 2.0, 0x57494E44u);
  for (std::size_t i = 0; i < wind.frames(); ++i) {
    wind.left[i] *= 0.03f;
    wind.right[i] *= 0.03f;
  }
  song.addBed(wind);

  MixSettings mix;
  mix.delayBeats = 0.75;
  mix.delayFeedback = 0.45;
  mix.delayTone = 3000.0;
  mix.delayReturn = 0.9;
  mix.reverbRoom = 0.9;
  mix.reverbDamp = 0.5;
  mix.reverbReturn = 1.3;
  mix.predelay = 0.03;
  StereoBuffer out = song.mixdown(mix);
  normalize(out, kMusicPeakDb);
  return out;
}

StereoBuffer makeGameTheme() {
  Song song(128.0, 16, 0x47414D45u);
  Rng& rng = song.rng();

  // Am F C G | Am F G E | Dm F Am G | F G E E
  const std::vector<Chord> chords = barChords({
      {0, 4, 45, 3, kAm},
      {0, 4, 41, 4, kF},
      {0, 4, 36, 4, kC},
      {0, 4, 43, 4, kG},
      {0, 4, 45, 3, kAm},
      {0, 4, 41, 4, kF},
      {0, 4, 43, 4, kG},
      {0, 4, 40, 4, kE},
      {0, 4, 38, 3, kDm},
      {0, 4, 41, 4, kF},
      {0, 4, 45, 3, kAm},
      {0, 4, 43, 4, kG},
      {0, 4, 41, 4, kF},
      {0, 4, 43, 4, kG},
      {0, 4, 40, 4, kE},
      {0, 4, 40, 4, kE},
  });

  // Pads, pumping under the kick.
  PadTone padTone;
  padTone.attack = 0.25;
  padTone.release = 0.25;
  padTone.cutoff = 1800.0;
  padTone.lfoCycles = 4.0;
  padTone.lfoDepth = 0.4;
  for (const Chord& c : chords) {
    for (int note : c.pad) {
      const StereoBuffer v = pad(midiToHz(note), song.secondsAt(c.length) * 0.97, padTone, song.secondsAt(c.beat),
                                 song.loopSeconds(), rng);
      song.place(c.beat, v, 0.12, {0.3, 0.0, true});
    }
  }

  // Sixteenth-note bass arpeggio: root, octave, fifth, octave, ... with the third near the end.
  BassTone bassTone;
  bassTone.cutoff = 260.0;
  bassTone.envCutoff = 2000.0;
  bassTone.envDecay = 0.05;
  bassTone.q = 1.6;
  bassTone.sawLevel = 0.85;
  bassTone.subLevel = 0.55;
  bassTone.decay = 0.1;
  bassTone.sustain = 0.6;
  bassTone.release = 0.03;
  bassTone.drive = 1.8;
  BassCache bassVoices(bassTone, rng);
  for (const Chord& c : chords) {
    const int offsets[8] = {0, 12, 7, 12, 0, 12, c.third + 12, 12};
    for (int step = 0; step < 16; ++step) {
      const double accent = step % 4 == 0 ? 1.0 : (step % 2 == 0 ? 0.8 : 0.65);
      const Mono& v = bassVoices.get(c.bass + offsets[step % 8], song.secondsAt(0.25) * 0.7);
      song.place(c.beat + 0.25 * step, v, 0.0, 0.55 * accent, {0.0, 0.0, true});
    }
  }

  // Lead melody: a syncopated hook, then a higher answer and a run back down to the top.
  std::vector<NoteEvent> melody;
  const double a = 0.9, b = 1.0;
  melodyBar(melody, 0,
            {{0, .5, 69}, {.5, .5, 72}, {1, .75, 76}, {1.75, .75, 74}, {2.5, .5, 72}, {3, .5, 74}, {3.5, .5, 76}}, a);
  melodyBar(melody, 1, {{0, 1.5, 77}, {1.5, .5, 76}, {2, 1, 72}, {3, 1, 69}}, a);
  melodyBar(melody, 2,
            {{0, .5, 67}, {.5, .5, 72}, {1, .75, 76}, {1.75, .75, 74}, {2.5, .5, 72}, {3, .5, 76}, {3.5, .5, 79}}, a);
  melodyBar(melody, 3, {{0, 2, 74}, {2, 1, 71}, {3, .5, 67}, {3.5, .5, 71}}, a);
  melodyBar(melody, 4,
            {{0, .5, 69}, {.5, .5, 72}, {1, .75, 76}, {1.75, .75, 74}, {2.5, .5, 72}, {3, .5, 74}, {3.5, .5, 76}}, a);
  melodyBar(melody, 5, {{0, .75, 77}, {.75, .75, 79}, {1.5, 1.5, 81}, {3, .5, 79}, {3.5, .5, 77}}, a);
  melodyBar(melody, 6, {{0, 1, 79}, {1, .5, 74}, {1.5, .5, 71}, {2, 1, 74}, {3, 1, 79}}, a);
  melodyBar(melody, 7, {{0, 2, 80}, {2, 1, 76}, {3, 1, 71}}, a);
  melodyBar(melody, 8, {{0, .75, 81}, {.75, .75, 77}, {1.5, .5, 74}, {2, .5, 77}, {2.5, 1, 81}, {3.5, .5, 79}}, b);
  melodyBar(melody, 9, {{0, .75, 81}, {.75, .75, 84}, {1.5, .5, 81}, {2, 1, 77}, {3, .5, 72}, {3.5, .5, 77}}, b);
  melodyBar(melody, 10, {{0, .75, 76}, {.75, .75, 81}, {1.5, .5, 76}, {2, 1, 72}, {3, .5, 76}, {3.5, .5, 81}}, b);
  melodyBar(melody, 11, {{0, 1.5, 83}, {1.5, .5, 81}, {2, 1, 79}, {3, 1, 74}}, b);
  melodyBar(melody, 12, {{0, .5, 72}, {.5, .5, 77}, {1, 1, 81}, {2, .5, 79}, {2.5, .5, 77}, {3, 1, 76}}, b);
  melodyBar(melody, 13, {{0, .5, 74}, {.5, .5, 79}, {1, 1, 83}, {2, .5, 81}, {2.5, .5, 79}, {3, 1, 74}}, b);
  melodyBar(melody, 14, {{0, 1.5, 76}, {1.5, .5, 80}, {2, 2, 83}}, b);
  melodyBar(melody, 15, {{0, 1, 80}, {1, .5, 76}, {1.5, .5, 74}, {2, .5, 72}, {2.5, .5, 71}, {3, 1, 68}}, b);
  LeadTone leadTone;
  leadTone.attack = 0.008;
  leadTone.decay = 0.3;
  leadTone.sustain = 0.6;
  leadTone.release = 0.12;
  leadTone.cutoff = 1300.0;
  leadTone.envCutoff = 3600.0;
  leadTone.filterAttack = 0.01;
  leadTone.filterDecay = 0.18;
  leadTone.q = 1.3;
  leadTone.pulseLevel = 0.5;
  leadTone.vibratoCents = 10.0;
  leadTone.vibratoHz = 5.8;
  leadTone.vibratoDelay = 0.2;
  for (const NoteEvent& n : melody) {
    const StereoBuffer v = lead(midiToHz(n.note), song.secondsAt(n.length) * 0.9, leadTone, rng);
    song.place(n.beat, v, 0.55 * n.velocity, {0.22, 0.3, false});
  }

  // Second half: glassy plucks on the off-beats, echoing across.
  PluckTone pluckTone;
  pluckTone.cutoff = 900.0;
  pluckTone.envCutoff = 4500.0;
  pluckTone.envDecay = 0.05;
  pluckTone.decay = 0.18;
  for (std::size_t bar = 8; bar < chords.size(); ++bar) {
    const Chord& c = chords[bar];
    for (int step = 0; step < 8; ++step) {
      const int note = c.pad[(step * 3 + 1) % 4] + 12;
      const Mono v = pluck(midiToHz(note), song.secondsAt(0.25), pluckTone, rng);
      song.place(c.beat + 0.5 * step + 0.25, v, step % 2 == 0 ? 0.45 : -0.45, 0.08, {0.3, 0.45, false});
    }
  }

  // Drums: four on the floor, snare and clap on two and four, sixteenth hats with open hats on the
  // off-beats in the second half, crashes at the top of each half and a snare roll into the loop.
  KickTone kickTone;
  kickTone.startHz = 170.0;
  kickTone.endHz = 50.0;
  kickTone.sweepTau = 0.03;
  kickTone.decay = 0.13;
  kickTone.click = 0.3;
  kickTone.drive = 2.0;
  SnareTone snareTone;
  snareTone.toneHz = 200.0;
  snareTone.noiseDecay = 0.12;
  RoundRobin kicks(2, [&] { return kick(kickTone, rng); });
  RoundRobin snares(3, [&] { return snare(snareTone, rng); });
  RoundRobin claps(2, [&] { return clap(1300.0, 0.09, rng); });
  RoundRobin closedHats(4, [&] { return hat(0.03, 1.05, rng); });
  RoundRobin openHats(2, [&] { return hat(0.16, 1.0, rng); });
  const int bars = song.bars();
  for (int bar = 0; bar < bars; ++bar) {
    const double top = 4.0 * bar;
    for (int beat = 0; beat < 4; ++beat) {
      song.place(top + beat, kicks.next(), 0.0, 0.7, {0.0, 0.0, false});
      if (beat % 2 == 1) {
        song.place(top + beat, snares.next(), 0.05, 0.32, {0.3, 0.0, false});
        song.place(top + beat, claps.next(), -0.05, 0.22, {0.35, 0.0, false});
      }
    }
    for (int s = 0; s < 16; ++s) {
      const bool offbeat = s % 4 == 2;
      if (bar >= 8 && offbeat) {
        song.place(top + 0.25 * s, openHats.next(), 0.3, 0.11, {0.15, 0.0, false});
        continue;
      }
      const double levels[4] = {0.07, 0.045, 0.1, 0.05};
      song.place(top + 0.25 * s + jitter(rng, 0.006), closedHats.next(), 0.25, levels[s % 4], {0.05, 0.0, false});
    }
  }
  for (int crashBar : {0, 8}) {
    song.place(4.0 * crashBar, hat(0.9, 0.85, rng), -0.2, 0.14, {0.4, 0.0, false});
  }
  for (int i = 0; i < 8; ++i) {
    const double beat = 4.0 * (bars - 1) + 2.0 + 0.25 * i;
    song.place(beat, snares.next(), 0.0, 0.1 + 0.03 * i, {0.3, 0.0, false});
  }

  StereoBuffer wind = spaceWind(secondsToFrames(song.loopSeconds()), 1100.0, 4.0, 0x5354524Du);
  for (std::size_t i = 0; i < wind.frames(); ++i) {
    wind.left[i] *= 0.02f;
    wind.right[i] *= 0.02f;
  }
  song.addBed(wind);

  MixSettings mix;
  mix.delayBeats = 0.75;
  mix.delayFeedback = 0.35;
  mix.delayTone = 3500.0;
  mix.delayReturn = 0.75;
  mix.reverbRoom = 0.75;
  mix.reverbDamp = 0.5;
  mix.reverbReturn = 2.2;
  mix.predelay = 0.015;
  mix.pumpDepth = 0.45;
  mix.pumpRelease = 0.11;
  StereoBuffer out = song.mixdown(mix);
  normalize(out, kMusicPeakDb);
  return out;
}

}  // namespace soundgen
