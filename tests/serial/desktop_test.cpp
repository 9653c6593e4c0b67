// The desktop standing in for the tablet: a resizable window whose clicks land on the game pixel
// under them, window focus as app focus, and the gamepad's left stick as the tilt sensor.
#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cmath>

#include "input/events.h"
#include "platform/platform.h"
#include "platform/x_pointer.h"
#include "support/harness.h"
#include "views/views.h"

extern "C" void* SDL12COMPAT_GetWindow(void);

namespace {

int lastTouchX = -1, lastTouchY = -1;
int RecordTouch(int, int x, int y) {
  lastTouchX = x;
  lastTouchY = y;
  return 0;
}

// Frames with a little real time between them, so the X server's answers arrive.
void SettleFrames(int count) {
  for (int i = 0; i < count; ++i) {
    usleep(20000);
    harness::Frame();
  }
}

}  // namespace

class DesktopTest : public GameTest {};

TEST_F(DesktopTest, ClicksInAScaledWindowLandOnTheGameCoordinateUnderThem) {
  harness::Boot();
  harness::FinishLoading();
  harness::Frames(2);
  TouchAreaAdd(0, 0, 1024, 768, RecordTouch);
  // The SDL 2 window under the game's video surface, resized the way a window manager would.
  void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  ASSERT_NE(sdl2, nullptr);
  auto setSize = reinterpret_cast<void (*)(void*, int, int)>(dlsym(sdl2, "SDL_SetWindowSize"));
  auto getPosition = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GetWindowPosition"));
  auto getSize = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GetWindowSize"));
  void* window = SDL12COMPAT_GetWindow();
  ASSERT_TRUE(setSize != nullptr && getPosition != nullptr && getSize != nullptr && window != nullptr);
  for (auto [w, h] : {std::pair{1024, 768}, {1200, 600}, {600, 900}}) {
    setSize(window, w, h);
    SettleFrames(5);
    int left = 0, top = 0, width = 0, height = 0;
    getPosition(window, &left, &top);
    getSize(window, &width, &height);
    ASSERT_TRUE(width == w && height == h) << width << "x" << height;
    // The frame is scaled to fit with its aspect kept and centred: bars on two sides.
    const double scale = std::min(w / 1024.0, h / 768.0);
    const double offsetX = (w - 1024 * scale) / 2, offsetY = (h - 768 * scale) / 2;
    for (auto [gameX, gameY] : {std::pair{512, 375}, {40, 700}, {1000, 20}}) {
      lastTouchX = lastTouchY = -1;
      ASSERT_TRUE(xpointer::ClickAt(left + static_cast<int>(offsetX + (gameX + 0.5) * scale),
                                    top + static_cast<int>(offsetY + (gameY + 0.5) * scale)));
      SettleFrames(4);
      EXPECT_NEAR(lastTouchX, gameX, 1) << w << "x" << h;
      EXPECT_NEAR(lastTouchY, gameY, 1) << w << "x" << h;
    }
  }
}

TEST_F(DesktopTest, WindowFocusLossPausesTheRoundLikeSwitchingAppsDid) {
  harness::Boot();
  PlatformReportWindowFocus(true);
  GameState.SceneState = ScenePlaying;
  SDL_Event focus = {};
  focus.type = SDL_ACTIVEEVENT;
  focus.active.state = SDL_APPINPUTFOCUS;
  SDL_PushEvent(&focus);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  focus.active.gain = 1;
  SDL_PushEvent(&focus);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
}

TEST_F(DesktopTest, GamepadLeftStickSteersLikeTiltWithARoundDeadZone) {
  harness::Boot();
  GameState.controlMethod = ControlAccelerometer;
  struct Case { int16_t x, y; double steerX, steerY; } cases[] = {
      {32767, 0, 1200, 0}, {-32768, 0, -1200, 0}, {0, 32767, 0, 1200}, {0, -32768, 0, -1200},
      {3000, -3000, 0, 0},           // inside the dead zone: nothing
      {23170, 23170, 848.5, 848.5},  // diagonal: full deflection shared by both axes
  };
  for (const Case& c : cases) {
    harness::PushJoyAxis(0, c.x);
    harness::PushJoyAxis(1, c.y);
    harness::Frame();
    EXPECT_NEAR(GameState.SteerX, c.steerX, 2.0) << c.x << "," << c.y;
    EXPECT_NEAR(GameState.SteerY, c.steerY, 2.0) << c.x << "," << c.y;
  }
  // A stick held still sends nothing, yet it keeps steering after something zeroed the steering.
  GameState.SteerX = GameState.SteerY = 0.0;
  harness::Frame();
  EXPECT_NEAR(GameState.SteerX, 848.5, 2.0);
  // Other axes (right stick, triggers) never steer.
  for (auto [axis, value] : {std::pair{0, 0}, {1, 0}, {2, 32767}, {3, -32768}}) harness::PushJoyAxis(axis, value);
  harness::Frame();
  EXPECT_EQ(GameState.SteerX, 0.0);
  EXPECT_EQ(GameState.SteerY, 0.0);
}
