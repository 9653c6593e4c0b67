// A player's free-play round from the main menu to the closing score and back, with pause and
// the back button, checked on the game state, the music and the pixels drawn.
#include <cstring>
#include <vector>

#include "render/text.h"
#include "support/harness.h"

using namespace harness;

namespace {

// Everything that moves in a round, to show that a stopped world stands still.
std::vector<double> Take() {
  std::vector<double> s{double(GameState.RoundFrame), double(GameState.score), double(GameState.ShipX),
                        double(GameState.ShipY),      GameState.LaserHeat,     GameState.Shield};
  for (const HazardSlot& h : GameState.Asteroids.slots) s.insert(s.end(), {double(h.x), double(h.y)});
  for (const BoltSlot& b : GameState.BoltPool.slots) s.insert(s.end(), {double(b.x), double(b.y)});
  for (const Star& st : GameState.StarField.stars) s.insert(s.end(), {double(st.x), double(st.y)});
  for (const ExplosionSlot& e : GameState.Explosions.slots) s.push_back(e.frame);
  return s;
}

// Pixels of the last frame that differ from those of the frame before, in a rectangle.
int Changed(const std::vector<uint8_t>& before, int left, int top, int right, int bottom) {
  int changed = 0;
  for (int y = top; y < bottom; ++y) {
    const size_t row = static_cast<size_t>(y) * kScreenWidth * 4;
    for (int x = left; x < right; ++x) changed += memcmp(&before[row + x * 4], &lastFrame()[row + x * 4], 3) != 0;
  }
  return changed;
}

}  // namespace

class FreePlayTest : public GameTest {};

TEST_F(FreePlayTest, MenuToScoredRoundToGameOverAndBackToTheMenu) {
  Boot();
  FinishLoading();
  EXPECT_EQ(Plays(kMenuMusic, 0, kMusicChannel), 1) << "menu music at the end of loading";
  std::vector<int> scenes{GameState.SceneState};
  for (int i = 0; i < 2; ++i, scenes.push_back(GameState.SceneState)) {
    EXPECT_FALSE(Shown(GameState.Menu.freePlayButton)) << "the buttons wait for the menu's set-up";
    Frame();
  }
  EXPECT_TRUE(Shown(GameState.Menu.freePlayButton));
  size_t mark = recorded().plays.size();
  PushTap(kFreePlay[0], kFreePlay[1]);
  for (int i = 0; i < 3; ++i, scenes.push_back(GameState.SceneState)) Frame();
  EXPECT_EQ(scenes, (std::vector<int>{SceneFadeIn, SceneMainMenu, SceneMainMenu, SceneFadeOut, SceneStartFreePlay,
                                      ScenePlaying}));
  EXPECT_EQ(Plays(kLoopMusic, mark, kMusicChannel), 1) << "the in-game loop starts with the round";
  EXPECT_TRUE(Shown(GameState.shipView) && TextShown(GameState.GameButtons.scoreText));
  EXPECT_FALSE(Shown(GameState.Menu.freePlayButton));
  EXPECT_FALSE(TextShown(GameState.GameButtons.progressLabel)) << "no progress label in free play";
  // Twelve points every 30 frames, shown as they are earned.
  QuietFrames(29);
  EXPECT_EQ(Text(GameState.GameButtons.scoreText), "0");
  QuietFrame();
  EXPECT_EQ(Text(GameState.GameButtons.scoreText), "12");
  QuietFrames(30);

  // The ship is lost; the message comes on the 27th frame after, and pause does nothing meanwhile.
  LoseShipNextFrame();
  Frames(6);
  EXPECT_EQ(GameState.SceneState, SceneGameOver);
  Tap(kPause);
  EXPECT_FALSE(Shown(GameState.GameButtons.pauseButtonOver));
  EXPECT_EQ(PlayUntilMessage(40), 27 - 6);
  EXPECT_FALSE(Shown(GameState.shipView));
  const MessageBoxRecord& box = GameState.MessageBox;
  EXPECT_EQ(Message(), "       NEW BEST SCORE!|            SCORE: 24|       Your first best score");
  EXPECT_EQ(ViewGetX(box.okButton), 464);
  EXPECT_FALSE(Shown(box.cancelButton));
  // The score is written over the full-screen backdrop of the box.
  CaptureFrames(true);
  Frame();
  const std::vector<uint8_t> withScore = lastFrame();
  TextSetVisible(GameState.GameButtons.scoreText, 0);
  Frame();
  EXPECT_GT(Changed(withScore, 60, 10, 120, 40), 10) << "the score's glyphs show over the box's backdrop";
  CaptureFrames(false);

  mark = recorded().plays.size();
  Tap(kBoxOk);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(Plays(kMenuMusic, mark, kMusicChannel), 1) << "the menu music restarts";
  EXPECT_TRUE(Shown(GameState.Menu.freePlayButton) && Shown(GameState.Menu.menuBackground));
  EXPECT_FALSE(Shown(GameState.SpaceBackground[1]) || Shown(GameState.controlPoint) || TextShown(box.line2));
}

