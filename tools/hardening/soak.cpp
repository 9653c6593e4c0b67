// velmora-soak [--seed N] [--frames N] [--expect-every-scene]: a monkey plays the real game under
// AddressSanitizer and UndefinedBehaviorSanitizer, without the frame sleep, in a scratch copy of
// the build's ./Data. Run it under a display (headless: xvfb-run -a, SDL_AUDIODRIVER=dummy).
//
// Its input is pushed as SDL events, so it takes the players' path through the platform layer:
// taps, held presses and drags, mostly on the buttons on screen; knob drags and fire in rounds;
// stick motion over the whole 16-bit range; focus loss and return; other mouse buttons; bursts of
// several at once. The same seed plays the same game. Now and then a campaign round is given its
// goal, so missions are won and the campaign walks its levels.
//
// It fails (exit 1, one line) when, after any write of a user file or any frame, a user file is
// not exactly a valid record or, for the file just written and once loaded for the options and
// calibration, differs from memory; when a file is left open after a frame, a table grows after
// loading, the game stops by itself or enters an unknown scene, memory is lost during play, or,
// with --expect-every-scene, a scene is never reached. A sanitizer report ends it at once.
#include <SDL.h>
#include <sanitizer/lsan_interface.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/game_loop.h"
#include "core/game_state.h"
#include "input/events.h"
#include "tools/driver/driver.h"
#include "tools/hardening/user_file_checks.h"
#include "views/views.h"

using namespace hardening;

// Leaks are looked for once the frames are played, before shutdown, when what play lost is
// unreachable and the start-up tables are not. What the window system, GL and sound keep is theirs.
extern "C" const char* __asan_default_options() { return "leak_check_at_exit=0"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libX11\nleak:libxcb\nleak:libGLX\nleak:libGL\nleak:libEGL\nleak:libLLVM\nleak:_dri.so\n"
         "leak:libdrm\nleak:libSDL\nleak:libasound\nleak:libpulse\nleak:libdbus\nleak:libfontconfig\n";
}

namespace {

std::string scratch;
long frame = -1;

[[noreturn]] void Fail(const std::string& what) {
  printf("\nSOAK FAILED at frame %ld (scene %d): %s\nThe game's files are kept in %s\n", frame, GameState.SceneState,
         what.c_str(), scratch.c_str());
  exit(1);
}

long writesChecked[kUserFileCount];

// A user file read back: exactly a valid record and, with matchMemory, of the values in memory.
// Once loading is over it must exist.
void CheckFile(int file, bool matchMemory, const char* when) {
  bool exists = false;
  const std::string bytes = ReadFile(kUserFiles[file].path, &exists);
  if (!exists && GameState.LoadPhase != 1) return;
  Values v;
  std::string reason =
      exists ? CheckUserFile(file, bytes, true, &v) : std::string("the ") + kUserFiles[file].name + " file is missing";
  if (reason.empty() && matchMemory && v != InMemory(file)) {
    reason = std::string(kUserFiles[file].name) + " file \"" + Printable(bytes) + "\" differs from memory";
  }
  if (!reason.empty()) Fail(reason + " (" + when + ")");
}

}  // namespace

// The game's whole-file writer, wrapped by its C++ symbol name: a written user file is checked as
// soon as it is in place, so even two writes in one frame are each seen. Frames do not sleep.
extern "C" {
bool __real__Z11FileReplacePKcS0_i(const char* relativePath, const char* bytes, int count);

bool __wrap__Z11FileReplacePKcS0_i(const char* relativePath, const char* bytes, int count) {
  const bool replaced = __real__Z11FileReplacePKcS0_i(relativePath, bytes, count);
  for (int file = 0; replaced && relativePath != nullptr && file < kUserFileCount; ++file) {
    if ("Data/" + std::string(relativePath) != kUserFiles[file].path) continue;
    writesChecked[file] += 1;
    CheckFile(file, true, "right after it was written");
  }
  return replaced;
}
void __wrap_SDL_Delay(Uint32) {}
}

