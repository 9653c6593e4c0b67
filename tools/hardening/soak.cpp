// velmora-soak: a monkey plays the real game for as many frames as asked, under AddressSanitizer
// and UndefinedBehaviorSanitizer, with the frame sleep removed.
//
//   velmora-soak [--seed N] [--frames N] [--expect-every-scene]
//
// Run it under a display (headless: xvfb-run -a, with SDL_AUDIODRIVER=dummy). It plays in a
// scratch copy of the build's ./Data with an empty User folder, so no player's saves are touched.
//
// Every frame the monkey gives random input: taps, presses and releases anywhere, and far more
// often on the buttons that are on screen (so it really walks through the menu, options, help,
// free play, the campaign briefings, the shop and the message boxes); drags on the steering knob;
// fire; joystick axis motion across the whole 16-bit range, also while the accelerometer is the
// control method; focus loss and return; now and then a burst of several actions in one frame.
// The same seed plays the same game.
//
// After every write of a user file, and after every frame, the three files are read back with
// plain C++ and must be valid (see user_file_checks.h); the options and the calibration must
// also hold exactly the values in memory, since the game saves them whenever they change. The run
// fails (exit status 1, one line saying why) on an invalid file, a file handle left open after a
// frame, a table (views, images, texts, touch areas, fonts, sounds) that grows after loading, a
// game that stops by itself or an unknown scene; memory lost during play is looked for before
// shutdown; a sanitizer report ends the run at once with the sanitizer's own report. At the end it
// prints the frames spent in each scene and what the monkey did.
#include <SDL.h>
#include <sanitizer/lsan_interface.h>
#include <unistd.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/game_loop.h"
#include "core/game_state.h"
#include "input/events.h"
#include "platform/platform.h"
#include "tools/driver/driver.h"
#include "tools/hardening/user_file_checks.h"
#include "views/views.h"
#include "world/random.h"

using namespace hardening;

// Leaks are looked for once the frames are played, before shutdown: anything play made and lost
// is unreachable by then, while the tables built at start-up still are. At exit the libraries'
// own caches (and the pictures the game deliberately keeps until the process ends) would only be
// noise; ASAN_OPTIONS=leak_check_at_exit=1 shows them.
extern "C" const char* __asan_default_options() { return "leak_check_at_exit=0"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
// What the window system, the GL driver and the sound libraries keep is theirs.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libX11\nleak:libxcb\nleak:libGLX\nleak:libGL\nleak:libEGL\nleak:libLLVM\nleak:_dri.so\n"
         "leak:libdrm\nleak:libSDL\nleak:libasound\nleak:libpulse\nleak:libdbus\nleak:libfontconfig\n";
}

