// Helpers for tests that play a free-play round: reaching it through the menu, reading views,
// texts and pictures, and holding the world still around a scripted situation.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/app.h"
#include "core/game_state.h"
#include "render/image.h"
#include "render/text.h"
#include "support/harness.h"
#include "views/views.h"
#include "world/round.h"

namespace round_play {

// Right-hand knob centre, a point on the fire button, the menu's free-play button, pause, back.
constexpr int kKnobX = 946, kKnobY = 693;
constexpr int kFireX = 71, kFireY = 699;
constexpr int kFreePlayX = 512, kFreePlayY = 375;
constexpr int kPauseX = 1000, kPauseY = 24;
constexpr int kBackX = 24, kBackY = 24;
constexpr int kExplosionSound = 0, kLoopMusic = 1, kMenuMusic = 2, kLaserSound = 3;

// Files of Data/User, written before booting.
inline void WriteUserFile(const std::string& name, const std::string& text) {
  std::ofstream("Data/User/" + name, std::ios::binary) << text;
}
// Upgrade levels in the save game: weapons, shield, handling, structure.
inline void WriteUpgrades(int weapons, int shield, int handling, int structure) {
  WriteUserFile("VelMoraSaveGame.sav", "Vel mora >>" + std::to_string(weapons) + ";" + std::to_string(shield) + ";" +
                                           std::to_string(handling) + ";" + std::to_string(structure) + ";1;5000<<");
}
// Music, sound and control-method digits, e.g. "114" for the accelerometer.
inline void WriteOptions(const std::string& digits) { WriteUserFile("VelmoraConfig.cfg", digits); }

inline View* V(ViewId id) { return ViewAt(id); }
inline bool Shown(ViewId id) { return ViewAt(id)->visible == 1; }
inline unsigned Texture(ViewId id) { return ViewAt(id)->image->texture; }
inline unsigned EntryTexture(ImageId id) { return GameState.ImageTable.entries[id]->image->texture; }
inline int DrawnWidth(ViewId id) { return ViewAt(id)->image->width; }
inline std::string Text(TextId id) { return GameState.TextTable.entries[id]->text; }
inline bool TextShown(TextId id) { return GameState.TextTable.entries[id]->visible == 1; }

// Boots, loads and runs frames until the main menu has set itself up.
inline void ReachMenu() {
  harness::Boot();
  harness::FinishLoading();
  for (int i = 0; i < 10 && !(GameState.SceneState == SceneMainMenu && GameState.menuFade == 100); ++i) {
    harness::Frame();
  }
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  ASSERT_EQ(GameState.menuFade, 100);
}

// Taps free play on the menu and runs frames until the round is on, before its first frame.
inline void TapFreePlay() {
  harness::PushTap(kFreePlayX, kFreePlayY);
  for (int i = 0; i < 6 && GameState.SceneState != ScenePlaying; ++i) harness::Frame();
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  ASSERT_EQ(GameState.RoundFrame, 0);
}

inline void StartFreePlay() {
  ReachMenu();
  if (!::testing::Test::HasFatalFailure()) TapFreePlay();
}

// One frame in which nothing can touch the ship: every hazard and pickup is parked first.
inline void QuietFrame() {
  ClearHazards();
  for (PickupPoolRecord* pool : {&GameState.OrePool, &GameState.IcePool}) {
    for (PickupSlot& slot : pool->slots) slot.x = -300;
  }
  harness::Frame();
}
inline void QuietFrames(int count) {
  for (int i = 0; i < count; ++i) QuietFrame();
}

// No more spawns for a long while (until free play speeds up after frame 600).
inline void StopSpawns() {
  GameState.RoundAsteroidPace = GameState.InfectedPeriod = GameState.OrePeriod = 1 << 20;
}

inline void PlaceHazard(HazardSlot& slot, int x, int y, int size, int speed) {
  slot = {slot.view, x, y, size, speed};
  ViewSetVisible(slot.view, 1);
}

// Sounds started with this id since index `from` of the record.
inline int PlaysOf(int soundId, size_t from = 0) {
  int n = 0;
  const auto& plays = harness::recorded().plays;
  for (size_t i = from; i < plays.size(); ++i) n += plays[i].soundId == soundId ? 1 : 0;
  return n;
}

}  // namespace round_play

// A test that runs the game and ends it as main does, so that no audio thread is left running
// while the process exits.
class RoundTest : public GameTest {
 protected:
  void TearDown() override {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) Shutdown();
    GameTest::TearDown();
  }
};