namespace {

// Once loaded, the options and calibration match memory since the game saves them whenever they
// change; the save game may lag (purchases wait for a won mission). No file stays open across
// frames, and the tables filled at start-up never grow.
void CheckUserFiles(const char* when) {
  for (int file = 0; file < kUserFileCount; ++file) {
    CheckFile(file, GameState.LoadPhase == 1 && file != SaveGameFile, when);
  }
}

void CheckAfterFrame() {
  CheckUserFiles("after the frame");
  for (int slot = 0; slot < kMaxFiles; ++slot) {
    if (GameState.FileTable.files[slot] != nullptr) Fail("file handle " + std::to_string(slot) + " is still open");
  }
  if (GameState.LoadPhase != 1) return;
  const GameStateRecord& g = GameState;
  const std::vector<int32_t> counts = {g.ViewTable.count,      g.ImageTable.count, g.TextTable.count,
                                       g.TouchAreaTable.count, g.FontTable.count,  g.SoundTable.count};
  static const std::vector<int32_t> settled = counts;
  if (counts != settled) Fail("a table (views, images, texts, touch areas, fonts, sounds) grew during play");
}

const char* const kSceneNames[] = {"fade out",    "main menu",   "start free play", "playing", "game over",
                                   "options",     "help",        "paused",          "fade in", "start mission",
                                   "inter-level", "message box", "best scores",     "loading"};
constexpr int kSceneCount = sizeof kSceneNames / sizeof kSceneNames[0];

int SceneIndex(int32_t scene) {
  if (scene == SceneLoading) return kSceneCount - 1;
  return scene >= 0 && scene < kSceneCount - 1 ? scene : -1;
}

class Monkey {
 public:
  explicit Monkey(uint64_t seed) : state_(seed ^ 0x9E3779B97F4A7C15ull) {}

  // This frame's input, chosen by what is on screen.
  void Act() {
    const int32_t scene = GameState.SceneState;
    const bool tilt = GameState.controlMethod == ControlAccelerometer;
    if (heldFrames_ > 0 && --heldFrames_ == 0) driver::PushMouseUp(heldX_, heldY_);
    if (focusFrames_ > 0 && --focusFrames_ == 0) PushActive(1, focusState_);
    if (Chance(0.01)) {
      for (int i = Between(2, 8); i > 0; --i) RandomAction(scene);
    }
    if (scene == ScenePlaying) {
      Play(tilt);
    } else if (Chance(TapChance(scene))) {
      TapButton();
    }
    // With the accelerometer chosen the calibration dots follow the stick.
    if (scene == SceneOptions && tilt && Chance(0.5)) Axis();
    Noise();
  }

 private:
  struct Box {
    int x, y, width, height, key;
    double weight;
  };

  // splitmix64: tiny, and the same sequence on every machine.
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  bool Chance(double p) { return Uniform() < p; }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  int RandomX() { return Below(kScreenWidth); }
  int RandomY() { return Below(kScreenHeight); }

  // In loading, fades, game over and the round's set-up only the noise.
  static double TapChance(int32_t scene) {
    if (scene == SceneMainMenu || scene == SceneOptions) return 0.10;
    if (scene == SceneHelp || scene == ScenePaused) return 0.05;
    return scene == SceneInterLevel || scene == SceneMessageBox ? 0.08 : 0.0;
  }

  // Taps a button: the on-screen part of a visible view with a callback or of an enabled touch
  // area. Buttons tapped less so far are favoured, so every screen is reached; the campaign's reset
  // seldom, and the menu's quit never (the soak ends by closing the window).
  void TapButton() {
    std::vector<Box> boxes;
    auto add = [&](int x, int y, int width, int height, int key) {
      const int left = std::max(x, 0), right = std::min(x + width, kScreenWidth - 1);
      const int top = std::max(y, 0), bottom = std::min(y + height, kScreenHeight - 1);
      const double share = key == GameState.Options.resetButton ? 0.05 : key == GameState.Menu.quitButton ? 0.0 : 1.0;
      const double weight = share / (1 + taps_[key]);
      if (left <= right && top <= bottom) boxes.push_back({left, top, right - left, bottom - top, key, weight});
    };
    for (ViewId id = 0; id < GameState.ViewTable.count; ++id) {
      const View* v = GameState.ViewTable.entries[id];
      if (v != nullptr && v->visible == 1 && v->callback != nullptr) add(v->x, v->y, v->width, v->height, id);
    }
    for (TouchAreaId id = 0; id < GameState.TouchAreaTable.count; ++id) {
      const TouchArea* a = GameState.TouchAreaTable.entries[id];
      if (a != nullptr && a->enabled == 1 && a->callback != nullptr) add(a->x, a->y, a->width, a->height, ~id);
    }
    if (boxes.empty()) return;
    double total = 0.0;
    for (const Box& box : boxes) total += box.weight;
    double pick = Uniform() * total;
    size_t i = 0;
    while (i + 1 < boxes.size() && pick >= boxes[i].weight) pick -= boxes[i++].weight;
    taps_[boxes[i].key] += 1;
    Press(boxes[i].x + Below(boxes[i].width + 1), boxes[i].y + Below(boxes[i].height + 1));
  }

