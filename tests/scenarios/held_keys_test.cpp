// Keys and buttons held while one screen gives way to the next: Space fires in a round and presses
// buttons on boxes and menus, so a Space held, repeated or hammered through the ship's death must
// not dismiss the closing box and carry on into the menu and the shop.
#include <SDL.h>

#include "support/harness.h"

using namespace harness;

namespace {

bool BoxUp() { return GameState.SceneState == SceneMessageBox && GameState.MessageBox.open == 1; }

// Frames with Space pushed before each as `press` says, until the box has opened and closed or
// `limit` frames passed; the frames at which it opened and closed (-1 if not).
std::pair<int, int> SpaceThroughTheEnd(int limit, bool (*press)(int frame, bool* down)) {
  int opened = -1, closed = -1;
  for (int frame = 0; frame < limit && closed < 0; ++frame) {
    bool down = false;
    if (press(frame, &down)) PushKey(SDLK_SPACE, down);
    Frame();
    if (opened < 0 && BoxUp()) opened = frame;
    if (opened >= 0 && !BoxUp()) closed = frame;
  }
  return {opened, closed};
}

}  // namespace

class HeldKeysTest : public GameTest {};

TEST_F(HeldKeysTest, SpaceHeldOrHammeredThroughTheShipsDeathLeavesTheClosingBoxUp) {
  StartFreePlay();
  const auto progress = [] {
    return std::vector<int>{GameState.credits,       GameState.structureLevel, GameState.shieldLevel,
                            GameState.handlingLevel, GameState.weaponsLevel,   GameState.campaignLevel};
  };
  const std::vector<int> before = progress();
  // Held from the round, repeating (downs without an up), through the death and long after.
  PushKey(SDLK_SPACE, true);
  Frame();
  EXPECT_GT(GameState.LaserHeat, 0.0) << "Space fires in the round";
  StopSpawns();
  LoseShipNextFrame();
  auto [opened, closed] = SpaceThroughTheEnd(90, [](int, bool* down) { return *down = true; });
  EXPECT_TRUE(opened >= 0 && opened < 30 && closed < 0) << opened << " " << closed;
  PushKey(SDLK_SPACE, false);
  Frames(2);
  EXPECT_TRUE(BoxUp()) << "nor does letting it go close it";
  PressKey(SDLK_SPACE, 1);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "a fresh press does";

  // Hammered, a press every other frame: the box shows for its first third of a second whatever
  // is pressed, then the next fresh press closes it.
  Tap(kFreePlay, 3);
  StopSpawns();
  LoseShipNextFrame();
  std::tie(opened, closed) = SpaceThroughTheEnd(80, [](int frame, bool* down) { return *down = frame % 2 == 0, true; });
  EXPECT_TRUE(opened >= 0 && closed - opened >= 10 && closed - opened <= 13) << opened << " " << closed;
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(progress(), before) << "nothing bought or changed on the way";

  // P pauses and its repeats do not resume; Enter held as the back button leaves the round presses
  // nothing on the menu; a finger down in the field as the ship is lost lifts over OK in vain.
  Tap(kFreePlay, 3);
  for (int i = 0; i < 4; ++i, Frame()) PushKey(SDLK_p, true);
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  PushKey(SDLK_p, false);
  PressKey(SDLK_p);
  PushKey(SDLK_RETURN, true);
  Frame();
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  PushMouseDown(kBoxOk[0], kBoxOk[1]);
  StopSpawns();
  LoseShipNextFrame();
  ASSERT_GT(PlayUntilMessage(40), 0);
  PushMouseUp(kBoxOk[0], kBoxOk[1]);
  Frame();
  EXPECT_TRUE(BoxUp()) << "a lift of a press made in the round";
  Tap(kBoxOk);
  ASSERT_EQ(GameState.SceneState, SceneMainMenu) << "a click of its own closes it";
  for (int i = 0; i < 4; ++i, Frame()) PushKey(SDLK_RETURN, true);
  PushKey(SDLK_RETURN, false);
  Frames(3);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "Enter held since the round pressed no menu button";
}
