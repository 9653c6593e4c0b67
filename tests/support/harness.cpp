#include "support/harness.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/app.h"
#include "app/game_loop.h"
#include "core/game_state.h"
#include "input/events.h"
#include "platform/platform.h"
#include "world/random.h"

namespace fs = std::filesystem;

extern "C" {
void __real_SDL_Delay(Uint32 ms);
int __real_Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks);
void __real_Mix_Pause(int channel);
void __real_SDL_GL_SwapBuffers();
SDL_Surface* __real_IMG_Load(const char* file);
void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);

void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  harness::recorded().drawCalls += 1;
  __real_glDrawArrays(mode, first, count);
}

void __real_SDL_FreeSurface(SDL_Surface* surface);

SDL_RWops* __real_SDL_RWFromFile(const char* file, const char* mode);

SDL_RWops* __wrap_SDL_RWFromFile(const char* file, const char* mode) {
  harness::recorded().loadedFiles.push_back(file);
  return __real_SDL_RWFromFile(file, mode);
}

SDL_Surface* __wrap_IMG_Load(const char* file) {
  harness::recorded().loadedFiles.push_back(file);
  SDL_Surface* surface = __real_IMG_Load(file);
  if (surface != nullptr && harness::onImageLoaded != nullptr) harness::onImageLoaded(surface);
  return surface;
}

void __wrap_SDL_FreeSurface(SDL_Surface* surface) {
  if (surface != nullptr && harness::onSurfaceFreed != nullptr) harness::onSurfaceFreed(surface);
  __real_SDL_FreeSurface(surface);
}

// Frames run without sleeping; the requested delay is recorded.
void __wrap_SDL_Delay(Uint32 ms) { harness::recorded().delays.push_back(ms); }

int __wrap_Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
  int soundId = -1;
  for (int i = 0; i < GameState.SoundTable.count; ++i) {
    if (GameState.SoundTable.entries[i] == chunk) soundId = i;
  }
  harness::recorded().plays.push_back({channel, soundId, loops});
  return __real_Mix_PlayChannelTimed(channel, chunk, loops, ticks);
}

void __wrap_Mix_Pause(int channel) {
  harness::recorded().pausedChannels.push_back(channel);
  __real_Mix_Pause(channel);
}
}

namespace harness {
void (*onImageLoaded)(SDL_Surface* surface) = nullptr;
void (*onSurfaceFreed)(SDL_Surface* surface) = nullptr;
namespace {
bool captureFrames = false;
std::vector<uint8_t> frame;
}  // namespace

extern "C" void __wrap_SDL_GL_SwapBuffers() {
  recorded().swaps += 1;
  if (captureFrames) driver::GrabFrame(frame);
  __real_SDL_GL_SwapBuffers();
}

Recorded& recorded() {
  static Recorded r;
  return r;
}

void CaptureFrames(bool on) { captureFrames = on; }

const std::vector<uint8_t>& lastFrame() { return frame; }

uint32_t FramePixel(int x, int y) {
  if (frame.empty()) return 0xFFFFFFFFu;
  const uint8_t* p = &frame[(static_cast<size_t>(y) * kScreenWidth + x) * 4];
  return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

std::string EnterScratchWorkingDirectory() {
  const std::string root = driver::EnterScratchRunTree("velmora-test", VELMORA_BUILD_DATA_DIR);
  if (root.empty()) ADD_FAILURE() << "cannot make a scratch directory";
  return root;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Record(const std::string& text) {
  std::string record = text;
  record.resize(50, '\0');
  return record;
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

namespace {
bool booted = false;
}  // namespace

void ShutdownIfBooted() {
  // Closing audio before the process ends keeps the mixer thread from running into a library
  // that is being unloaded.
  if (booted) Shutdown();
  booted = false;
}

void RemoveScratchWorkingDirectory(const std::string& path) { driver::RemoveScratchDirectory(path); }

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
  for (int i = 0; i < count; ++i) Frame();
}

void FinishLoading() {
  // Loading takes 41 frames; a loader that never finishes fails here instead of hanging.
  for (int frame = 0; frame < 100 && GameState.LoadPhase != 1; ++frame) Frame();
  ASSERT_EQ(GameState.LoadPhase, 1) << "loading did not finish in 100 frames";
}

}  // namespace harness
