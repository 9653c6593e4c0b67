// The desktop standing in for the tablet: a resizable window whose clicks land on the game pixel
// under them, full screen, and the game played with the keyboard, mouse and gamepad: real X key and
// button events (XTest) for the keyboard and mouse, pushed joystick events for the pad, window
// focus as app focus. Keys end in the game's own touches, knob pulls and tilt, so the checks are
// the game's own state.
#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "input/steering.h"
#include "platform/platform.h"
#include "platform/x_pointer.h"
#include "support/harness.h"
#include "world/asteroids.h"

extern "C" void* SDL12COMPAT_GetWindow(void);

namespace {

std::vector<std::pair<int, int>> touches;  // where the frame-wide area and view were touched
int RecordTouch(int, int x, int y) { return touches.push_back({x, y}), 0; }

// Frames with a little real time between them, so that real X events and the server's answers
// arrive.
void Settle(int frames = 4, int wait = 5000) {
  for (int i = 0; i < frames; ++i) {
    usleep(wait);
    harness::Frame();
  }
}

void Key(const char* name, bool down) {
  ASSERT_TRUE(xpointer::Key(name, down)) << name;
  Settle();
}

void Press(const char* name) {
  Key(name, true);
  Key(name, false);
}

// Boots to the menu, with the pointer over the window so that its keys reach the game.
void BootToMenu() {
  harness::ReachMenu();
  int left = 0, top = 0, width = 0, height = 0;
  ASSERT_TRUE(xpointer::GlWindow(&left, &top, &width, &height));
  ASSERT_TRUE(xpointer::MoveTo(left + 200, top + 600));
  Settle();
}

void WaitFor(int32_t scene) {
  for (int i = 0; i < 20 && GameState.SceneState != scene; ++i) Settle(1);
  ASSERT_EQ(GameState.SceneState, scene);
}

}  // namespace

class DesktopTest : public GameTest {};

// Full screen on and off with no window manager (the bare Xvfb the tests run on): the frame is
// drawn at the window's real size each time, and FREE PLAY is clicked where it shows.
TEST_F(DesktopTest, FullScreenAndAScaledWindowShowTheFrameWhereClicksLandOnTheGameCoordinateUnderThem) {
  harness::ReachMenu();
  harness::CaptureFrames(true);
  for (int toggle = 0; toggle < 2; ++toggle) {
    PlatformToggleFullScreen();
    Settle(10, 20000);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(xpointer::GlWindow(&x, &y, &w, &h));
    const double scale = std::min(w / 1024.0, h / 768.0);
    const int left = x + static_cast<int>(std::lround((w - 1024 * scale) / 2));
    const int top = y + static_cast<int>(std::lround((h - 768 * scale) / 2));
    // What the screen shows matches the frame drawn, scaled into the window.
    int matches = 0;
    for (int wait = 0; wait < 100 && matches < 12; ++wait) {
      Settle(1, 20000);
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
    for (int wait = 0; wait < 100 && GameState.SceneState != ScenePlaying; ++wait) Settle(1, 20000);
    EXPECT_EQ(GameState.SceneState, ScenePlaying) << "FREE PLAY where it is drawn";
    harness::Tap(harness::kGameBack, 2);
    ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  }
  harness::CaptureFrames(false);
  // The window resized the way a window manager would: the frame is scaled to fit with its aspect
  // kept and centred, with bars on two sides. A click lands on the game pixel under it; a click in
  // a bar, beside (or above and below) the back and pause buttons, the fire button and the knob,
  // touches nothing: no press of a touch area (tilt mode fires so), no press or lift of a view.
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
      Settle(1, 20000);
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
      Settle(4, 20000);
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
    Settle(4, 20000);
    EXPECT_TRUE(touches.empty()) << touches.size() << " touches from the bars of " << w << "x" << h;
  }
}