TEST_F(FreePlayTest, PauseFreezesTheRoundAndBackLeavesItForATidyMenu) {
  StartFreePlay();
  Frames(20);
  PushTap(kFire[0], kFire[1]);
  Frames(4);
  const std::vector<double> before = Take();
  const int flying = (GameState.BoltPool.next + kBoltSlots - 1) % kBoltSlots;
  const int boltY = GameState.BoltPool.slots[flying].y;
  Tap(kPause);
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_TRUE(Shown(GameState.GameButtons.pauseButtonOver));
  const int swaps = recorded().swaps;
  Frames(10);
  EXPECT_EQ(recorded().swaps, swaps + 10) << "a paused frame is still drawn";
  EXPECT_EQ(Take(), before);
  // The same paused frame with and without the ship: it covers the background where it is.
  CaptureFrames(true);
  Frame();
  const std::vector<uint8_t> withShip = lastFrame();
  ViewSetVisible(GameState.shipView, 0);
  Frame();
  const int x = GameState.ShipX, y = GameState.ShipY;
  EXPECT_GT(Changed(withShip, x + 32, y, x + 49, y + 90), 500) << "the fuselage";
  EXPECT_EQ(Changed(withShip, x, y - 40, x + 81, y), 0) << "above the ship";
  CaptureFrames(false);
  ViewSetVisible(GameState.shipView, 1);
  Tap(kPause);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_FALSE(Shown(GameState.GameButtons.pauseButtonOver));
  EXPECT_EQ(GameState.RoundFrame, int(before[0]) + 1);
  const int resumedY = GameState.BoltPool.slots[flying].y;
  EXPECT_TRUE(resumedY == boltY - 12 || resumedY == -60) << "the bolt flies on from where it stopped";

  Frames(20);
  ASSERT_GE(GameState.Asteroids.next, 2);
  const size_t mark = recorded().plays.size();
  Tap(kGameBack);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(Plays(kMenuMusic, mark, kMusicChannel), 1);
  for (const HazardSlot& h : GameState.Asteroids.slots) EXPECT_TRUE(h.x == -100 && !Shown(h.view));
  for (const Star& st : GameState.StarField.stars) EXPECT_FALSE(Shown(st.view));
  for (ViewId gone : {GameState.shipView, GameState.laserBar, GameState.GameButtons.gameBackButton,
                      GameState.GameButtons.pauseButton, GameState.SpaceBackground[1]}) {
    EXPECT_FALSE(Shown(gone));
  }
  EXPECT_FALSE(TextShown(GameState.GameButtons.scoreText));
  EXPECT_TRUE(Shown(GameState.Menu.menuBackground) && Shown(GameState.Menu.freePlayButton));
  EXPECT_EQ(GameState.TouchAreaTable.entries[GameState.fireArea]->enabled, 0);
}