namespace {

// ---------------------------------------------------------------------------------------------
// Failure reporting

std::string scratchDirectory;
long currentFrame = -1;

[[noreturn]] void Fail(const std::string& what) {
  printf("\nSOAK FAILED at frame %ld (scene %d): %s\n", currentFrame, GameState.SceneState, what.c_str());
  printf("The game's files are kept in %s\n", scratchDirectory.c_str());
  fflush(stdout);
  exit(1);
}

// ---------------------------------------------------------------------------------------------
// The user files, checked after every write and every frame

enum UserFile { SaveGameFile, OptionsFile, CalibrationFile, kUserFiles };
const char* const kUserFilePaths[kUserFiles] = {kSaveGamePath, kOptionsPath, kCalibrationPath};
const char* const kUserFileNames[kUserFiles] = {"save game", "options", "calibration"};

bool everSeen[kUserFiles] = {};
long writesChecked[kUserFiles] = {};

// Reads one user file back and checks it; with matchMemory it must also hold the values in
// GameState.
void CheckUserFile(int file, bool matchMemory, const char* when) {
  std::string bytes;
  if (!ReadWholeFile(kUserFilePaths[file], &bytes)) {
    if (everSeen[file]) Fail(std::string("the ") + kUserFileNames[file] + " file is missing (" + when + ")");
    return;
  }
  everSeen[file] = true;
  std::string reason;
  switch (file) {
    case SaveGameFile: {
      SaveValues v = {};
      reason = CheckSaveGame(bytes, true, &v);
      const SaveValues memory = {GameState.weaponsLevel, GameState.shieldLevel,   GameState.handlingLevel,
                                 GameState.structureLevel, GameState.campaignLevel, GameState.credits};
      if (reason.empty() && matchMemory && !(v == memory)) {
        reason = "save game \"" + Printable(bytes.c_str()) + "\" differs from the progress in memory (credits " +
                 std::to_string(GameState.credits) + ", level " + std::to_string(GameState.campaignLevel) + ")";
      }
      break;
    }
    case OptionsFile: {
      OptionValues v = {};
      reason = CheckOptions(bytes, true, &v);
      if (reason.empty() && matchMemory &&
          !(v == OptionValues{GameState.musicOn, GameState.soundOn, GameState.controlMethod})) {
        reason = "options file \"" + Printable(bytes) + "\" differs from music " + std::to_string(GameState.musicOn) +
                 ", sound " + std::to_string(GameState.soundOn) + ", control " +
                 std::to_string(GameState.controlMethod) + " in memory";
      }
      break;
    }
    default: {
      CalibrationValues v = {};
      reason = CheckCalibration(bytes, true, &v);
      if (reason.empty() && matchMemory && !(v == CalibrationValues{GameState.calibrationX, GameState.calibrationY})) {
        reason = "calibration file holds " + std::to_string(v.x) + ";" + std::to_string(v.y) + " but memory " +
                 std::to_string(GameState.calibrationX) + ";" + std::to_string(GameState.calibrationY);
      }
      break;
    }
  }
  if (!reason.empty()) Fail(reason + " (" + when + ")");
}

// Once loading is over all three files exist; the options and the calibration then always match
// what the game holds, since it saves them whenever they change. The save game may lag behind
// memory: purchases wait for the next won mission.
void CheckUserFilesAfterFrame() {
  const bool loaded = GameState.LoadPhase == 1;
  for (int file = 0; file < kUserFiles; ++file) {
    if (loaded) everSeen[file] = true;  // from now on it must be there
    CheckUserFile(file, loaded && file != SaveGameFile, "after the frame");
  }
}

// The file each open handle names, so a write can be traced to its file when it is closed.
char openedPath[kMaxFiles][64];
bool written[kMaxFiles];

// Notes the file behind a handle just handed out.
void Opened(int handle, const char* relativePath) {
  if (handle < 0 || handle >= kMaxFiles) return;
  snprintf(openedPath[handle], sizeof openedPath[handle], "Data/%s", relativePath);
  written[handle] = false;
}

}  // namespace

// The game's file helper, wrapped by its C++ symbol names: opening and creating note the file of
// each handle, each write marks its handle, and closing a written handle checks that file at
// once, so even two writes within one frame are each seen.
extern "C" {
int __real__Z8FileOpenPKc(const char* relativePath);
int __real__Z10FileCreatePKc(const char* relativePath);
bool __real__Z9FileWriteiPKci(int handle, const char* bytes, int count);
bool __real__Z9FileClosei(int handle);

int __wrap__Z8FileOpenPKc(const char* relativePath) {
  const int handle = __real__Z8FileOpenPKc(relativePath);
  Opened(handle, relativePath);
  return handle;
}

int __wrap__Z10FileCreatePKc(const char* relativePath) {
  const int handle = __real__Z10FileCreatePKc(relativePath);
  Opened(handle, relativePath);
  return handle;
}

bool __wrap__Z9FileWriteiPKci(int handle, const char* bytes, int count) {
  const bool done = __real__Z9FileWriteiPKci(handle, bytes, count);
  if (handle >= 0 && handle < kMaxFiles) written[handle] = true;
  return done;
}

bool __wrap__Z9FileClosei(int handle) {
  const bool closed = __real__Z9FileClosei(handle);
  if (handle < 0 || handle >= kMaxFiles || !written[handle]) return closed;
  written[handle] = false;
  for (int file = 0; file < kUserFiles; ++file) {
    if (strcmp(openedPath[handle], kUserFilePaths[file]) != 0) continue;
    writesChecked[file] += 1;
    CheckUserFile(file, true, "right after it was written");
  }
  return closed;
}

// No frame sleeps.
void __wrap_SDL_Delay(Uint32) {}
}