TEST_F(DesktopTest, AFreePlayRoundAndACampaignPurchaseWithTheKeyboardAndTheRightButtonWhileTheLeftDrags) {
  BootToMenu();
  // Down moves the focus from START to FREE PLAY (outlined), Enter presses it.
  Press("Down");
  EXPECT_EQ(GameState.FocusView, GameState.Menu.freePlayButton);
  Press("Return");
  WaitFor(ScenePlaying);
  ASSERT_EQ(GameState.FreePlay, 1);
  EXPECT_EQ(GameState.FocusView, -1) << "no outline in a round";
  ClearHazards();
  harness::StopSpawns();

  // Left and Up together pull the knob up and to the left; letting go stops the ship.
  const int x0 = GameState.ShipX, y0 = GameState.ShipY;
  Key("Left", true);
  Key("Up", true);
  ClearHazards();
  EXPECT_LT(GameState.ShipX, x0);
  EXPECT_LT(GameState.ShipY, y0);
  EXPECT_LT(ViewGetX(GameState.controlPoint), 914);
  EXPECT_LT(ViewGetY(GameState.controlPoint), 661);
  Key("Left", false);
  Key("Up", false);
  EXPECT_EQ(GameState.SteerX, 0.0);
  EXPECT_EQ(ViewGetX(GameState.controlPoint), 914);
  const int stopped = GameState.ShipX;
  Settle(2);
  EXPECT_EQ(GameState.ShipX, stopped);

  // Space (or Ctrl, or the right button while the left drags the knob) fires one shot a press,
  // with the fire button's heat and sound.
  const size_t sounds = harness::recorded().plays.size();
  Press("space");
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  Press("Control_L");
  EXPECT_EQ(GameState.LaserHeat, 160.0);
  harness::PushMouseDown(harness::kKnob[0], harness::kKnob[1]);
  harness::PushMouseMotion(harness::kKnob[0] - 60, harness::kKnob[1], 1);
  harness::Frame();
  ASSERT_EQ(GameState.ControlDragging, 1);
  ASSERT_TRUE(xpointer::Button(3, true) && xpointer::Button(3, false));
  Settle();
  EXPECT_EQ(GameState.LaserHeat, 240.0);
  EXPECT_TRUE(GameState.ControlDragging == 1 && GameState.SteerX < 0.0) << "the drag goes on";
  harness::PushMouseUp(harness::kKnob[0], harness::kKnob[1]);
  EXPECT_EQ(harness::Plays(harness::kLaserSound, sounds), 3);

  // Window focus taken as app focus: losing it pauses the round as switching apps did, and
  // getting it back plays on.
  PlatformReportWindowFocus(true);
  harness::PushActive(SDL_APPINPUTFOCUS, false);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  harness::PushActive(SDL_APPINPUTFOCUS, true);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  PlatformReportWindowFocus(false);

  // P pauses and resumes, and so does Esc; the paused round is left by its Leave round button,
  // reached with Down, which asks first (Enter takes the outlined OK).
  Press("p");
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  Press("p");
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  Press("Escape");
  EXPECT_TRUE(GameState.SceneState == ScenePaused && harness::Shown(GameState.GameButtons.pausePanel));
  Press("Down");
  EXPECT_EQ(GameState.FocusView, GameState.GameButtons.leaveButton);
  Press("Return");
  EXPECT_EQ(GameState.SceneState, SceneMessageBox);
  Press("Return");
  WaitFor(SceneMainMenu);

  // A campaign purchase and mission with the keys alone.
  Press("Return");  // START has the focus first
  WaitFor(SceneInterLevel);
  Press("Down");  // from the first BUY (structure, 5000) to the shield's
  Press("Return");
  EXPECT_EQ(GameState.shieldLevel, 2);
  EXPECT_EQ(GameState.credits, 3500);
  // Tab steps on through the handling and weapons BUY buttons and BACK to START.
  for (int i = 0; i < 4; ++i) Press("Tab");
  EXPECT_EQ(GameState.FocusView, GameState.InterLevel.startButton);
  Press("Return");
  WaitFor(ScenePlaying);
  EXPECT_EQ(GameState.FreePlay, 0);
}