  // Mostly a tap; else the finger stays down a while and is sometimes lifted somewhere else.
  void Press(int x, int y) {
    if (heldFrames_ > 0) driver::PushMouseUp(heldX_, heldY_);
    heldFrames_ = 0;
    if (Chance(0.7)) return driver::PushTap(x, y);
    driver::PushMouseDown(x, y);
    heldX_ = Chance(0.8) ? x : RandomX();
    heldY_ = Chance(0.8) ? y : RandomY();
    heldFrames_ = Between(1, 25);
  }

  void Play(bool tilt) {
    if (!tilt) {
      Steer();
    } else if (Chance(0.3)) {
      Axis();
    }
    if (Chance(0.15)) Fire();
    if (Chance(0.003)) TapButton();  // back or pause
    if (GameState.FreePlay == 0 && Chance(1.0 / 200)) {
      GameState.currentMission.progress = GameState.currentMission.target;
    }
  }

  // Grabs the knob where it is drawn, then walks about its centre, now and then past its reach, and
  // lets go near it or, sometimes, far away.
  void Steer() {
    const View* knob = ViewAt(GameState.controlPoint);
    if (knob == nullptr) return;
    if (knobFrames_ == 0) {
      if (!Chance(0.05)) return;
      driver::PushMouseDown(knob->x + Between(8, 56), knob->y + Between(8, 56));
      knobFrames_ = Between(10, 240);
      knobDx_ = knobDy_ = 0;
      return;
    }
    knobDx_ += Between(-12, 12);
    knobDy_ += Between(-12, 12);
    if (knobDx_ * knobDx_ + knobDy_ * knobDy_ > 95 * 95) knobDx_ = knobDy_ = 0;
    const int x = std::clamp(GameState.ControlCentreX + knobDx_, 0, kScreenWidth - 1);
    const int y = std::clamp(GameState.ControlCentreY + knobDy_, 0, kScreenHeight - 1);
    driver::PushMouseMotion(x, y, Chance(0.95) ? 1 : 0);
    if (--knobFrames_ > 0) return;
    const bool far = Chance(0.1);
    driver::PushMouseUp(far ? RandomX() : x, far ? RandomY() : y);
  }

  void Fire() {
    const View* fire = ViewAt(GameState.firePoint);
    if (fire == nullptr || fire->visible != 1) return driver::PushTap(RandomX(), Between(48, kScreenHeight - 1));
    driver::PushTap(fire->x + Below(fire->width + 1), fire->y + Below(fire->height + 1));
  }

  // Mostly the two tilt axes, values anywhere in 16 bits, extremes often.
  void Axis() {
    static const int16_t kExtremes[] = {-32768, -32767, -16001, -16000, -1, 0, 1, 16000, 16001, 32767};
    const int axis = Chance(0.9) ? Below(2) : Between(2, 5);
    driver::PushJoyAxis(axis, Chance(0.2) ? kExtremes[Below(10)] : static_cast<int16_t>(Between(-32768, 32767)));
  }

  static void PushActive(int gain, int state) {
    SDL_Event event = {};
    event.active = {SDL_ACTIVEEVENT, Uint8(gain), Uint8(state)};
    SDL_PushEvent(&event);
  }

  // Leaving the game (as the app, the input focus or the mouse): back after up to three seconds.
  void LoseFocus() {
    static const int kStates[] = {SDL_APPACTIVE, SDL_APPACTIVE, SDL_APPINPUTFOCUS, SDL_APPMOUSEFOCUS};
    const int state = kStates[Below(4)];
    PushActive(0, state);
    if (focusFrames_ == 0 || Chance(0.5)) {
      focusFrames_ = Chance(0.2) ? 1 : Between(1, 90);
      focusState_ = state;
    }
  }

  // Middle, right and wheel buttons.
  void OtherMouseButton() {
    const bool down = Chance(0.5);
    const Uint8 button = Uint8(Between(2, 5));
    const Uint16 x = Uint16(RandomX()), y = Uint16(RandomY());
    SDL_Event event = {};  // a button state of 1 is pressed, 0 released
    event.button = {Uint8(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP), 0, button, Uint8(down), x, y};
    SDL_PushEvent(&event);
  }

