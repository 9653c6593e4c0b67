#include "support/harness.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "app/game_loop.h"
#include "input/events.h"
#include "input/translate.h"
#include "platform/platform.h"
#include "render/image.h"
#include "render/text.h"
#include "world/asteroids.h"

extern "C" {
int __real_Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks);
void __real_SDL_GL_SwapBuffers();

// Frames run without sleeping; the requested delay is recorded.
void __wrap_SDL_Delay(Uint32 ms) { harness::recorded().delays.push_back(ms); }

int __wrap_Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
  int soundId = -1;
  for (int i = 0; i < GameState.SoundTable.count; ++i) {
    if (GameState.SoundTable.entries[i] == chunk) soundId = i;
  }
  harness::recorded().plays.push_back({channel, soundId});
  return __real_Mix_PlayChannelTimed(channel, chunk, loops, ticks);
}
}

namespace harness {
namespace {
bool captureFrames = false;
bool booted = false;
std::vector<uint8_t> frame;
}  // namespace

extern "C" void __wrap_SDL_GL_SwapBuffers() {
  recorded().swaps += 1;
  if (captureFrames) driver::GrabFrame(frame);
  __real_SDL_GL_SwapBuffers();
}

Recorded& recorded() {
  static Recorded r;  // kept over the whole process, which runs one test
  return r;
}

int Plays(int soundId, size_t from, int channel) {
  const auto& plays = recorded().plays;
  return std::count_if(plays.begin() + std::min(from, plays.size()), plays.end(), [&](const Recorded::Play& play) {
    return play.soundId == soundId && (channel < 0 || play.channel == channel);
  });
}

void CaptureFrames(bool on) { captureFrames = on; }
const std::vector<uint8_t>& lastFrame() { return frame; }

uint32_t FramePixel(int x, int y) {
  if (frame.empty()) return 0xFFFFFFFFu;
  const uint8_t* p = &frame[(static_cast<size_t>(y) * kScreenWidth + x) * 4];
  return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

int Changed(const std::vector<uint8_t>& before, int left, int top, int right, int bottom) {
  int changed = 0;
  for (int y = top; y < bottom; ++y) {
    const size_t row = static_cast<size_t>(y) * kScreenWidth * 4;
    for (int x = left; x < right; ++x) changed += memcmp(&before[row + x * 4], &frame[row + x * 4], 3) != 0;
  }
  return changed;
}

bool FirstSession(const std::function<void()>& session) {
  fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    session();
    fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Boot() {
  // Tests share one X display and run side by side: another test's window taking the input
  // focus must not pause this one. Tests of the focus handling push focus events themselves.
  PlatformReportWindowFocus(false);
  ASSERT_TRUE(::Boot()) << SDL_GetError();
  booted = true;
}

void Frame() {
  PumpEvents();
  GameLoop();
}
void Frames(int count) {
  while (count-- > 0) Frame();
}

void FinishLoading() {
  // A loader that never finishes fails here instead of hanging.
  for (int n = 0; n < 100 && GameState.LoadPhase != 1; ++n) Frame();
  ASSERT_EQ(GameState.LoadPhase, 1) << "loading did not finish in 100 frames";
}

void ReachMenu() {
  Boot();
  FinishLoading();
  Frames(2);
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  ASSERT_TRUE(Shown(GameState.Menu.freePlayButton));
}

void StartFreePlay() {
  ReachMenu();
  Tap(kFreePlay, 3);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  ASSERT_EQ(GameState.RoundFrame, 0);
}

void StartQuietFreePlay() {
  StartFreePlay();
  QuietFrame();
  StopSpawns();
}

void PressKey(int key, int frames) {
  PushKey(key, true);
  PushKey(key, false);
  Frames(frames);
}

void PushActive(int state, bool gained) {
  SDL_Event event = {};
  event.active = {SDL_ACTIVEEVENT, Uint8(gained ? 1 : 0), Uint8(state)};
  SDL_PushEvent(&event);
}

void Tap(const int* at, int frames) {
  PushTap(at[0], at[1]);
  Frames(frames);
}

void QuietFrame() {
  ClearHazards();
  for (PickupPoolRecord* pool : {&GameState.OrePool, &GameState.IcePool}) {
    for (PickupSlot& slot : pool->slots) slot.x = -300;
  }
  Frame();
}

void QuietFrames(int count) {
  while (count-- > 0) QuietFrame();
}

void StopSpawns() { GameState.RoundAsteroidPace = GameState.InfectedPeriod = GameState.OrePeriod = 1 << 20; }

void PlaceHazard(HazardSlot& slot, int x, int y, int size, int speed) {
  slot = {slot.view, x, y, size, speed};
  ViewSetVisible(slot.view, 1);
}

void LoseShipNextFrame() {
  GameState.Shield = 0;
  GameState.Structure = 1;
  PlaceHazard(GameState.Asteroids.slots[0], GameState.ShipX + 20, GameState.ShipY + 35, 40, 0);
}

void ReachBriefing() {
  ReachMenu();
  Tap(kStart, 3);
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
}

void StartMission() {
  Tap(kBriefingStart);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  ASSERT_EQ(GameState.RoundFrame, 0);
}

int PlayUntilMessage(int limit) {
  for (int frame = 1; frame <= limit; ++frame) {
    Frame();
    if (GameState.SceneState != SceneMessageBox) continue;
    Frames(kClosingBoxDeafFrames);
    return frame;
  }
  return -1;
}

std::string Message() {
  const MessageBoxRecord& box = GameState.MessageBox;
  if (GameState.SceneState != SceneMessageBox) return "closed";
  return Text(box.line1) + "|" + Text(box.line2) + "|" + Text(box.line3);
}

bool Shown(ViewId id) { return ViewAt(id) != nullptr && ViewAt(id)->visible == 1; }
bool Shows(ViewId view, ImageId image) {
  return ViewAt(view)->image->texture == GameState.ImageTable.entries[image]->image->texture;
}
int DrawnWidth(ViewId id) { return ViewAt(id)->image->width; }
std::string Text(TextId id) { return GameState.TextTable.entries[id]->text; }
bool TextShown(TextId id) { return GameState.TextTable.entries[id]->visible == 1; }

Wav LoadWav(const std::string& path) {
  SDL_AudioSpec format;
  Uint8* bytes = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(path.c_str(), &format, &bytes, &length) == nullptr) return {};
  const auto* samples = reinterpret_cast<const int16_t*>(bytes);
  Wav wav{format.freq, format.channels, format.format, std::vector<int16_t>(samples, samples + length / 2)};
  SDL_FreeWAV(bytes);
  return wav;
}

int SeamStep(const std::vector<int16_t>& samples, int channel, int* nearby) {
  const size_t frames = samples.size() / 2;
  const auto at = [&](size_t frame) { return int(samples[frame * 2 + channel]); };
  *nearby = 0;
  for (size_t i = 1; i < 441; ++i) {
    *nearby = std::max({*nearby, std::abs(at(i) - at(i - 1)), std::abs(at(frames - i) - at(frames - i - 1))});
  }
  return std::abs(at(0) - at(frames - 1));
}

}  // namespace harness

void GameTest::SetUp() {
  workDir = driver::EnterScratchRunTree("velmora-test", VELMORA_BUILD_DATA_DIR);
  ASSERT_FALSE(workDir.empty()) << "cannot make a scratch directory";
}

void GameTest::TearDown() {
  // Closing audio before the process ends keeps the mixer thread from running into a library
  // that is being unloaded.
  if (harness::booted) Shutdown();
  driver::RemoveScratchDirectory(workDir);
}
