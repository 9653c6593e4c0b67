// A looping arrangement: voices are mixed onto circular buses (a note that rings past the end of
// the loop continues at its start), then delay and reverb run over the loop twice and only the
// second pass is kept, so their tails wrap around too and the end flows into the beginning.
#pragma once

#include <cstdint>
#include <vector>

#include "dsp.hpp"
#include "instruments.hpp"

namespace soundgen {

struct NoteEvent {
  double beat;    // from the start of the loop
  double length;  // in beats
  int note;       // MIDI note number
  double velocity;
};

struct MixSettings {
  double delayBeats = 0.75;
  double delayFeedback = 0.4;
  double delayTone = 3500.0;
  double delayReturn = 0.5;
  double reverbRoom = 0.85;
  double reverbDamp = 0.45;
  double reverbReturn = 1.0;
  double predelay = 0.02;
  double pumpDepth = 0.0;    // how far the pumped bus ducks on every beat
  double pumpRelease = 0.12;
};

class Song {
public:
  Song(double bpm, int bars, std::uint64_t seed);

  double beatSeconds() const { return 60.0 / bpm_; }
  double loopSeconds() const { return beatSeconds() * 4.0 * bars_; }
  double secondsAt(double beat) const { return beat * beatSeconds(); }
  int bars() const { return bars_; }
  Rng& rng() { return rng_; }

  struct Sends {
    double reverb = 0.0;
    double delay = 0.0;
    bool pumped = false;  // ducks under the kick
  };
  void place(double beat, const Mono& voice, double pan, double gain, Sends sends);
  void place(double beat, const StereoBuffer& voice, double gain, Sends sends);
  // Adds an already looping bed (exactly one loop long) straight to the dry bus.
  void addBed(const StereoBuffer& bed);

  StereoBuffer mixdown(const MixSettings& settings) const;

private:
  std::size_t frameAt(double beat) const;
  void mixInto(StereoBuffer& bus, std::size_t start, const float* left, const float* right, std::size_t count,
               float gainL, float gainR);

  double bpm_;
  int bars_;
  std::size_t frames_;
  Rng rng_;
  StereoBuffer dry_, pumped_, reverbSend_, delaySend_;
};

// A slowly sweeping band of noise, one loop long and seamless: interstellar wind under the music.
StereoBuffer spaceWind(std::size_t frames, double centreHz, double cycles, std::uint64_t seed);

}  // namespace soundgen
