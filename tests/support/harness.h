// Drives the real game in a test: a private working directory whose ./Data links the built run
// tree, boot and frame helpers, pushed SDL input, and what the wrapped SDL calls recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/driver/driver.h"

struct SDL_Surface;

namespace harness {

// Everything the wrapped library calls saw since the process started.
struct Recorded {
  std::vector<uint32_t> delays;          // SDL_Delay arguments, in order
  struct Play { int channel; int soundId; int loops; };
  std::vector<Play> plays;               // Mix_PlayChannelTimed calls (sound id looked up by chunk)
  std::vector<int> pausedChannels;       // Mix_Pause arguments
  int swaps = 0;                         // SDL_GL_SwapBuffers calls
  int drawCalls = 0;                     // glDrawArrays calls
  std::vector<std::string> loadedFiles;  // every picture and sound file opened, in order
};
Recorded& recorded();

// Hooks on the picture loader's library calls (null when unused).
extern void (*onImageLoaded)(SDL_Surface* surface);
extern void (*onSurfaceFreed)(SDL_Surface* surface);

// When set, every swap first reads the whole frame back into lastFrame() (RGBA, top row first).
void CaptureFrames(bool on);
const std::vector<uint8_t>& lastFrame();
// RGB of one screen pixel (top-left origin) of the last captured frame.
uint32_t FramePixel(int x, int y);

// Makes a fresh working directory with Data/{Images,Fonts,Sounds,Levels} linked from the build
// and an empty Data/User, and changes into it. Returns its path.
std::string EnterScratchWorkingDirectory();

// The whole content of a file ("" when it cannot be read), and a file written with exactly these bytes.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// A 50-byte record as the game writes its save and calibration files: text, NUL, zero filler.
std::string Record(const std::string& text);

// Runs a first session of the game in a child process, in the same working directory (this
// process must not have touched SDL yet); true when it ended without a failed expectation.
// A restart is then booting the game in this process.
bool FirstSession(const std::function<void()>& session);

// Leaves and deletes a scratch directory made above.
void RemoveScratchWorkingDirectory(const std::string& path);

// VideoInit, PlatformInit, RandomSeed and StartUp, as main does. Window focus is not reported as
// application focus (tests share one display); see PlatformReportWindowFocus.
void Boot();
// Shuts the game down if this test booted it (the fixture does it after every test).
void ShutdownIfBooted();
// One pass of the main loop: PumpEvents, then GameLoop.
void Frame();
void Frames(int count);
// Runs frames until the loading steps are done (41 frames).
void FinishLoading();

// Pushed input, as a player would give it.
using driver::PushFocus;
using driver::PushJoyAxis;
using driver::PushMouseDown;
using driver::PushMouseMotion;
using driver::PushMouseUp;
using driver::PushQuit;
using driver::PushTap;

}  // namespace harness

// Fixture for tests that run the game: enters a scratch working directory first.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override { workDir = harness::EnterScratchWorkingDirectory(); }
  void TearDown() override {
    harness::ShutdownIfBooted();
    harness::RemoveScratchWorkingDirectory(workDir);
  }
  std::string workDir;
};
