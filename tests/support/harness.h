// Drives the real game in a test: a private working directory whose ./Data links the built run
// tree, boot and frame helpers, pushed SDL input, what the wrapped SDL calls recorded, and the
// moves a player makes on the way into a round.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "support/files.h"
#include "tools/driver/driver.h"
#include "views/views.h"  // the views every test looks at

namespace harness {

// Everything the wrapped library calls saw since the process started.
struct Recorded {
  std::vector<uint32_t> delays;  // SDL_Delay arguments, in order
  struct Play {
    int channel;
    int soundId;
  };
  std::vector<Play> plays;  // Mix_PlayChannelTimed calls (sound id looked up by chunk)
  int swaps = 0;            // SDL_GL_SwapBuffers calls
};
Recorded& recorded();
// Sounds with this id started since index `from` of the record, on any channel or on one.
int Plays(int soundId, size_t from = 0, int channel = -1);

// When set, every swap first reads the whole frame back into lastFrame() (RGBA, top row first).
void CaptureFrames(bool on);
const std::vector<uint8_t>& lastFrame();
// RGB of one screen pixel (top-left origin) of the last captured frame.
uint32_t FramePixel(int x, int y);
// Pixels of the last captured frame that differ from those of `before`, in a rectangle.
int Changed(const std::vector<uint8_t>& before, int left, int top, int right, int bottom);

// ReadFile, WriteFile, Record, Printed and UseLevels.
using namespace files;

// Runs a first session of the game in a child process, in the same working directory (this
// process must not have touched SDL yet); true when it ended without a failed expectation.
// A restart is then booting the game in this process.
bool FirstSession(const std::function<void()>& session);

// VideoInit, PlatformInit, RandomSeed and StartUp, as main does. Window focus is not reported as
// application focus (tests share one display); see PlatformReportWindowFocus.
void Boot();
// One pass of the main loop: PumpEvents, then GameLoop.
void Frame();
void Frames(int count);
// Runs frames until the loading steps are done (41 frames).
void FinishLoading();
// Boots, loads and runs the two fade-in frames: the main menu is up and takes touches.
void ReachMenu();
// Taps free play on the menu and runs the three frames to the round, before its first frame.
void StartFreePlay();
// The same, then a quiet first frame and no more spawns: the field is the test's own.
void StartQuietFreePlay();
// A key pressed and let go (both events pushed), then that many frames; an SDL_ACTIVEEVENT of
// that state.
void PressKey(int key, int frames = 0);
void PushActive(int state, bool gained);
// A tap, then that many frames.
void Tap(const int* at, int frames = 1);
// One frame in which nothing can touch the ship: every hazard and pickup is parked first.
void QuietFrame();
void QuietFrames(int count);
// No more spawns for a long while (until free play speeds up after frame 600).
void StopSpawns();
void PlaceHazard(HazardSlot& slot, int x, int y, int size, int speed);
// With no shield and one point of structure left, a rock on the ship: lost in the next frame.
void LoseShipNextFrame();

// From a fresh start to the briefing of the saved mission, through the menu's start button.
void ReachBriefing();
// Start on the briefing: the round is set up in the same frame.
void StartMission();
// Plays until the message box opens and then through the moment in which a box that closes a
// round takes no input; returns the number of frames played until it opened, or -1.
int PlayUntilMessage(int limit);
// The open message box's three lines joined by "|", or "closed".
std::string Message();

bool Shown(ViewId id);
bool Shows(ViewId view, ImageId image);  // the view wears that image entry's picture
int DrawnWidth(ViewId id);
std::string Text(TextId id);
bool TextShown(TextId id);

// A WAV file as SDL reads it, its samples taken as 16-bit; no samples when it cannot be read.
struct Wav {
  int rate = 0, channels = 0, format = 0;
  std::vector<int16_t> samples;
};
Wav LoadWav(const std::string& path);
// How far a stereo loop jumps from its last frame to its first on a channel, and the largest
// step between frames within 441 frames of either end.
int SeamStep(const std::vector<int16_t>& samples, int channel, int* nearby);

// Files of Data/User, written before booting.
constexpr const char* kSave = "Data/User/VelMoraSaveGame.sav";
constexpr const char* kOptions = "Data/User/VelmoraConfig.cfg";
constexpr const char* kCalibration = "Data/User/VelMorAccData.cfg";

// Where a player touches: right-hand knob centre, fire button, menu buttons, in-game pause and
// back, the back button of options and help, the OK of a one-button message box.
constexpr int kKnob[2] = {946, 693}, kFire[2] = {71, 699};
constexpr int kStart[2] = {512, 315}, kFreePlay[2] = {512, 375}, kOptionsButton[2] = {512, 435};
constexpr int kHelp[2] = {512, 495}, kPause[2] = {1000, 24}, kGameBack[2] = {24, 24};
constexpr int kMenuBack[2] = {512, 705}, kBoxOk[2] = {512, 420};
constexpr int kBriefingStart[2] = {570, 705}, kBriefingBack[2] = {420, 705};
// Sound ids in loading order, and the music channel.
constexpr int kExplosionSound = 0, kLoopMusic = 1, kMenuMusic = 2, kLaserSound = 3, kButtonTap = 4, kChime = 5;
constexpr int kMusicChannel = 31;

// The driver's pushed input (PushTap, PushKey, PushFocus and the rest).
using namespace driver;

}  // namespace harness

// Fixture for tests that run the game: a scratch working directory, and the game shut down and
// the directory deleted afterwards. Each test file derives its own named fixture from it.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string workDir;
};