  // Input with no regard for the screen, in every scene.
  void Noise() {
    if (Chance(0.02)) driver::PushTap(RandomX(), RandomY());
    if (Chance(0.01)) driver::PushMouseDown(RandomX(), RandomY());
    if (Chance(0.01)) driver::PushMouseUp(RandomX(), RandomY());
    if (Chance(0.02)) driver::PushMouseMotion(RandomX(), RandomY(), Chance(0.7) ? 1 : static_cast<uint8_t>(Below(8)));
    if (Chance(0.005)) OtherMouseButton();
    if (Chance(0.02)) Axis();
    if (Chance(0.002)) LoseFocus();
    if (Chance(0.0005)) PushActive(1, SDL_APPACTIVE);  // a gain with nothing lost
  }

  void RandomAction(int32_t scene) {
    switch (Below(6)) {
      case 0: return TapButton();
      case 1: return driver::PushTap(RandomX(), RandomY());
      case 2: return Axis();
      case 3: return scene == ScenePlaying ? Fire() : TapButton();
      case 4: return driver::PushMouseMotion(RandomX(), RandomY(), 1);
      default: return Chance(0.5) ? LoseFocus() : driver::PushMouseUp(RandomX(), RandomY());
    }
  }

  uint64_t state_;
  std::map<int, long> taps_;  // by view id, or ~id for a touch area
  int heldFrames_ = 0, heldX_ = 0, heldY_ = 0;
  int knobFrames_ = 0, knobDx_ = 0, knobDy_ = 0;
  int focusFrames_ = 0, focusState_ = SDL_APPACTIVE;
};

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IOLBF, 0);
  long long seed = 1, frames = 100000;
  bool expectEveryScene = false;
  for (int i = 1; i < argc; ++i) {  // anything else than these: the usage
    const std::string arg = argv[i];
    const bool valued = (arg == "--seed" || arg == "--frames") && i + 1 < argc;
    if (valued) *(arg == "--seed" ? &seed : &frames) = strtoll(argv[++i], nullptr, 10);
    expectEveryScene |= arg == "--expect-every-scene";
    if (!valued && arg != "--expect-every-scene") frames = 0;
  }
  if (frames <= 0) {
    fprintf(stderr, "usage: %s [--seed N] [--frames N] [--expect-every-scene]\n", argv[0]);
    return 2;
  }
  // The built ./Data lives in the build directory; play in a scratch copy of it.
  if (chdir(VELMORA_BUILD_DIR) != 0 || (scratch = driver::EnterScratchRunTree("velmora-soak")).empty()) return 2;
  printf("Soak: seed %lld, %lld frames, playing in %s\n", seed, frames, scratch.c_str());
  if (!Boot()) return 2;

  Monkey monkey(static_cast<uint64_t>(seed));
  long sceneFrames[kSceneCount] = {}, missionsWon = 0;
  int32_t previousScene = GameState.SceneState;
  for (frame = 0; frame < frames; ++frame) {
    monkey.Act();
    PumpEvents();
    if (running == 0) Fail("the game stopped by itself");
    const int32_t scene = GameState.SceneState;
    if (SceneIndex(scene) < 0) Fail("unknown scene " + std::to_string(scene));
    sceneFrames[SceneIndex(scene)] += 1;
    // Only a won mission opens a message box straight from the round.
    if (scene == SceneMessageBox && previousScene == ScenePlaying) missionsWon += 1;
    previousScene = scene;
    GameLoop();
    CheckAfterFrame();
  }

  if (__lsan_do_recoverable_leak_check() != 0) Fail("memory was lost while playing (LeakSanitizer's report is above)");
  driver::PushQuit();  // the only way out: the window is closed
  PumpEvents();
  if (running != 0) Fail("SDL_QUIT did not stop the main loop");
  Shutdown();
  CheckUserFiles("after shutdown");

  std::string missing;  // the scenes never reached
  printf("\nFrames per scene:");
  for (int i = 0; i < kSceneCount; ++i) {
    printf("%s %s %ld", i ? "," : "", kSceneNames[i], sceneFrames[i]);
    if (sceneFrames[i] == 0) missing += std::string(missing.empty() ? "" : ", ") + kSceneNames[i];
  }
  printf(
      "\nCampaign: %ld missions won, at level %d in the end. Writes checked: %ld save game, %ld options, %ld "
      "calibration\n",
      missionsWon, GameState.campaignLevel, writesChecked[0], writesChecked[1], writesChecked[2]);
  for (int file = 0; file < kUserFileCount; ++file) {
    if (writesChecked[file] == 0) Fail(std::string("the ") + kUserFiles[file].name + " file was never written");
  }
  if (expectEveryScene && !missing.empty()) Fail("never reached: " + missing);
  driver::RemoveScratchDirectory(scratch);
  printf("Soak passed.\n");
  return 0;
}
