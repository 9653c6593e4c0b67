// The desktop standing in for the tablet: a resizable window whose clicks land on the game pixel
// under them, window focus as app focus, and the gamepad's left stick as the tilt sensor.
#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <vector>

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
  harness::PushActive(SDL_APPINPUTFOCUS, false);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  harness::PushActive(SDL_APPINPUTFOCUS, true);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
}

TEST_F(DesktopTest, GamepadLeftStickSteersLikeTiltWithARoundDeadZone) {
  harness::Boot();
  GameState.controlMethod = ControlAccelerometer;
  struct Case {
    int16_t x, y;
    double steerX, steerY;
  } cases[] = {
      {32767, 0, 1200, 0},          {-32768, 0, -1200, 0}, {0, 32767, 0, 1200},
      {0, -32768, 0, -1200},        {3000, -3000, 0, 0},  // inside the dead zone: nothing
      {23170, 23170, 848.5, 848.5},                       // diagonal: full deflection shared by both axes
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

// Clicks in the black bars of a window wider, then taller, than the frame: in the knob layout and
// in tilt mode (where a click anywhere on the field fires) they touch nothing.
TEST_F(DesktopTest, ClicksInTheBlackBarsAroundTheFrameTouchNothing) {
  harness::StartFreePlay();
  harness::StopSpawns();
  void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  auto setSize = reinterpret_cast<void (*)(void*, int, int)>(dlsym(sdl2, "SDL_SetWindowSize"));
  auto drawable = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GL_GetDrawableSize"));
  for (auto [w, h] : {std::pair{1400, 800}, {800, 1000}}) {
    setSize(SDL12COMPAT_GetWindow(), w, h);
    int width = 0, height = 0;
    for (int i = 0; i < 250 && (width != w || height != h); ++i) {
      SettleFrames(1);
      drawable(SDL12COMPAT_GetWindow(), &width, &height);
    }
    ASSERT_TRUE(width == w && height == h) << width << "x" << height;
    harness::QuietFrame();
    const double scale = std::min(w / 1024.0, h / 768.0);
    const int left = static_cast<int>(std::lround((w - 1024 * scale) / 2));
    const int top = static_cast<int>(std::lround((h - 768 * scale) / 2));
    // In each bar, beside (or above and below) the back and pause buttons, the fire button and the knob.
    std::vector<std::pair<int, int>> clicks;
    for (int frameY : {24, 699}) {
      const int y = top + static_cast<int>(frameY * scale);
      if (left > 2) clicks.insert(clicks.end(), {{left / 2, y}, {w - left / 2, y}});
    }
    for (int frameX : {24, 71, 946, 1000}) {
      const int x = left + static_cast<int>(frameX * scale);
      if (top > 2) clicks.insert(clicks.end(), {{x, top / 2}, {x, h - top / 2}});
    }
    ASSERT_EQ(clicks.size(), left > 2 ? 4u : 8u);
    for (int32_t method : {ControlRightHand, ControlAccelerometer}) {
      GameState.controlMethod = method;
      const int shipX = GameState.ShipX, shipY = GameState.ShipY, knobX = ViewGetX(GameState.controlPoint);
      for (auto [x, y] : clicks) harness::PushTap(x, y);
      harness::QuietFrames(2);
      EXPECT_EQ(GameState.SceneState, ScenePlaying) << w << "x" << h;
      EXPECT_TRUE(GameState.ShipX == shipX && GameState.ShipY == shipY && ViewGetX(GameState.controlPoint) == knobX);
      EXPECT_EQ(GameState.ControlDragging, 0);
      for (const BoltSlot& bolt : GameState.BoltPool.slots) EXPECT_LT(bolt.y, 0) << "a bolt fired from " << method;
      EXPECT_FALSE(harness::Shown(GameState.firePointDown) || harness::Shown(GameState.GameButtons.pauseButtonOver));
    }
    GameState.controlMethod = ControlRightHand;
  }
}

// Full screen on and off with no window manager (the bare Xvfb the tests run on): the frame is
// drawn at the window's real size each time, and FREE PLAY is clicked where it shows.
TEST_F(DesktopTest, FullScreenOnAndOffDrawsTheMenuAtTheWindowsSize) {
  harness::ReachMenu();
  harness::CaptureFrames(true);
  for (int toggle = 0; toggle < 2; ++toggle) {
    PlatformToggleFullScreen();
    SettleFrames(10);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(xpointer::GlWindow(&x, &y, &w, &h));
    const double scale = std::min(w / 1024.0, h / 768.0);
    const int left = x + static_cast<int>(std::lround((w - 1024 * scale) / 2));
    const int top = y + static_cast<int>(std::lround((h - 768 * scale) / 2));
    // What the screen shows matches the frame drawn, scaled into the window.
    int matches = 0;
    for (int wait = 0; wait < 100 && matches < 12; ++wait) {
      SettleFrames(1);
      matches = 0;
      for (int fy : {40, 300, 500, 740}) {
        for (int fx : {40, 512, 990}) {
          const int sx = left + static_cast<int>((fx + 0.5) * scale), sy = top + static_cast<int>((fy + 0.5) * scale);
          matches += xpointer::ScreenPixel(sx, sy) == harness::FramePixel(fx, fy);
        }
      }
    }
    EXPECT_EQ(matches, 12) << "window " << w << "x" << h << " at " << x << "," << y;
    ASSERT_TRUE(xpointer::ClickAt(left + static_cast<int>(512 * scale), top + static_cast<int>(375 * scale)));
    for (int wait = 0; wait < 100 && GameState.SceneState != ScenePlaying; ++wait) SettleFrames(1);
    EXPECT_EQ(GameState.SceneState, ScenePlaying) << "FREE PLAY where it is drawn";
    harness::Tap(harness::kGameBack, 2);
    ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  }
  harness::CaptureFrames(false);
}
