// Runs the real game from build/ (so ./Data resolves) with the frame sleep removed and prints, per
// phase of a frame, the median and 99th-percentile time, next to the cost of a bare present (a
// black fill and a swap) measured in the same run. A benchmark, not a test: nothing is asserted.
//   cd build && ./velmora-bench        (needs a display; headless: xvfb-run -a ./velmora-bench)
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/app.h"
#include "app/game_loop.h"
#include "app/game_state.h"
#include "input/events.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "world/random.h"

extern "C" void __wrap_SDL_Delay(Uint32) {}  // frames run back to back

namespace {

using Clock = std::chrono::steady_clock;

struct Series {
  const char* name;
  std::vector<double> micros;
  void Add(Clock::time_point a, Clock::time_point b) {
    micros.push_back(std::chrono::duration<double, std::micro>(b - a).count());
  }
  double Percentile(double p) const {
    if (micros.empty()) return 0.0;
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    const size_t index = std::min(sorted.size() - 1, static_cast<size_t>(p * (sorted.size() - 1) + 0.5));
    return sorted[index];
  }
};

void Report(const Series& s, double barePresent) {
  printf("%-14s frames %5zu   median %9.1f us   p99 %9.1f us   median/bare present %5.2f\n", s.name,
         s.micros.size(), s.Percentile(0.5), s.Percentile(0.99),
         barePresent > 0 ? s.Percentile(0.5) / barePresent : 0.0);
}

}  // namespace

int main(int, char**) {
  if (VideoInit() != 0) {
    printf("velmora-bench: no window: %s (run it under a display, e.g. xvfb-run -a)\n", SDL_GetError());
    return 1;
  }
  PDL_Init(0);
  RandomSeed();
  StartUp();

  Series events{"PumpEvents", {}}, update{"scene update", {}}, draw{"DrawViews", {}}, bare{"bare present", {}};
  const int frames = 1200;
  for (int frame = 0; frame < frames; ++frame) {
    const auto t0 = Clock::now();
    PumpEvents();
    const auto t1 = Clock::now();
    const bool drawn = AdvanceFrame();
    const auto t2 = Clock::now();
    events.Add(t0, t1);
    update.Add(t1, t2);
    if (drawn) {
      DrawViews();
      draw.Add(t2, Clock::now());
    }
    // The floor every frame pays: a black fill and a swap.
    const auto b0 = Clock::now();
    DrawFilledRect(0, 0, kScreenWidth, kScreenHeight, 0x000000);
    PresentFrame();
    bare.Add(b0, Clock::now());
  }
  const double barePresent = bare.Percentile(0.5);
  printf("velmora-bench: %d frames of loading and menu, no frame sleep\n", frames);
  Report(events, barePresent);
  Report(update, barePresent);
  Report(draw, barePresent);
  Report(bare, barePresent);
  Shutdown();
  return 0;
}
