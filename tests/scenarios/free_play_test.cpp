// A player's free-play round from the main menu to the closing score and back, with pause,
// focus loss and the back button, checked on the game state, the music and the pixels drawn.
#include <vector>

#include "core/game_state.h"
#include "support/harness.h"
#include "world/round_play.h"

using namespace round_play;

namespace {

class FreePlayTest : public RoundTest {
 protected:
  bool Played(int channel, int soundId, int loops, size_t from) {
    const auto& plays = harness::recorded().plays;
    for (size_t i = from; i < plays.size(); ++i) {
      if (plays[i].channel == channel && plays[i].soundId == soundId && plays[i].loops == loops) return true;
    }
    return false;
  }
  // Drops an asteroid onto a ship with nothing left to lose; the frame that plays it ends the round.
  void DestroyShip() {
    GameState.Shield = 0;
    GameState.Structure = 1;
    PlaceHazard(GameState.Asteroids.slots[0], GameState.ShipX + 20, GameState.ShipY + 35, 40, 0);
    harness::Frame();
    ASSERT_EQ(GameState.SceneState, SceneGameOver);
  }
  // Plays frames of the game-over wait; returns how many ran before the message box opened.
  int WaitForMessageBox(int* swapsOnOpening = nullptr, int* delaysOnOpening = nullptr) {
    for (int frame = 1; frame <= 40; ++frame) {
      const int swaps = harness::recorded().swaps;
      const size_t delays = harness::recorded().delays.size();
      harness::Frame();
      if (GameState.SceneState == SceneMessageBox) {
        if (swapsOnOpening) *swapsOnOpening = harness::recorded().swaps - swaps;
        if (delaysOnOpening) *delaysOnOpening = static_cast<int>(harness::recorded().delays.size() - delays);
        return frame;
      }
    }
    return -1;
  }

  // Everything that moves in a round, to show that a stopped world stands still.
  std::vector<double> Take() {
    std::vector<double> s{double(GameState.RoundFrame), double(GameState.score), double(GameState.ShipX),
                          double(GameState.ShipY), GameState.LaserHeat, GameState.Shield};
    for (const HazardSlot& h : GameState.Asteroids.slots) s.insert(s.end(), {double(h.x), double(h.y)});
    for (const HazardSlot& h : GameState.Infected.slots) s.insert(s.end(), {double(h.x), double(h.y)});
    for (const BoltSlot& b : GameState.BoltPool.slots) s.insert(s.end(), {double(b.x), double(b.y)});
    for (const Star& st : GameState.StarField.stars) s.insert(s.end(), {double(st.x), double(st.y)});
    for (const ExplosionSlot& e : GameState.Explosions.slots) s.push_back(e.frame);
    return s;
  }
};

}  // namespace

