#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cmath>

#include "core/game_state.h"
#include "input/steering.h"
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

// The SDL 2 window under the game's video surface, driven the way a window manager would.
struct Window2 {
  void (*setSize)(void*, int, int);
  void (*getPosition)(void*, int*, int*);
  void (*getSize)(void*, int*, int*);
};

Window2 LookUpWindow2() {
  void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  Window2 w{};
  if (sdl2 == nullptr) return w;
  w.setSize = reinterpret_cast<void (*)(void*, int, int)>(dlsym(sdl2, "SDL_SetWindowSize"));
  w.getPosition = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GetWindowPosition"));
  w.getSize = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GetWindowSize"));
  return w;
}

// Frames with a little real time between them, so the X server's answers arrive.
void SettleFrames(int count) {
  for (int i = 0; i < count; ++i) {
    usleep(20000);
    harness::Frame();
  }
}

}  // namespace

TEST_F(GameTest, ClicksInAScaledWindowLandOnTheGameCoordinateUnderThem) {
  harness::Boot();
  harness::FinishLoading();
  harness::Frames(2);
  TouchAreaAdd(0, 0, 1024, 768, RecordTouch);
  const Window2 window = LookUpWindow2();
  ASSERT_NE(window.setSize, nullptr);
  void* handle = SDL12COMPAT_GetWindow();
  ASSERT_NE(handle, nullptr);

  struct Shape { int w, h; } shapes[] = {{1024, 768}, {1200, 600}, {600, 900}};
  for (Shape shape : shapes) {
    window.setSize(handle, shape.w, shape.h);
    SettleFrames(5);
    int w = 0, h = 0, left = 0, top = 0;
    window.getSize(handle, &w, &h);
    window.getPosition(handle, &left, &top);
    ASSERT_EQ(w, shape.w);
    ASSERT_EQ(h, shape.h);
    // The frame is scaled to fit with its aspect kept and centred: bars on two sides.
    const double scale = std::min(w / 1024.0, h / 768.0);
    const double offsetX = (w - 1024 * scale) / 2, offsetY = (h - 768 * scale) / 2;
    for (auto [gameX, gameY] : {std::pair{512, 375}, {40, 700}, {1000, 20}}) {
      lastTouchX = lastTouchY = -1;
      const int screenX = left + static_cast<int>(offsetX + (gameX + 0.5) * scale);
      const int screenY = top + static_cast<int>(offsetY + (gameY + 0.5) * scale);
      ASSERT_TRUE(xpointer::ClickAt(screenX, screenY));
      SettleFrames(4);
      EXPECT_NEAR(lastTouchX, gameX, 1) << shape.w << "x" << shape.h;
      EXPECT_NEAR(lastTouchY, gameY, 1) << shape.w << "x" << shape.h;
    }
  }
}

TEST_F(GameTest, WindowFocusLossPausesTheRoundLikeSwitchingAppsDid) {
  harness::Boot();
  PlatformReportWindowFocus(true);
  GameState.SceneState = ScenePlaying;
  SDL_Event focus = {};
  focus.type = SDL_ACTIVEEVENT;
  focus.active.gain = 0;
  focus.active.state = SDL_APPINPUTFOCUS;
  SDL_PushEvent(&focus);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_EQ(frameDelay, 100);
  focus.active.gain = 1;
  SDL_PushEvent(&focus);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_EQ(frameDelay, 33);
  // The pointer leaving the window is not a focus change.
  focus.active.gain = 0;
  focus.active.state = SDL_APPMOUSEFOCUS;
  SDL_PushEvent(&focus);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
}

TEST_F(GameTest, GamepadLeftStickSteersLikeTiltWithARoundDeadZone) {
  harness::Boot();
  GameState.controlMethod = ControlAccelerometer;
  struct Case {
    int16_t x, y;
    double steerX, steerY;
  } cases[] = {
      {32767, 0, 1200, 0},          // full right: full tilt right
      {-32768, 0, -1200, 0},        // full left
      {0, 32767, 0, 1200},          // full down steers down
      {0, -32768, 0, -1200},        // full up
      {3000, -3000, 0, 0},          // inside the dead zone: nothing
      {23170, 23170, 848.5, 848.5}, // diagonal: full deflection shared by both axes
  };
  for (const Case& c : cases) {
    harness::PushJoyAxis(0, c.x);
    harness::PushJoyAxis(1, c.y);
    harness::Frame();
    EXPECT_NEAR(GameState.SteerX, c.steerX, 2.0) << c.x << "," << c.y;
    EXPECT_NEAR(GameState.SteerY, c.steerY, 2.0) << c.x << "," << c.y;
  }
  // A stick held still sends nothing, yet it keeps steering after something zeroed the steering
  // (a click on the field lifted near the control centre, say).
  GameState.SteerX = GameState.SteerY = 0.0;
  harness::Frame();
  EXPECT_NEAR(GameState.SteerX, 848.5, 2.0);
  EXPECT_NEAR(GameState.SteerY, 848.5, 2.0);
  // Other axes (right stick, triggers) never steer.
  harness::PushJoyAxis(0, 0);
  harness::PushJoyAxis(1, 0);
  harness::PushJoyAxis(2, 32767);
  harness::PushJoyAxis(3, -32768);
  harness::Frame();
  EXPECT_DOUBLE_EQ(GameState.SteerX, 0.0);
  EXPECT_DOUBLE_EQ(GameState.SteerY, 0.0);
}

TEST_F(GameTest, TabletTiltPassesUnchangedWhenTheGamepadLayerIsOff) {
  harness::Boot();
  PlatformPresentGamepadAsTilt(false);
  GameState.controlMethod = ControlAccelerometer;
  harness::PushJoyAxis(0, 8000);  // the tablet's axis 0 is the vertical tilt, negated
  harness::PushJoyAxis(1, -16000);
  harness::Frame();
  EXPECT_DOUBLE_EQ(GameState.SteerY, -600.0);
  EXPECT_DOUBLE_EQ(GameState.SteerX, -1200.0);
}
