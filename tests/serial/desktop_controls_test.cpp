// The game played with the desktop's keyboard, mouse and gamepad: real X key and button events
// (XTest) for the keyboard and mouse, pushed joystick events for the pad. Keys end in the game's
// own touches, knob pulls and tilt, so the checks are the game's own state.
#include <SDL.h>
#include <unistd.h>

#include <string>

#include "core/game_state.h"
#include "input/steering.h"
#include "platform/platform.h"
#include "platform/x_pointer.h"
#include "support/harness.h"
#include "world/asteroids.h"

namespace {

// Real X events arrive asynchronously: frames with a short wait between them.
void Settle(int frames = 4) {
  for (int i = 0; i < frames; ++i) {
    usleep(5000);
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

void StopHazards() {
  ClearHazards();
  harness::StopSpawns();
}

}  // namespace

class DesktopControls : public GameTest {};

TEST_F(DesktopControls, AFreePlayRoundWithTheKeyboardAndTheRightButtonWhileTheLeftDrags) {
  BootToMenu();
  // Down moves the focus from START to FREE PLAY (outlined), Enter presses it.
  Press("Down");
  EXPECT_EQ(GameState.FocusView, GameState.Menu.freePlayButton);
  Press("Return");
  WaitFor(ScenePlaying);
  ASSERT_EQ(GameState.FreePlay, 1);
  EXPECT_EQ(GameState.FocusView, -1) << "no outline in a round";
  StopHazards();

  // Left and Up together pull the knob up and to the left; letting go stops the ship.
  const int x0 = GameState.ShipX, y0 = GameState.ShipY;
  Key("Left", true);
  Key("Up", true);
  StopHazards();
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
}

TEST_F(DesktopControls, ACampaignPurchaseAndMissionWithTheKeysAlone) {
  BootToMenu();
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

// One place decides which input steers: a tilt sensor's readings change nothing in the knob
// layouts, where the pad's stick pulls the knob; in the tilt layout the arrows tilt at full scale
// and the readings steer through the calibration.
TEST_F(DesktopControls, TiltReadingsAndArrowsSteerOnlyInTheTiltLayoutAndThePadsStickPullsTheKnob) {
  BootToMenu();
  ASSERT_EQ(GameState.controlMethod, ControlRightHand);
  harness::PushTap(512, 375);
  WaitFor(ScenePlaying);
  StopHazards();
  const auto reading = [](int joystick, int axis, int16_t value) {
    SDL_Event event = {};
    event.jaxis = {SDL_JOYAXISMOTION, Uint8(joystick), Uint8(axis), value};
    SDL_PushEvent(&event);
  };
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
}

// The pad's buttons and D-pad, pushed as the joystick would send them.
TEST_F(DesktopControls, TheGamepadsButtonsAndDpadPlayAndLeave) {
  harness::ReachMenu();
  harness::Frame();
  const auto push = [](Uint8 type, Uint8 index, Uint8 value) {
    SDL_Event event = {};
    if (type == SDL_JOYHATMOTION) event.jhat = {type, 0, 0, value};
    if (type != SDL_JOYHATMOTION) event.jbutton = {type, 0, index, value};
    SDL_PushEvent(&event);
    harness::Frame();
  };
  push(SDL_JOYHATMOTION, 0, SDL_HAT_DOWN);  // focus to FREE PLAY
  push(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
  push(SDL_JOYBUTTONDOWN, 0, 1);  // A presses it
  push(SDL_JOYBUTTONUP, 0, 0);
  harness::Frames(4);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  StopHazards();
  const int x0 = GameState.ShipX;
  push(SDL_JOYHATMOTION, 0, SDL_HAT_LEFT);
  harness::Frames(3);
  EXPECT_LT(GameState.ShipX, x0);
  push(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
  EXPECT_EQ(GameState.SteerX, 0.0);
  const auto press = [&](Uint8 button) {
    push(SDL_JOYBUTTONDOWN, button, 1);
    push(SDL_JOYBUTTONUP, button, 0);
  };
  press(0);  // A fires
  EXPECT_EQ(GameState.LaserHeat, 80.0);
  press(7);  // Start pauses, B resumes
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  press(1);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  press(7);  // paused again, the D-pad down to Leave round, A and A again
  push(SDL_JOYHATMOTION, 0, SDL_HAT_DOWN);
  push(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
  EXPECT_EQ(GameState.FocusView, GameState.GameButtons.leaveButton);
  press(0);
  press(0);
  harness::Frames(3);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  // On the menu the pad's Back asks to quit; B is Cancel.
  press(6);
  EXPECT_EQ(GameState.SceneState, SceneMessageBox);
  press(1);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
}