TEST_F(FreePlayTest, MenuToScoredRoundToGameOverAndBackToTheMenu) {
  harness::Boot();
  harness::FinishLoading();
  EXPECT_TRUE(Played(31, kMenuMusic, -1, 0)) << "menu music at the end of loading";
  std::vector<int> scenes{GameState.SceneState};
  harness::Frame();
  scenes.push_back(GameState.SceneState);
  EXPECT_FALSE(Shown(GameState.freePlayButton)) << "the buttons wait for the menu's set-up";
  harness::Frame();
  scenes.push_back(GameState.SceneState);
  EXPECT_EQ(scenes, (std::vector<int>{SceneFadeIn, SceneMainMenu, SceneMainMenu}));
  EXPECT_TRUE(Shown(GameState.freePlayButton));

  size_t mark = harness::recorded().plays.size();
  harness::PushTap(kFreePlayX, kFreePlayY);
  scenes.clear();
  for (int i = 0; i < 3; ++i) {
    harness::Frame();
    scenes.push_back(GameState.SceneState);
  }
  EXPECT_EQ(scenes, (std::vector<int>{SceneFadeOut, SceneStartFreePlay, ScenePlaying}));
  EXPECT_EQ(GameState.FreePlay, 1);
  EXPECT_TRUE(Played(31, kLoopMusic, -1, mark)) << "the in-game loop starts with the round";
  EXPECT_TRUE(Shown(GameState.shipView));
  EXPECT_FALSE(Shown(GameState.freePlayButton));
  EXPECT_TRUE(TextShown(GameState.scoreText));
  EXPECT_EQ(Text(GameState.scoreText), "0");
  EXPECT_FALSE(TextShown(GameState.progressLabel)) << "no progress label in free play";

  // Twelve points every 30 frames, shown as they are earned.
  QuietFrames(29);
  EXPECT_EQ(GameState.score, 0);
  EXPECT_EQ(Text(GameState.scoreText), "0");
  QuietFrame();
  EXPECT_EQ(GameState.score, 12);
  EXPECT_EQ(Text(GameState.scoreText), "12");
  QuietFrames(30);
  EXPECT_EQ(Text(GameState.scoreText), "24");

  DestroyShip();
  const int score = GameState.score;
  EXPECT_EQ(GameState.PendingScene, SceneMainMenu);
  int swaps = -1, delays = -1;
  EXPECT_EQ(WaitForMessageBox(&swaps, &delays), 27);
  EXPECT_EQ(swaps, 0) << "the frame that opens the box is not drawn";
  EXPECT_EQ(delays, 0) << "nor followed by the delay";
  EXPECT_FALSE(Shown(GameState.shipView));
  const MessageBoxRecord& box = GameState.MessageBox;
  EXPECT_EQ(box.open, 1);
  EXPECT_EQ(Text(box.line1), "");
  EXPECT_EQ(Text(box.line2), "            SCORE: " + std::to_string(score));
  EXPECT_EQ(Text(box.line3), "");
  EXPECT_TRUE(Shown(box.okButton));
  EXPECT_EQ(V(box.okButton)->x, 464);
  EXPECT_FALSE(Shown(box.cancelButton));
  const int swapsBefore = harness::recorded().swaps;
  harness::Frame();
  EXPECT_EQ(harness::recorded().swaps, swapsBefore + 1) << "the next frame draws the box";
  EXPECT_EQ(harness::recorded().delays.back(), 33u);

  mark = harness::recorded().plays.size();
  harness::PushTap(464 + 48, 402 + 18);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(box.open, 0);
  EXPECT_TRUE(Played(31, kMenuMusic, -1, mark)) << "the menu music restarts";
  EXPECT_TRUE(Shown(GameState.freePlayButton));
  EXPECT_TRUE(Shown(GameState.menuBackground));
  EXPECT_FALSE(Shown(GameState.SpaceBackground[1]));
  EXPECT_FALSE(Shown(GameState.controlPoint));
  EXPECT_FALSE(TextShown(GameState.scoreText));
  EXPECT_FALSE(TextShown(box.line2));
}

TEST_F(FreePlayTest, CampaignRoundEndsWithoutAScore) {
  ReachMenu();
  harness::PushTap(512, 315);  // start: the briefing of the first mission
  for (int i = 0; i < 4; ++i) harness::Frame();
  ASSERT_EQ(GameState.SceneState, SceneInterLevel);
  harness::PushTap(570, 705);  // the briefing's start button
  harness::Frame();
  harness::Frame();
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  ASSERT_EQ(GameState.FreePlay, 0);
  QuietFrames(40);
  DestroyShip();
  EXPECT_EQ(GameState.PendingScene, SceneInterLevel);
  EXPECT_EQ(WaitForMessageBox(), 27);
  EXPECT_EQ(Text(GameState.MessageBox.line2), "YOUR MISSION HAS FAILED!");
}

TEST_F(FreePlayTest, PausingTwiceResumesTheWorldWhereItStopped) {
  StartFreePlay();
  harness::Frames(20);
  harness::PushTap(kFireX, kFireY);
  harness::Frame();
  harness::Frames(3);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  const std::vector<double> before = Take();
  const int flying = (GameState.BoltPool.next + kBoltSlots - 1) % kBoltSlots;
  const int boltY = GameState.BoltPool.slots[flying].y;

  harness::PushTap(kPauseX, kPauseY);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_TRUE(Shown(GameState.pauseButtonOver));
  const int swaps = harness::recorded().swaps;
  harness::Frames(10);
  EXPECT_EQ(harness::recorded().swaps, swaps + 10) << "a paused frame is still drawn";
  EXPECT_EQ(Take(), before);

  harness::PushTap(kPauseX, kPauseY);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_FALSE(Shown(GameState.pauseButtonOver));
  EXPECT_EQ(GameState.RoundFrame, int(before[0]) + 1);
  const int resumedY = GameState.BoltPool.slots[flying].y;
  EXPECT_TRUE(resumedY == boltY - 12 || resumedY == -60) << "the bolt flies on from where it stopped";
}

