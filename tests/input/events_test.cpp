#include <SDL.h>

#include <vector>

#include "core/game_state.h"
#include "input/events.h"
#include "support/harness.h"
#include "views/views.h"

namespace {

struct Call {
  char who;
  int phase, x, y;
};
std::vector<Call> calls;
ViewId laterView = -1;

int First(int phase, int x, int y) {
  calls.push_back({'A', phase, x, y});
  return 0;
}
int Second(int phase, int x, int y) {
  calls.push_back({'B', phase, x, y});
  return 0;
}
int ShowsLater(int phase, int x, int y) {
  calls.push_back({'S', phase, x, y});
  ViewSetVisible(laterView, 1);
  return 0;
}
int HidesLater(int phase, int x, int y) {
  calls.push_back({'H', phase, x, y});
  ViewSetVisible(laterView, 0);
  return 0;
}
int Area(int phase, int x, int y) {
  calls.push_back({'T', phase, x, y});
  return 0;
}

std::string Order() {
  std::string s;
  for (const Call& c : calls) s += c.who;
  return s;
}

}  // namespace

class TouchTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    harness::Boot();
    calls.clear();
  }
  // A 300 x 10 button (the bar frame picture) at (x, y).
  ViewId Button(int x, int y, TouchCallback cb) { return ViewAdd("Images/pbBG.png", x, y, cb); }
};

TEST_F(TouchTest, EdgesAreInclusive) {
  Button(100, 200, First);
  for (auto [x, y] : {std::pair{100, 200}, {400, 210}, {100, 210}, {400, 200}}) DispatchTouch(x, y, 1);
  EXPECT_EQ(calls.size(), 4u);
  for (auto [x, y] : {std::pair{99, 205}, {401, 205}, {250, 199}, {250, 211}}) DispatchTouch(x, y, 1);
  EXPECT_EQ(calls.size(), 4u);
}

TEST_F(TouchTest, OverlappingViewsAllReceiveInIdOrderAndOnlyVisibilityOneCounts) {
  Button(0, 0, Second);
  const ViewId other = Button(0, 0, First);
  DispatchTouch(5, 5, 3);
  EXPECT_EQ(Order(), "BA");
  EXPECT_EQ(calls[0].phase, 3);
  ViewSetVisible(other, 2);
  DispatchTouch(5, 5, 3);
  EXPECT_EQ(Order(), "BAB");
  ViewAdd("Images/pbBG.png", 0, 0);  // no callback: never called, never in the way
  DispatchTouch(5, 5, 1);
  EXPECT_EQ(Order(), "BABB");
}

TEST_F(TouchTest, CallbackChangesWhatLaterViewsSeeInTheSameDispatch) {
  Button(0, 0, ShowsLater);
  laterView = Button(0, 0, Second);
  ViewSetVisible(laterView, 0);
  DispatchTouch(1, 1, 1);
  EXPECT_EQ(Order(), "SB");

  calls.clear();
  ViewSetVisible(GameState.ViewTable.count - 2, 0);
  Button(0, 100, HidesLater);
  laterView = Button(0, 100, Second);
  DispatchTouch(1, 101, 1);
  EXPECT_EQ(Order(), "H");
}

TEST_F(TouchTest, PressOnOneButtonReleaseOnAnotherThroughTheEventPump) {
  Button(0, 100, First);
  Button(0, 300, Second);
  harness::PushMouseDown(10, 105);
  harness::PushMouseUp(10, 305);
  PumpEvents();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].who, 'A');
  EXPECT_EQ(calls[0].phase, 1);
  EXPECT_EQ(calls[1].who, 'B');
  EXPECT_EQ(calls[1].phase, 3);
}

TEST_F(TouchTest, TouchAreasGetPhaseThreeWhenTheFingerGoesDown) {
  const TouchAreaId area = TouchAreaAdd(0, 48, 1024, 768, Area);
  harness::PushMouseDown(500, 48);
  PumpEvents();
  ASSERT_EQ(Order(), "T");
  EXPECT_EQ(calls[0].phase, 3);
  harness::PushMouseUp(500, 48);
  harness::PushMouseDown(500, 47);
  PumpEvents();
  EXPECT_EQ(Order(), "T");
  TouchAreaSetEnabled(area, 0);
  harness::PushMouseDown(500, 300);
  PumpEvents();
  EXPECT_EQ(Order(), "T");
}

TEST_F(TouchTest, OtherButtonsAndMotionWithoutDraggingAreDropped) {
  Button(0, 0, First);
  SDL_Event right = {};
  right.type = SDL_MOUSEBUTTONDOWN;
  right.button.button = SDL_BUTTON_RIGHT;
  SDL_PushEvent(&right);
  harness::PushMouseMotion(5, 5);
  PumpEvents();
  EXPECT_TRUE(calls.empty());
}

TEST_F(TouchTest, FocusTableAndQuit) {
  GameState.SceneState = SceneMainMenu;
  harness::PushFocus(false);
  PumpEvents();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(frameDelay, 100);
  EXPECT_EQ(resumeScene, -1);
  harness::PushFocus(true);
  PumpEvents();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(frameDelay, 33);

  GameState.SceneState = ScenePlaying;
  harness::PushFocus(false);
  PumpEvents();
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_EQ(resumeScene, 3);
  harness::PushFocus(true);
  PumpEvents();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_EQ(resumeScene, -1);

  // Focus events for the mouse or keyboard alone change nothing.
  SDL_Event mouseFocus = {};
  mouseFocus.type = SDL_ACTIVEEVENT;
  mouseFocus.active.gain = 0;
  mouseFocus.active.state = SDL_APPMOUSEFOCUS;
  SDL_PushEvent(&mouseFocus);
  PumpEvents();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_EQ(frameDelay, 33);

  EXPECT_EQ(running, 1);
  harness::PushQuit();
  PumpEvents();
  EXPECT_EQ(running, 0);
}

TEST_F(TouchTest, ARoundLeftWhileInTheBackgroundStaysLeftWhenFocusReturns) {
  GameState.SceneState = ScenePlaying;
  harness::PushFocus(false);
  PumpEvents();
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  GameState.SceneState = SceneMainMenu;  // what the in-game back button does
  harness::PushFocus(true);
  PumpEvents();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(resumeScene, -1);
  EXPECT_EQ(frameDelay, 33);
}