namespace {

// ---------------------------------------------------------------------------------------------
// The tables: filled at start-up, never grown by play; no file stays open across frames

struct TableCounts {
  int32_t views, images, texts, touchAreas, fonts, sounds;
  bool operator!=(const TableCounts& o) const {
    return views != o.views || images != o.images || texts != o.texts || touchAreas != o.touchAreas ||
           fonts != o.fonts || sounds != o.sounds;
  }
  std::string Describe() const {
    return std::to_string(views) + " views, " + std::to_string(images) + " images, " + std::to_string(texts) +
           " texts, " + std::to_string(touchAreas) + " touch areas, " + std::to_string(fonts) + " fonts, " +
           std::to_string(sounds) + " sounds";
  }
};

TableCounts CurrentTableCounts() {
  return {GameState.ViewTable.count,      GameState.ImageTable.count, GameState.TextTable.count,
          GameState.TouchAreaTable.count, GameState.FontTable.count,  GameState.SoundTable.count};
}

bool tablesSettled = false;
TableCounts settledCounts = {};

void CheckTablesAfterFrame() {
  for (int slot = 0; slot < kMaxFiles; ++slot) {
    if (GameState.FileTable.files[slot] != nullptr) Fail("file handle " + std::to_string(slot) + " is still open");
  }
  if (GameState.LoadPhase != 1) return;
  const TableCounts now = CurrentTableCounts();
  if (!tablesSettled) {
    tablesSettled = true;
    settledCounts = now;
  } else if (now != settledCounts) {
    Fail("the tables grew during play: " + settledCounts.Describe() + " after loading, now " + now.Describe());
  }
}

// ---------------------------------------------------------------------------------------------
// Scenes

struct SceneName {
  int32_t scene;
  const char* name;
};
const SceneName kScenes[] = {
    {SceneLoading, "loading"},       {SceneFadeIn, "fade in"},           {SceneMainMenu, "main menu"},
    {SceneFadeOut, "fade out"},      {SceneOptions, "options"},          {SceneHelp, "help"},
    {SceneStartFreePlay, "start free play"}, {SceneStartMission, "start mission"},
    {ScenePlaying, "playing"},       {ScenePaused, "paused"},            {SceneGameOver, "game over"},
    {SceneMessageBox, "message box"}, {SceneInterLevel, "inter-level"},
};
constexpr int kSceneCount = sizeof kScenes / sizeof kScenes[0];

int SceneIndex(int32_t scene) {
  for (int i = 0; i < kSceneCount; ++i) {
    if (kScenes[i].scene == scene) return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// The monkey

struct Box {
  int x, y, width, height;
  ViewId view;  // -1 for a touch area
};

struct Tally {
  long taps = 0, buttonTaps = 0, heldPresses = 0, strayPresses = 0, strayReleases = 0, drags = 0;
  long knobGrabs = 0, knobMoves = 0, fires = 0, otherButtons = 0;
  long axisEvents = 0, axisEventsWithAccelerometer = 0, focusLosses = 0, focusGains = 0, bursts = 0;
  long framesWithAccelerometer = 0, freePlayRounds = 0, campaignRounds = 0, messageBoxes = 0;
  long goalsMet = 0, missionsWon = 0;
  int32_t highestCampaignLevel = 0;
};

class Monkey {
 public:
  explicit Monkey(uint64_t seed) : state_(seed ^ 0x9E3779B97F4A7C15ull) {}

  // This frame's input, chosen by what is on screen.
  void Act() {
    const int32_t scene = GameState.SceneState;
    FinishHeldPress();
    ReturnFocus();
    if (Chance(0.01)) {
      tally.bursts += 1;
      for (int i = 2 + Below(7); i > 0; --i) RandomAction(scene);
    }
    switch (scene) {
      case ScenePlaying:
        Play();
        break;
      case SceneMainMenu:
        if (Chance(0.10)) TapButton();
        break;
      case SceneOptions:
        if (Chance(0.10)) TapButton();
        // With the accelerometer chosen the calibration dots follow the stick.
        if (GameState.controlMethod == ControlAccelerometer && Chance(0.5)) Axis();
        break;
      case SceneHelp:
      case ScenePaused:
        if (Chance(0.05)) TapButton();
        break;
      case SceneInterLevel:
      case SceneMessageBox:
        if (Chance(0.08)) TapButton();
        break;
      default:  // loading, fades, game over, round set-up: only the noise below
        break;
    }
    Noise();
  }

  Tally tally;

 private:
  // splitmix64: tiny, and the same sequence on every machine.
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  bool Chance(double p) { return static_cast<double>(Next() >> 11) * 0x1.0p-53 < p; }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  int RandomX() { return Below(kScreenWidth); }
  int RandomY() { return Below(kScreenHeight); }

  // Every touchable thing on screen now: visible views with a callback, enabled touch areas.
  std::vector<Box> Buttons() const {
    std::vector<Box> boxes;
    for (ViewId id = 0; id < GameState.ViewTable.count; ++id) {
      const View* v = GameState.ViewTable.entries[id];
      if (v != nullptr && v->visible == 1 && v->callback != nullptr) {
        boxes.push_back({v->x, v->y, v->width, v->height, id});
      }
    }
    for (TouchAreaId id = 0; id < GameState.TouchAreaTable.count; ++id) {
      const TouchArea* a = GameState.TouchAreaTable.entries[id];
      if (a != nullptr && a->enabled == 1 && a->callback != nullptr) {
        boxes.push_back({a->x, a->y, a->width, a->height, -1});
      }
    }
    // Only what a finger can reach: the part of each box on the screen.
    std::vector<Box> onScreen;
    for (const Box& b : boxes) {
      const int left = b.x < 0 ? 0 : b.x, top = b.y < 0 ? 0 : b.y;
      const int right = b.x + b.width > kScreenWidth - 1 ? kScreenWidth - 1 : b.x + b.width;
      const int bottom = b.y + b.height > kScreenHeight - 1 ? kScreenHeight - 1 : b.y + b.height;
      if (left <= right && top <= bottom) onScreen.push_back({left, top, right - left, bottom - top, b.view});
    }
    return onScreen;
  }

  // How often a button is chosen against the others: the campaign's reset and the briefing's back
  // button are seldom pressed, or the campaign would seldom get far.
  static double Weight(ViewId view) {
    if (view == GameState.resetButton) return 0.05;
    if (view == GameState.InterLevel.backButton) return 0.3;
    return 1.0;
  }

  // A tap somewhere in a random on-screen button; sometimes the finger stays down a while, and
  // sometimes it is lifted somewhere else.
  void TapButton() {
    const std::vector<Box> buttons = Buttons();
    if (buttons.empty()) return;
    double total = 0.0;
    for (const Box& box : buttons) total += Weight(box.view);
    double pick = static_cast<double>(Next() >> 11) * 0x1.0p-53 * total;
    size_t index = 0;
    while (index + 1 < buttons.size() && pick >= Weight(buttons[index].view)) pick -= Weight(buttons[index++].view);
    const Box& b = buttons[index];
    Press(b.x + Below(b.width + 1), b.y + Below(b.height + 1));
    tally.buttonTaps += 1;
  }

  void Press(int x, int y) {
    if (heldFrames_ > 0) driver::PushMouseUp(heldX_, heldY_);
    heldFrames_ = 0;
    if (Chance(0.7)) {
      driver::PushTap(x, y);
      tally.taps += 1;
      return;
    }
    driver::PushMouseDown(x, y);
    heldX_ = Chance(0.8) ? x : RandomX();
    heldY_ = Chance(0.8) ? y : RandomY();
    heldFrames_ = Between(1, 25);
    tally.heldPresses += 1;
  }

  void FinishHeldPress() {
    if (heldFrames_ == 0 || --heldFrames_ > 0) return;
    driver::PushMouseUp(heldX_, heldY_);
  }

  // A round: the knob is dragged about (with touch controls), fire is tapped, and once in a while
  // back or pause; with the accelerometer the stick steers.
  void Play() {
    if (GameState.controlMethod == ControlAccelerometer) {
      if (Chance(0.3)) Axis();
    } else {
      Steer();
    }
    if (Chance(0.15)) Fire();
    if (Chance(0.003)) TapButton();
    // Random fingers seldom collect ore or hit infected rocks on purpose, so now and then a
    // campaign round meets its goal outright: missions are won, the campaign walks its chain of
    // level files to the end, and the save game is rewritten after every win.
    if (GameState.FreePlay == 0 && Chance(1.0 / 200)) {
      GameState.currentMission.progress = GameState.currentMission.target;
      tally.goalsMet += 1;
    }
  }

  void Steer() {
    const View* knob = ViewAt(GameState.controlPoint);
    if (knob == nullptr) return;
    if (knobFrames_ == 0) {
      if (!Chance(0.05)) return;
      // Grab the knob where it is drawn, then drag for a while.
      driver::PushMouseDown(knob->x + Between(8, 56), knob->y + Between(8, 56));
      knobFrames_ = Between(10, 240);
      knobDx_ = knobDy_ = 0;
      tally.knobGrabs += 1;
      return;
    }
    // A random walk around the knob's centre, now and then beyond its 74 px reach.
    knobDx_ += Between(-12, 12);
    knobDy_ += Between(-12, 12);
    if (knobDx_ * knobDx_ + knobDy_ * knobDy_ > 95 * 95) knobDx_ = knobDy_ = 0;
    const int x = GameState.ControlCentreX + knobDx_, y = GameState.ControlCentreY + knobDy_;
    driver::PushMouseMotion(Clamp(x, 0, kScreenWidth - 1), Clamp(y, 0, kScreenHeight - 1), Chance(0.95) ? 1 : 0);
    tally.knobMoves += 1;
    if (--knobFrames_ == 0) {
      // Usually let go near the knob; sometimes far away, where the knob keeps its drag.
      const bool far = Chance(0.1);
      const int upX = far ? RandomX() : Clamp(x, 0, kScreenWidth - 1);
      const int upY = far ? RandomY() : Clamp(y, 0, kScreenHeight - 1);
      driver::PushMouseUp(upX, upY);
    }
  }

  void Fire() {
    const View* fire = ViewAt(GameState.firePoint);
    if (fire != nullptr && fire->visible == 1) {
      driver::PushTap(fire->x + Below(fire->width + 1), fire->y + Below(fire->height + 1));
    } else {
      driver::PushTap(RandomX(), Between(48, kScreenHeight - 1));
    }
    tally.fires += 1;
  }

  // One joystick axis event: mostly the two tilt axes, values anywhere in 16 bits, extremes often.
  void Axis() {
    static const int16_t kExtremes[] = {-32768, -32767, -16001, -16000, -1, 0, 1, 16000, 16001, 32767};
    const int axis = Chance(0.9) ? Below(2) : Between(2, 5);
    const int16_t value = Chance(0.2) ? kExtremes[Below(10)] : static_cast<int16_t>(Between(-32768, 32767));
    driver::PushJoyAxis(axis, value);
    tally.axisEvents += 1;
    if (GameState.controlMethod == ControlAccelerometer) tally.axisEventsWithAccelerometer += 1;
  }

  void PushActive(int gain, int state) {
    SDL_Event event = {};
    event.type = SDL_ACTIVEEVENT;
    event.active.type = SDL_ACTIVEEVENT;
    event.active.gain = static_cast<Uint8>(gain);
    event.active.state = static_cast<Uint8>(state);
    SDL_PushEvent(&event);
  }

  // Leaving the game: it comes back after up to three seconds, or at once.
  void LoseFocus() {
    static const int kStates[] = {SDL_APPACTIVE, SDL_APPACTIVE, SDL_APPINPUTFOCUS, SDL_APPMOUSEFOCUS};
    const int state = kStates[Below(4)];
    PushActive(0, state);
    tally.focusLosses += 1;
    if (focusFrames_ == 0 || Chance(0.5)) {
      focusFrames_ = Chance(0.2) ? 1 : Between(1, 90);
      focusState_ = state;
    }
  }

  void ReturnFocus() {
    if (focusFrames_ == 0 || --focusFrames_ > 0) return;
    PushActive(1, focusState_);
    tally.focusGains += 1;
  }

  void OtherMouseButton() {
    SDL_Event event = {};
    event.type = Chance(0.5) ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.type = event.type;
    event.button.button = static_cast<Uint8>(Between(2, 5));  // middle, right, wheel
    event.button.state = event.type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(RandomX());
    event.button.y = static_cast<Uint16>(RandomY());
    SDL_PushEvent(&event);
    tally.otherButtons += 1;
  }

  // Input with no regard for the screen, in every scene.
  void Noise() {
    if (Chance(0.02)) {
      driver::PushTap(RandomX(), RandomY());
      tally.taps += 1;
    }
    if (Chance(0.01)) {
      driver::PushMouseDown(RandomX(), RandomY());
      tally.strayPresses += 1;
    }
    if (Chance(0.01)) {
      driver::PushMouseUp(RandomX(), RandomY());
      tally.strayReleases += 1;
    }
    if (Chance(0.02)) {
      driver::PushMouseMotion(RandomX(), RandomY(), Chance(0.7) ? 1 : static_cast<uint8_t>(Below(8)));
      tally.drags += 1;
    }
    if (Chance(0.005)) OtherMouseButton();
    if (Chance(0.02)) Axis();
    if (Chance(0.002)) LoseFocus();
    if (Chance(0.0005)) {
      PushActive(1, SDL_APPACTIVE);  // a gain with nothing lost
      tally.focusGains += 1;
    }
  }

  // One action of any kind, for the bursts.
  void RandomAction(int32_t scene) {
    switch (Below(6)) {
      case 0: TapButton(); break;
      case 1: driver::PushTap(RandomX(), RandomY()); tally.taps += 1; break;
      case 2: Axis(); break;
      case 3: if (scene == ScenePlaying) Fire(); else TapButton(); break;
      case 4: driver::PushMouseMotion(RandomX(), RandomY(), 1); tally.drags += 1; break;
      default:
        if (Chance(0.5)) {
          LoseFocus();
        } else {
          driver::PushMouseUp(RandomX(), RandomY());
          tally.strayReleases += 1;
        }
        break;
    }
  }

  static int Clamp(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }

  uint64_t state_;
  int heldFrames_ = 0, heldX_ = 0, heldY_ = 0;
  int knobFrames_ = 0, knobDx_ = 0, knobDy_ = 0;
  int focusFrames_ = 0, focusState_ = SDL_APPACTIVE;
};

// ---------------------------------------------------------------------------------------------

struct Settings {
  uint64_t seed = 1;
  long frames = 100000;
  bool expectEveryScene = false;
};

bool ParseArguments(int argc, char** argv, Settings* s) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seed" && i + 1 < argc) {
      s->seed = strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--frames" && i + 1 < argc) {
      s->frames = strtol(argv[++i], nullptr, 10);
    } else if (arg == "--expect-every-scene") {
      s->expectEveryScene = true;
    } else {
      return false;
    }
  }
  return s->frames > 0;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IOLBF, 0);
  Settings settings;
  if (!ParseArguments(argc, argv, &settings)) {
    fprintf(stderr, "usage: %s [--seed N] [--frames N] [--expect-every-scene]\n", argv[0]);
    return 2;
  }
  // The built ./Data lives in the build directory; play in a scratch copy of it.
  if (chdir(VELMORA_BUILD_DIR) != 0) {
    perror(VELMORA_BUILD_DIR);
    return 2;
  }
  scratchDirectory = driver::EnterScratchRunTree("velmora-soak");
  if (scratchDirectory.empty()) return 2;
  printf("Soak: seed %" PRIu64 ", %ld frames, playing in %s\n", settings.seed, settings.frames,
         scratchDirectory.c_str());
  fflush(stdout);

  if (!Boot()) return 2;

  Monkey monkey(settings.seed);
  long sceneFrames[kSceneCount] = {};
  int32_t previousScene = GameState.SceneState;
  const auto start = std::chrono::steady_clock::now();
  for (currentFrame = 0; currentFrame < settings.frames; ++currentFrame) {
    monkey.Act();
    PumpEvents();
    if (running == 0) Fail("the game stopped by itself");
    const int32_t scene = GameState.SceneState;
    const int index = SceneIndex(scene);
    if (index < 0) Fail("unknown scene " + std::to_string(scene));
    sceneFrames[index] += 1;
    if (scene != previousScene) {
      if (scene == SceneStartFreePlay) monkey.tally.freePlayRounds += 1;
      if (scene == SceneStartMission) monkey.tally.campaignRounds += 1;
      if (scene == SceneMessageBox) monkey.tally.messageBoxes += 1;
      // Only a won mission opens a message box straight from the round.
      if (scene == SceneMessageBox && previousScene == ScenePlaying) monkey.tally.missionsWon += 1;
      previousScene = scene;
    }
    if (GameState.controlMethod == ControlAccelerometer) monkey.tally.framesWithAccelerometer += 1;
    GameLoop();
    if (GameState.campaignLevel > monkey.tally.highestCampaignLevel) {
      monkey.tally.highestCampaignLevel = GameState.campaignLevel;
    }
    CheckUserFilesAfterFrame();
    CheckTablesAfterFrame();
    if ((currentFrame + 1) % 10000 == 0) {
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      printf("  %ld frames, %.0f s\n", currentFrame + 1, seconds);
      fflush(stdout);
    }
  }

  if (__lsan_do_recoverable_leak_check() != 0) Fail("memory was lost while playing (LeakSanitizer's report is above)");
  // The only way out: the window is closed.
  driver::PushQuit();
  PumpEvents();
  if (running != 0) Fail("SDL_QUIT did not stop the main loop");
  Shutdown();
  CheckUserFilesAfterFrame();
  for (int file = 0; file < kUserFiles; ++file) {
    if (!everSeen[file]) Fail(std::string("the ") + kUserFileNames[file] + " file was never written");
  }

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const Tally& t = monkey.tally;
  printf("\nFrames per scene (%ld frames in %.0f s):\n", settings.frames, seconds);
  std::string missing;
  for (int i = 0; i < kSceneCount; ++i) {
    printf("  %-16s %8ld\n", kScenes[i].name, sceneFrames[i]);
    if (sceneFrames[i] == 0) missing += std::string(missing.empty() ? "" : ", ") + kScenes[i].name;
  }
  printf("Rounds: %ld free play, %ld campaign (%ld goals met outright, %ld missions won, highest level %d); "
         "%ld message boxes\n",
         t.freePlayRounds, t.campaignRounds, t.goalsMet, t.missionsWon, t.highestCampaignLevel, t.messageBoxes);
  printf("Input: %ld taps (%ld on buttons), %ld held presses, %ld stray presses, %ld stray releases, %ld drags,\n"
         "       %ld knob grabs, %ld knob moves, %ld fire taps, %ld other mouse buttons, %ld bursts,\n"
         "       %ld axis events (%ld with the accelerometer chosen; it was chosen for %ld frames),\n"
         "       %ld focus losses, %ld focus gains\n",
         t.taps, t.buttonTaps, t.heldPresses, t.strayPresses, t.strayReleases, t.drags, t.knobGrabs, t.knobMoves,
         t.fires, t.otherButtons, t.bursts, t.axisEvents, t.axisEventsWithAccelerometer, t.framesWithAccelerometer,
         t.focusLosses, t.focusGains);
  printf("Writes checked: %ld save game, %ld options, %ld calibration\n", writesChecked[SaveGameFile],
         writesChecked[OptionsFile], writesChecked[CalibrationFile]);
  if (settings.expectEveryScene && !missing.empty()) Fail("never reached: " + missing);
  driver::RemoveScratchDirectory(scratchDirectory);
  printf("Soak passed.\n");
  return 0;
}
