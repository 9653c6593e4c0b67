#include "song.hpp"

namespace soundgen {

Song::Song(double bpm, int bars, std::uint64_t seed)
    : bpm_(bpm),
      bars_(bars),
      frames_(secondsToFrames(60.0 / bpm * 4.0 * bars)),
      rng_(seed),
      dry_(frames_),
      pumped_(frames_),
      reverbSend_(frames_),
      delaySend_(frames_) {}

std::size_t Song::frameAt(double beat) const {
  // Wrapped into the loop, so a hit placed a touch early on the first beat lands at the end.
  const long long n = static_cast<long long>(frames_);
  const long long frame = std::llround(secondsAt(beat) * kSampleRate);
  return static_cast<std::size_t>(((frame % n) + n) % n);
}

void Song::mixInto(StereoBuffer& bus, std::size_t start, const float* left, const float* right, std::size_t count,
                   float gainL, float gainR) {
  std::size_t index = start % frames_;
  for (std::size_t i = 0; i < count; ++i) {
    bus.left[index] += left[i] * gainL;
    bus.right[index] += right[i] * gainR;
    if (++index == frames_) index = 0;
  }
}

void Song::place(double beat, const Mono& voice, double pan, double gain, Sends sends) {
  const std::size_t start = frameAt(beat);
  const PanGains g = panGains(pan, gain);
  const float* data = voice.data();
  mixInto(sends.pumped ? pumped_ : dry_, start, data, data, voice.size(), g.left, g.right);
  if (sends.reverb > 0.0) {
    mixInto(reverbSend_, start, data, data, voice.size(), g.left * static_cast<float>(sends.reverb),
            g.right * static_cast<float>(sends.reverb));
  }
  if (sends.delay > 0.0) {
    mixInto(delaySend_, start, data, data, voice.size(), g.left * static_cast<float>(sends.delay),
            g.right * static_cast<float>(sends.delay));
  }
}

void Song::place(double beat, const StereoBuffer& voice, double gain, Sends sends) {
  const std::size_t start = frameAt(beat);
  const float g = static_cast<float>(gain);
  const float* l = voice.left.data();
  const float* r = voice.right.data();
  mixInto(sends.pumped ? pumped_ : dry_, start, l, r, voice.frames(), g, g);
  if (sends.reverb > 0.0) {
    const float s = g * static_cast<float>(sends.reverb);
    mixInto(reverbSend_, start, l, r, voice.frames(), s, s);
  }
  if (sends.delay > 0.0) {
    const float s = g * static_cast<float>(sends.delay);
    mixInto(delaySend_, start, l, r, voice.frames(), s, s);
  }
}

void Song::addBed(const StereoBuffer& bed) {
  mixInto(dry_, 0, bed.left.data(), bed.right.data(), std::min(bed.frames(), frames_), 1.0f, 1.0f);
}

StereoBuffer Song::mixdown(const MixSettings& settings) const {
  StereoBuffer out(frames_);
  PingPongDelay delay(secondsAt(settings.delayBeats), settings.delayFeedback, settings.delayTone);
  Reverb reverb(settings.reverbRoom, settings.reverbDamp, 1.0);
  DelayLine preLeft(secondsToFrames(settings.predelay)), preRight(secondsToFrames(settings.predelay));
  DcBlocker dcLeft, dcRight;
  // The duck is the same on every beat: tabulate one beat of it.
  const double duckAttack = 0.006;
  std::vector<float> duckTable(secondsToFrames(beatSeconds()) + 2, 1.0f);
  for (std::size_t i = 0; i < duckTable.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double shape = t < duckAttack ? 0.5 - 0.5 * std::cos(kPi * t / duckAttack)
                                        : std::exp(-(t - duckAttack) / settings.pumpRelease);
    duckTable[i] = static_cast<float>(1.0 - settings.pumpDepth * shape);
  }
  const double beatFrames = beatSeconds() * kSampleRate;
  // Two passes: the first only fills the delay and reverb with the loop's own end, so the kept
  // second pass starts with the tails that will be ringing when it wraps around.
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < frames_; ++i) {
      const double inBeat = std::fmod(static_cast<double>(i), beatFrames);
      const float duck = duckTable[static_cast<std::size_t>(inBeat)];
      float echoL, echoR;
      delay.process(delaySend_.left[i], delaySend_.right[i], echoL, echoR);
      const float ret = static_cast<float>(settings.delayReturn);
      preLeft.write(reverbSend_.left[i] + 0.3f * ret * echoL);
      preRight.write(reverbSend_.right[i] + 0.3f * ret * echoR);
      float roomL, roomR;
      reverb.process(preLeft.read(), preRight.read(), roomL, roomR);
      const float room = static_cast<float>(settings.reverbReturn);
      const double l = dry_.left[i] + duck * pumped_.left[i] + ret * echoL + room * roomL;
      const double r = dry_.right[i] + duck * pumped_.right[i] + ret * echoR + room * roomR;
      const double cleanL = dcLeft.process(l), cleanR = dcRight.process(r);
      if (pass == 1) {
        out.left[i] = static_cast<float>(cleanL);
        out.right[i] = static_cast<float>(cleanR);
      }
    }
  }
  return out;
}

StereoBuffer spaceWind(std::size_t frames, double centreHz, double cycles, std::uint64_t seed) {
  Rng rng(seed);
  StereoBuffer noise(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    noise.left[i] = static_cast<float>(rng.bipolar());
    noise.right[i] = static_cast<float>(rng.bipolar());
  }
  StereoBuffer out(frames);
  Svf left, right;
  // The noise repeats every loop and the sweep completes whole cycles, so running the filters
  // twice round and keeping the second lap leaves no seam.
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < frames; ++i) {
      if (i % 32 == 0) {
        const double x = static_cast<double>(i) / static_cast<double>(frames);
        const double sweepL = std::sin(kTwoPi * cycles * x);
        const double sweepR = std::sin(kTwoPi * cycles * x + 1.9);
        left.set(centreHz * std::pow(2.0, 1.3 * sweepL), 3.0);
        right.set(centreHz * std::pow(2.0, 1.3 * sweepR), 3.0);
      }
      const double l = left.band(noise.left[i]);
      const double r = right.band(noise.right[i]);
      if (pass == 1) {
        out.left[i] = static_cast<float>(l);
        out.right[i] = static_cast<float>(r);
      }
    }
  }
  return out;
}

}  // namespace soundgen
