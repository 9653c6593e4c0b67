// Keys and buttons held while one screen gives way to the next: Space fires in a round and presses
// buttons on boxes and menus, so a Space held, repeated or hammered through the ship's death must
// not dismiss the closing box and carry on into the menu and the shop.
#include <SDL.h>

#include "support/harness.h"
#include "views/views.h"

using namespace harness;

namespace {

void PushKey(SDLKey key, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.type = event.type;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  SDL_PushEvent(&event);
}

// The ship is struck on the next frame and lost.
void LoseTheShip() {
  GameState.Shield = 0;
  GameState.Structure = 1;
  PlaceHazard(GameState.Asteroids.slots[0], GameState.ShipX + 20, GameState.ShipY + 35, 40, 0);
}

struct Progress {
  int credits, levels[4], campaign;
  bool operator==(const Progress& o) const {
    return credits == o.credits && campaign == o.campaign && levels[0] == o.levels[0] && levels[1] == o.levels[1] &&
           levels[2] == o.levels[2] && levels[3] == o.levels[3];
  }
};

Progress Now() {
  return {GameState.credits,
          {GameState.structureLevel, GameState.shieldLevel, GameState.handlingLevel, GameState.weaponsLevel},
          GameState.campaignLevel};
}

bool BoxUp() { return GameState.SceneState == SceneMessageBox && GameState.MessageBox.open == 1; }

}  // namespace

class HeldKeysTest : public GameTest {};

TEST_F(HeldKeysTest, SpaceHeldOrHammeredThroughTheShipsDeathLeavesTheClosingBoxUp) {
  StartFreePlay();
  const Progress before = Now();
  StopSpawns();
  QuietFrames(5);

  // Held, with the key's repeats, from the round through the death and long after the box opened.
  PushKey(SDLK_LEFT, true);
  PushKey(SDLK_SPACE, true);
  Frame();
  EXPECT_GT(GameState.LaserHeat, 0.0) << "Space fires in the round";
  LoseTheShip();
  int opened = -1;
  for (int frame = 0; frame < 90; ++frame) {
    PushKey(SDLK_SPACE, true);  // a repeat: no key-up in between
    Frame();
    if (opened < 0 && BoxUp()) opened = frame;
  }
  ASSERT_GE(opened, 0) << "the game-over box opened";
  EXPECT_GE(90 - opened, 60);
  EXPECT_TRUE(BoxUp()) << "a Space held since the round does not press OK";
  PushKey(SDLK_SPACE, false);
  PushKey(SDLK_LEFT, false);
  Frames(3);
  EXPECT_TRUE(BoxUp()) << "nor does letting it go";
  // A fresh press does.
  PushKey(SDLK_SPACE, true);
  Frame();
  PushKey(SDLK_SPACE, false);
  Frame();
  EXPECT_FALSE(BoxUp());
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);

  // Hammered, a press every other frame: the box shows for its first third of a second whatever
  // is pressed, then the next fresh press closes it.
  Tap(kFreePlay, 3);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  StopSpawns();
  LoseTheShip();
  opened = -1;
  int closed = -1;
  for (int frame = 0; frame < 80 && closed < 0; ++frame) {
    PushKey(SDLK_SPACE, frame % 2 == 0);
    Frame();
    if (opened < 0 && BoxUp()) opened = frame;
    if (opened >= 0 && !BoxUp()) closed = frame;
  }
  ASSERT_GE(opened, 0);
  ASSERT_GE(closed, 0) << "a fresh press after the first moments closes the box";
  EXPECT_GE(closed - opened, 10) << "the box stayed up for its first frames";
  EXPECT_LE(closed - opened, 13);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_TRUE(Now() == before) << "nothing bought or changed on the way";
}

TEST_F(HeldKeysTest, AKeyOrFingerHeldAsAScreenOpensActsOnItOnlyWhenPressedAgain) {
  StartFreePlay();
  StopSpawns();
  QuietFrames(3);
  // P pauses; its repeats do not toggle the pause back off, a second press does.
  PushKey(SDLK_p, true);
  Frame();
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  for (int i = 0; i < 5; ++i) {
    PushKey(SDLK_p, true);
    Frame();
  }
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  PushKey(SDLK_p, false);
  PushKey(SDLK_p, true);
  Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  PushKey(SDLK_p, false);

  // Enter, held as the back button leaves the round for the menu, presses nothing there.
  PushKey(SDLK_RETURN, true);
  Tap(kGameBack);
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  for (int i = 0; i < 4; ++i) {
    PushKey(SDLK_RETURN, true);
    Frame();
  }
  PushKey(SDLK_RETURN, false);
  Frames(3);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "Enter held since the round pressed no menu button";

  // A finger down in the field as the ship is lost, lifted over the box's OK, does not close it.
  Tap(kFreePlay, 3);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  StopSpawns();
  PushMouseDown(kBoxOk[0], kBoxOk[1]);
  LoseTheShip();
  ASSERT_GT(PlayUntilMessage(40), 0);
  Frames(15);
  PushMouseUp(kBoxOk[0], kBoxOk[1]);
  Frame();
  EXPECT_TRUE(BoxUp()) << "a lift of a press made in the round";
  Tap(kBoxOk);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "a click of its own closes it";
}
