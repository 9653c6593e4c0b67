// The event pump: touches reach every visible button under the finger in id order, touch areas
// fire as the finger goes down, focus loss pauses a round and slows the loop, quit ends it.
#include <SDL.h>

#include <string>

#include "input/events.h"
#include "support/harness.h"

using namespace harness;

namespace {

std::string calls;  // a letter and the phase per call, e.g. "A1B3"
int A(int phase, int, int) { return calls += "A" + std::to_string(phase), 0; }
int B(int phase, int, int) { return calls += "B" + std::to_string(phase), 0; }
// A 300 x 10 button (the bar frame picture) at (x, y).
ViewId Button(int x, int y, TouchCallback cb) { return ViewAdd("Images/pbBG.png", x, y, cb); }

}  // namespace

class EventsTest : public GameTest {};

TEST_F(EventsTest, TouchesReachEveryVisibleButtonUnderTheFingerAndAreasFireOnThePress) {
  Boot();
  Button(100, 200, A);
  for (auto [x, y] : {std::pair{100, 200}, {400, 210}, {99, 205}, {401, 205}, {250, 199}, {250, 211}}) {
    PushMouseDown(x, y);
  }
  PumpEvents();
  EXPECT_EQ(calls, "A1A1") << "edges included";
  // Overlapping buttons both receive, lowest id first; visibility counts only when exactly 1.
  calls.clear();
  Button(0, 0, B);
  const ViewId other = Button(0, 0, A);
  ViewAdd("Images/pbBG.png", 0, 0);  // no callback: never called, never in the way
  PushMouseUp(5, 5);
  PumpEvents();
  ViewSetVisible(other, 2);
  PushMouseUp(5, 5);
  PumpEvents();
  EXPECT_EQ(calls, "B3A3B3");
  // Press on one button and release on another: each gets its own phase. Other mouse buttons,
  // and motion while the knob is not held, are dropped.
  calls.clear();
  Button(0, 100, A);
  Button(0, 300, B);
  PushMouseDown(10, 105);
  PushMouseUp(10, 305);
  SDL_Event right = {};
  right.button = {SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_RIGHT, SDL_PRESSED, 0, 0};
  SDL_PushEvent(&right);
  PushMouseMotion(5, 105);
  PumpEvents();
  EXPECT_EQ(calls, "A1B3");
  // Touch areas get phase 3 as the finger goes down (y 48 inclusive), nothing when disabled.
  calls.clear();
  const TouchAreaId area = TouchAreaAdd(0, 48, 1024, 768, B);
  for (int y : {48, 47}) PushTap(500, y);
  PumpEvents();
  TouchAreaSetEnabled(area, 0);
  PushMouseDown(500, 500);
  PumpEvents();
  EXPECT_EQ(calls, "B3");
}

TEST_F(EventsTest, LiftsDuringLoadingMoveNoViewAndFocusLossPausesOnlyARoundAndSlowsTheLoop) {
  Boot();
  CaptureFrames(true);
  Frames(3);
  const uint32_t corner = FramePixel(40, 40);
  // Lifts near the top-left corner, where the knob's centre lies before any round placed it, and
  // near the knob's own place, with no press before them; then loading runs on to the menu.
  for (int step = 0; step < 45; ++step) {
    PushMouseUp(step % 3 == 0 ? 10 : 950, step % 3 == 0 ? 12 : 690);
    Frame();
    if (GameState.LoadPhase != 0) break;
    ASSERT_EQ(ViewGetX(GameState.loadingBackground), 0) << "step " << step;
    ASSERT_EQ(ViewGetY(GameState.loadingBackground), 0) << "step " << step;
    ASSERT_EQ(ViewGetX(GameState.loadingBar), 364);
    ASSERT_EQ(FramePixel(40, 40), corner) << "the loading picture stays where it was drawn";
  }
  CaptureFrames(false);
  Frames(2);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);

  // Focus lost: the loop slows down, and only a round is paused.
  PushFocus(false);
  Frame();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(recorded().delays.back(), 100u);
  PushFocus(true);
  Frame();
  EXPECT_EQ(recorded().delays.back(), 33u);
  Tap(kFreePlay, 3);
  PushFocus(false);
  Frame();
  EXPECT_TRUE(GameState.SceneState == ScenePaused && Shown(GameState.GameButtons.pausePanel));
  PushFocus(true);
  Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  // A round left while in the background stays left when focus returns.
  PushFocus(false);
  Frame();
  Tap(kGameBack);
  PushFocus(true);
  Frame();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  // Focus events for the mouse or keyboard alone change nothing.
  Tap(kFreePlay, 3);
  PushActive(SDL_APPMOUSEFOCUS, false);
  Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_EQ(recorded().delays.back(), 33u);
}
