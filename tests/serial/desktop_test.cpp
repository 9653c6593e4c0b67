// The desktop standing in for the tablet: a resizable window whose clicks land on the game pixel
// under them, window focus as app focus, and the gamepad's left stick as the tilt sensor.
#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/platform.h"
#include "platform/x_pointer.h"
#include "support/harness.h"

extern "C" void* SDL12COMPAT_GetWindow(void);

namespace {

std::vector<std::pair<int, int>> touches;  // where the frame-wide area and view were touched
int RecordTouch(int, int x, int y) { return touches.push_back({x, y}), 0; }

// Frames with a little real time between them, so the X server's answers arrive.
void SettleFrames(int count) {
  for (int i = 0; i < count; ++i) {
    usleep(20000);
    harness::Frame();
  }
}

}  // namespace

class DesktopTest : public GameTest {};

// The window resized the way a window manager would: the frame is scaled to fit with its aspect
// kept and centred, with bars on two sides. A click lands on the game pixel under it; a click in
// a bar, beside (or above and below) the back and pause buttons, the fire button and the knob,
// touches nothing: no press of a touch area (tilt mode fires so), no press or lift of a view.
TEST_F(DesktopTest, ClicksInAScaledWindowLandOnTheGameCoordinateUnderThemAndInItsBarsOnNothing) {
  harness::ReachMenu();
  TouchAreaAdd(0, 0, 1024, 768, RecordTouch);
  ViewAdd("Images/loadingBG.png", 0, 0, RecordTouch);  // 1024 x 768
  void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  ASSERT_NE(sdl2, nullptr);
  auto setSize = reinterpret_cast<void (*)(void*, int, int)>(dlsym(sdl2, "SDL_SetWindowSize"));
  auto getPosition = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GetWindowPosition"));
  auto drawable = reinterpret_cast<void (*)(void*, int*, int*)>(dlsym(sdl2, "SDL_GL_GetDrawableSize"));
  void* window = SDL12COMPAT_GetWindow();
  ASSERT_TRUE(setSize != nullptr && getPosition != nullptr && drawable != nullptr && window != nullptr);
  for (auto [w, h] : {std::pair{1024, 768}, {1200, 600}, {600, 900}}) {
    setSize(window, w, h);
    int left = 0, top = 0, width = 0, height = 0;
    for (int i = 0; i < 250 && (width != w || height != h); ++i) {
      SettleFrames(1);
      drawable(window, &width, &height);
    }
    ASSERT_TRUE(width == w && height == h) << width << "x" << height;
    getPosition(window, &left, &top);
    const double scale = std::min(w / 1024.0, h / 768.0);
    const double offsetX = (w - 1024 * scale) / 2, offsetY = (h - 768 * scale) / 2;
    for (auto [gameX, gameY] : {std::pair{512, 375}, {40, 700}, {1000, 20}}) {
      touches.clear();
      ASSERT_TRUE(xpointer::ClickAt(left + static_cast<int>(offsetX + (gameX + 0.5) * scale),
                                    top + static_cast<int>(offsetY + (gameY + 0.5) * scale)));
      SettleFrames(4);
      ASSERT_FALSE(touches.empty()) << w << "x" << h;
      for (auto [x, y] : touches) EXPECT_TRUE(std::abs(x - gameX) <= 1 && std::abs(y - gameY) <= 1) << w << "x" << h;
    }
    std::vector<std::pair<int, int>> bars;
    for (int frameY : {24, 699}) {
      const int y = top + static_cast<int>(offsetY + frameY * scale);
      if (offsetX > 2) bars.insert(bars.end(), {{left + int(offsetX / 2), y}, {left + w - int(offsetX / 2), y}});
    }
    for (int frameX : {24, 71, 946, 1000}) {
      const int x = left + static_cast<int>(offsetX + frameX * scale);
      if (offsetY > 2) bars.insert(bars.end(), {{x, top + int(offsetY / 2)}, {x, top + h - int(offsetY / 2)}});
    }
    ASSERT_EQ(bars.size(), w == 1024 ? 0u : offsetX > 2 ? 4u : 8u);
    touches.clear();
    for (auto [x, y] : bars) ASSERT_TRUE(xpointer::ClickAt(x, y));
    SettleFrames(4);
    EXPECT_TRUE(touches.empty()) << touches.size() << " touches from the bars of " << w << "x" << h;
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