TEST_F(FreePlayTest, LosingFocusFreezesTheRoundUntilItReturns) {
  StartFreePlay();
  harness::Frames(5);
  const std::vector<double> before = Take();
  harness::PushFocus(false);
  harness::Frames(4);
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_EQ(harness::recorded().delays.back(), 100u);
  EXPECT_EQ(Take(), before);

  harness::PushFocus(true);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_EQ(resumeScene, -1);
  EXPECT_EQ(harness::recorded().delays.back(), 33u);
  EXPECT_EQ(GameState.RoundFrame, int(before[0]) + 1);
}

TEST_F(FreePlayTest, PauseDuringTheGameOverWaitDoesNotStopTheBox) {
  StartFreePlay();
  QuietFrames(10);
  DestroyShip();
  harness::Frames(5);
  harness::PushTap(kPauseX, kPauseY);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, SceneGameOver);
  EXPECT_FALSE(Shown(GameState.pauseButtonOver));
  EXPECT_EQ(WaitForMessageBox(), 27 - 6);
  EXPECT_EQ(GameState.MessageBox.open, 1);
}

TEST_F(FreePlayTest, BackLeavesTheRoundForTheMenu) {
  StartFreePlay();
  harness::Frames(40);
  ASSERT_EQ(GameState.SceneState, ScenePlaying);
  ASSERT_EQ(GameState.Asteroids.next, 2);
  const size_t mark = harness::recorded().plays.size();
  harness::PushTap(kBackX, kBackY);
  harness::Frame();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_TRUE(Played(31, kMenuMusic, -1, mark));
  // The menu's first frame clears the world.
  EXPECT_FALSE(Shown(GameState.shipView));
  for (const HazardSlot& h : GameState.Asteroids.slots) {
    EXPECT_EQ(h.x, -100);
    EXPECT_FALSE(Shown(h.view));
  }
  for (const Star& st : GameState.StarField.stars) EXPECT_FALSE(Shown(st.view));
  for (ViewId space : GameState.SpaceBackground) EXPECT_FALSE(Shown(space));
  EXPECT_FALSE(Shown(GameState.laserBar));
  EXPECT_FALSE(Shown(GameState.gameBackButton));
  EXPECT_FALSE(Shown(GameState.pauseButton));
  EXPECT_FALSE(TextShown(GameState.scoreText));
  EXPECT_TRUE(Shown(GameState.menuBackground));
  EXPECT_TRUE(Shown(GameState.freePlayButton));
  EXPECT_EQ(GameState.TouchAreaTable.entries[GameState.fireArea]->enabled, 0);
}

TEST_F(FreePlayTest, ShipIsDrawnAtItsPlaceAndTheScoreAboveEverything) {
  StartFreePlay();
  QuietFrames(30);
  harness::PushTap(kPauseX, kPauseY);
  harness::Frame();
  ASSERT_EQ(GameState.SceneState, ScenePaused);

  // The same paused frame with and without the ship: its fuselage covers the background.
  harness::CaptureFrames(true);
  const int fx = GameState.ShipX + 40, fy = GameState.ShipY + 45;
  harness::Frame();
  const uint32_t withShip = harness::FramePixel(fx, fy);
  const uint32_t aside = harness::FramePixel(GameState.ShipX + 40, GameState.ShipY - 30);
  ViewSetVisible(GameState.shipView, 0);
  harness::Frame();
  const uint32_t background = harness::FramePixel(fx, fy);
  EXPECT_NE(withShip, background);
  EXPECT_EQ(harness::FramePixel(GameState.ShipX + 40, GameState.ShipY - 30), aside);
  ViewSetVisible(GameState.shipView, 1);

  // The score is written over the full-screen backdrop of the closing message.
  harness::PushTap(kPauseX, kPauseY);
  harness::Frame();
  DestroyShip();
  ASSERT_GT(WaitForMessageBox(), 0);
  harness::Frame();
  std::vector<uint32_t> withText;
  for (int y = 10; y < 40; ++y)
    for (int x = 60; x < 120; ++x) withText.push_back(harness::FramePixel(x, y));
  TextSetVisible(GameState.scoreText, 0);
  harness::Frame();
  int bright = 0;
  size_t i = 0;
  for (int y = 10; y < 40; ++y) {
    for (int x = 60; x < 120; ++x, ++i) {
      const uint32_t p = withText[i];
      const bool white = ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && (p & 0xFF) > 200;
      if (white && p != harness::FramePixel(x, y)) ++bright;
    }
  }
  EXPECT_GT(bright, 10) << "the score's white glyphs show over the message box's backdrop";
  harness::CaptureFrames(false);
}
