// Runs the real game with scripted play and prints what a frame costs. Run it from build/ (where
// ./Data is) under a display; headless: `cd build && xvfb-run -a ./velmora-bench`. It plays in a
// scratch copy of the working directory, so the player's saves are never touched.
//
//   start-up      launch to the interactive main menu with the real delays, against the floor
//                 the delays set (41 frames of 33 ms plus 10 ms for every picture view made)
//   free play     a busy round, steering and firing, frame sleep removed
//   protect       a cargo-ship mission from the campaign, frame sleep removed
//   real time     frames with the real 33 ms delay: their pace, and the work measured inside them
//   memory        resident at the menu and during play (and how much of it is not mapped files),
//                 and the peak
//
// Each phase of a frame (events, update, drawing) is reported as median and 99th percentile,
// and as a ratio to a bare present (a black fill and a swap) measured in the same run. Nothing is
// asserted: this is a benchmark, not a test.
#include <SDL.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/game_loop.h"
#include "core/game_state.h"
#include "input/events.h"
#include "input/translate.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "render/image.h"
#include "tools/driver/driver.h"
#include "views/frame.h"
#include "views/views.h"
#include "world/random.h"

namespace {
bool sleepForReal = false;
int viewDelays = 0;      // 10 ms pauses asked for by picture views
double sleptMicros = 0;  // time spent in the real delays
long allocations = 0;    // operator new calls while counting
bool countAllocations = false;
}  // namespace

extern "C" {
void __real_SDL_Delay(Uint32 ms);
void __wrap_SDL_Delay(Uint32 ms) {
  if (ms == 10) ++viewDelays;
  if (!sleepForReal) return;
  const auto start = std::chrono::steady_clock::now();
  __real_SDL_Delay(ms);
  sleptMicros += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}
}

void* operator new(size_t size) {
  if (countAllocations) ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::micro>(b - a).count();
}

// Processor time (user and system) of the process so far, in milliseconds.
double CpuMs() {
  struct rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// Resident memory now, in MiB: all of it, and the part that is the process's own (heap, textures,
// stacks) rather than mapped files (the libraries' code, the music played from its file).
struct Resident {
  long total = 0, anonymous = 0;
};
Resident ResidentMiB() {
  Resident resident;
  if (FILE* status = fopen("/proc/self/status", "r")) {
    char line[128];
    while (fgets(line, sizeof line, status) != nullptr) {
      long kib = 0;
      if (sscanf(line, "VmRSS: %ld", &kib) == 1) resident.total = kib / 1024;
      if (sscanf(line, "RssAnon: %ld", &kib) == 1) resident.anonymous = kib / 1024;
    }
    fclose(status);
  }
  return resident;
}

struct Series {
  std::vector<double> micros;
  double Percentile(double p) const {
    if (micros.empty()) return 0.0;
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, static_cast<size_t>(p * (sorted.size() - 1) + 0.5))];
  }
};

struct Phases {
  Phases() {
    // Room for every sample up front, so the measuring itself allocates nothing while counting.
    for (Series* s : {&events, &update, &draw, &naive, &bare, &floor}) s->micros.reserve(4096);
  }
  Series events, update, draw, naive, bare, floor;
  void Report(const char* title) const {
    const double bareMedian = bare.Percentile(0.5);
    printf("%s (%zu frames)\n", title, update.micros.size());
    const struct {
      const char* name;
      const Series* s;
    } rows[] = {{"events", &events},       {"update", &update},     {"drawing", &draw},
                {"naive drawing", &naive}, {"bare present", &bare}, {"floor frame", &floor}};
    for (const auto& row : rows) {
      if (row.s->micros.empty()) continue;
      printf("  %-13s median %9.1f us  p99 %9.1f us  median / bare present %5.2f\n", row.name, row.s->Percentile(0.5),
             row.s->Percentile(0.99), row.s->Percentile(0.5) / bareMedian);
    }
    Series work;
    for (size_t i = 0; i < update.micros.size(); ++i) work.micros.push_back(update.micros[i] + events.micros[i]);
    printf("  %-13s median %9.1f us  p99 %9.1f us\n", "events+update", work.Percentile(0.5), work.Percentile(0.99));
    printf("  drawing against the floor frame (the background picture alone and a present): %.2f\n",
           draw.Percentile(0.5) / floor.Percentile(0.5));
  }
};

// One frame, timed phase by phase, with a bare present measured right after it. With compare
// set, the same frame is drawn a second time the naive way (one GL call per picture, the black
// clear always drawn) for comparison: both drawings give the same pixels.
void TimedFrame(Phases& phases, bool compare = false) {
  // Only the game's own frame is counted for allocations; the comparisons drawn after it are not.
  const bool counting = countAllocations;
  const auto t0 = Clock::now();
  PumpEvents();
  const auto t1 = Clock::now();
  const bool drawn = AdvanceFrame();
  const auto t2 = Clock::now();
  if (drawn) DrawViews();
  const auto t3 = Clock::now();
  phases.events.micros.push_back(Micros(t0, t1));
  phases.update.micros.push_back(Micros(t1, t2));
  if (drawn) phases.draw.micros.push_back(Micros(t2, t3));
  countAllocations = false;
  if (drawn && compare) {
    SetDrawShortcuts(false, false);
    const auto n0 = Clock::now();
    DrawViews();
    phases.naive.micros.push_back(Micros(n0, Clock::now()));
    SetDrawShortcuts(true, true);
  }
  const auto b0 = Clock::now();
  DrawFilledRect(0, 0, kScreenWidth, kScreenHeight, 0x000000);
  PresentFrame();
  phases.bare.micros.push_back(Micros(b0, Clock::now()));
  // The floor of a frame: the round's (or menu's) background picture alone, and a present.
  const View* background = ViewAt(GameState.Menu.menuBackground);
  for (ViewId space : GameState.SpaceBackground) {
    if (ViewAt(space)->visible == 1) background = ViewAt(space);
  }
  const auto f0 = Clock::now();
  BeginFrame(true);
  DrawImage(*background->image, 0, 0);
  EndFrame();
  phases.floor.micros.push_back(Micros(f0, Clock::now()));
  countAllocations = counting;
}