// The pad's buttons and D-pad, pushed as the joystick would send them, play a round and leave it.
// One place decides which input steers: a tilt sensor's readings change nothing in the knob
// layouts, where the pad's stick and D-pad pull the knob; in the tilt layout the arrows tilt at
// full scale, the readings steer through the calibration and the pad's left stick steers like
// tilt, with a round dead zone.
TEST_F(DesktopTest, ThePadPlaysAndLeavesAndOnlyInTheTiltLayoutTiltArrowsAndThePadsStickSteerLikeTilt) {
  BootToMenu();
  ASSERT_EQ(GameState.controlMethod, ControlRightHand);
  const auto push = [](Uint8 type, Uint8 index, Uint8 value) {
    SDL_Event event = {};
    if (type == SDL_JOYHATMOTION) event.jhat = {type, 0, 0, value};
    if (type != SDL_JOYHATMOTION) event.jbutton = {type, 0, index, value};
    SDL_PushEvent(&event);
    harness::Frame();
  };
  const auto press = [&](Uint8 button) {
    push(SDL_JOYBUTTONDOWN, button, 1);
    push(SDL_JOYBUTTONUP, button, 0);
  };
  const auto reading = [](int joystick, int axis, int16_t value) {
    SDL_Event event = {};
    event.jaxis = {SDL_JOYAXISMOTION, Uint8(joystick), Uint8(axis), value};
    SDL_PushEvent(&event);
  };
  push(SDL_JOYHATMOTION, 0, SDL_HAT_DOWN);  // focus to FREE PLAY
  push(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
  press(0);  // A presses it
  WaitFor(ScenePlaying);
  ClearHazards();
  harness::StopSpawns();
  press(0);  // A fires
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  press(7);  // Start pauses, B resumes
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  press(1);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);

  const int x0 = GameState.ShipX;
  for (int frame = 0; frame < 10; ++frame) {
    reading(kTiltSensorJoystick, 1, frame % 2 == 0 ? 16000 : -16000);  // tipped hard right, then left
    reading(kTiltSensorJoystick, 0, -16000);
    harness::Frame();
  }
  EXPECT_EQ(GameState.ShipX, x0);
  EXPECT_EQ(GameState.SteerX, 0.0);
  EXPECT_EQ(GameState.SteerY, 0.0);
  reading(0, 0, -32767);  // the pad's stick pushed left
  harness::Frames(3);
  EXPECT_LT(GameState.ShipX, x0 - 10);
  EXPECT_LT(GameState.SteerX, 0.0);
  reading(0, 0, 0);
  harness::Frames(2);
  EXPECT_EQ(GameState.SteerX, 0.0);
  const int stopped = GameState.ShipX;
  push(SDL_JOYHATMOTION, 0, SDL_HAT_LEFT);
  harness::Frames(3);
  EXPECT_LT(GameState.ShipX, stopped);
  push(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
  EXPECT_EQ(GameState.SteerX, 0.0);

  GameState.controlMethod = ControlAccelerometer;
  Key("Right", true);
  EXPECT_EQ(GameState.SteerX, 1200.0);
  Key("Right", false);
  EXPECT_EQ(GameState.SteerX, 0.0);
  ApplyCalibration(300, 0);
  reading(kTiltSensorJoystick, 1, 16000);
  harness::Frame();
  EXPECT_EQ(GameState.SteerX, 900.0);  // full tilt 1200, less the calibration
  const int x1 = GameState.ShipX;
  harness::Frames(3);
  EXPECT_GT(GameState.ShipX, x1);
  ApplyCalibration(0, 0);
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

  press(7);  // paused again, the D-pad down to Leave round, A and A again
  push(SDL_JOYHATMOTION, 0, SDL_HAT_DOWN);
  push(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
  EXPECT_EQ(GameState.FocusView, GameState.GameButtons.leaveButton);
  press(0);
  press(0);
  WaitFor(SceneMainMenu);
  // On the menu the pad's Back asks to quit; B is Cancel.
  press(6);
  EXPECT_EQ(GameState.SceneState, SceneMessageBox);
  press(1);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
}