void Frames(int count) {
  for (int i = 0; i < count; ++i) {
    PumpEvents();
    GameLoop();
  }
}

void FramesUntil(int scene, int limit) {
  for (int i = 0; i < limit && GameState.SceneState != scene; ++i) Frames(1);
}

// Plays with scripted steering and firing; the ship is kept alive so the round stays busy. A
// mission that ends (won, or its cargo ship lost) is confirmed and started again from the briefing.
void PlayRound(Phases& phases, int frames) {
  for (int frame = 0; frame < frames; ++frame) {
    if (GameState.SceneState == SceneMessageBox) {
      Frames(kClosingBoxDeafFrames);  // the box takes no input at first
      driver::PushMouseUp(946, 693);
      driver::PushTap(512, 420);  // OK
      FramesUntil(SceneInterLevel, 40);
      Frames(1);
      driver::PushTap(570, 705);  // start the mission again
      FramesUntil(ScenePlaying, 20);
    }
    if (GameState.SceneState == ScenePlaying) GameState.Structure = 100000;  // every frame a full one
    if (GameState.SceneState == ScenePlaying) driver::PushScriptedPlay(frame);
    TimedFrame(phases, true);
  }
}

}  // namespace

int main(int, char**) {
  const std::string scratch = driver::EnterScratchRunTree("velmora-bench");
  if (scratch.empty()) return 1;

  // Start-up with the real delays, up to the interactive main menu.
  sleepForReal = true;
  const auto launch = Clock::now();
  const double launchCpu = CpuMs();
  if (!Boot()) {
    printf("velmora-bench: no window (run it under a display, e.g. xvfb-run -a)\n");
    return 1;
  }
  const double bootMs = Micros(launch, Clock::now()) / 1000.0;
  const int bootDelays = viewDelays;
  int loadingFrames = 0;
  while (!(GameState.SceneState == SceneMainMenu && GameState.menuFade == 100)) {
    Frames(1);
    ++loadingFrames;
  }
  const double startUpMs = Micros(launch, Clock::now()) / 1000.0;
  const double startUpCpuMs = CpuMs() - launchCpu;
  const double floorMs = loadingFrames * 33.0 + viewDelays * 10.0;
  const Resident menuMemory = ResidentMiB();

  // Real-time pace on the menu: plain frames with their real delay. The work is measured inside
  // the same paced frames (their time less the time slept), where caches run cold as in play.
  sleptMicros = 0;
  const auto paceStart = Clock::now();
  Frames(60);
  const double paceMs = Micros(paceStart, Clock::now()) / 1000.0 / 60;
  const double workMs = paceMs - sleptMicros / 1000.0 / 60;
  const double sleepMs = sleptMicros / 1000.0 / 60;
  sleepForReal = false;

  // A busy free-play round.
  Phases freePlay;
  driver::PushTap(512, 375);
  FramesUntil(ScenePlaying, 20);
  countAllocations = true;
  PlayRound(freePlay, 1500);
  countAllocations = false;
  const long freePlayAllocations = allocations;
  const Resident playMemory = ResidentMiB();
  driver::PushMouseUp(946, 693);
  driver::PushTap(24, 24);  // back to the menu
  FramesUntil(SceneMainMenu, 20);
  Frames(2);

  // A protect mission: the first cargo-ship mission of the campaign.
  Phases protect;
  GameState.campaignLevel = driver::FirstLevelOfKind(MissionProtect);
  driver::PushTap(512, 315);  // start: the briefing
  FramesUntil(SceneInterLevel, 20);
  Frames(1);
  driver::PushTap(570, 705);  // start the mission
  FramesUntil(ScenePlaying, 20);
  allocations = 0;
  countAllocations = true;
  PlayRound(protect, 1500);
  countAllocations = false;
  const long protectAllocations = allocations;

  struct rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  Shutdown();
  driver::RemoveScratchDirectory(scratch);

  printf("velmora-bench\n");
  printf(
      "start-up to the main menu: %.0f ms (%.0f ms of processor time); floor set by the delays %.0f ms (%d frames, %d "
      "picture views); ratio %.2f\n",
      startUpMs, startUpCpuMs, floorMs, loadingFrames, viewDelays, startUpMs / floorMs);
  printf(
      "  before the first loading frame (window, GL, audio, the loading screen's views): %.0f ms, of which %d ms asked "
      "as delays\n",
      bootMs, bootDelays * 10);
  printf(
      "real-time pace on the menu: %.1f ms per frame (%.1f fps): %.1f ms asleep (33 asked) + %.1f ms of work measured "
      "inside the paced frames\n",
      paceMs, 1000.0 / paceMs, sleepMs, workMs);
  printf(
      "memory: %ld MiB at the menu, %ld MiB during play (of which the process's own, not mapped files: %ld and %ld "
      "MiB)\n",
      menuMemory.total, playMemory.total, menuMemory.anonymous, playMemory.anonymous);
  freePlay.Report("busy free-play round");
  printf("  allocations during the round: %ld\n", freePlayAllocations);
  protect.Report("protect mission (restarted whenever it ends)");
  printf("  allocations during the round: %ld\n", protectAllocations);
  printf("peak memory: %ld MiB\n", usage.ru_maxrss / 1024);
  return 0;
}
