// Pausing a round as a player does (the pause button, Esc, losing focus): the round standing still
// under the overlay over the dimmed frame, Resume, Leave round with its question and back, each
// leaving a tidy menu; and quitting from the desktop's menu.
#include <SDL.h>
#include <unistd.h>

#include <vector>

#include "app/app.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr int kResume[2] = {512, 359}, kLeave[2] = {512, 423};
constexpr int kAskOk[2] = {450, 420}, kAskCancel[2] = {575, 420};

// Everything that moves in a round, to show that a stopped world stands still.
std::vector<double> Round() {
  const GameStateRecord& g = GameState;
  std::vector<double> s{double(g.RoundFrame), double(g.score), double(g.ShipX),    double(g.ShipY),
                        g.LaserHeat,          g.Shield,        double(g.Structure)};
  for (const HazardSlot& h : g.Asteroids.slots)
    s.insert(s.end(), {double(h.x), double(h.y), double(h.size), double(Shown(h.view))});
  for (const BoltSlot& b : g.BoltPool.slots) s.insert(s.end(), {double(b.x), double(b.y)});
  for (const Star& st : g.StarField.stars) s.insert(s.end(), {double(st.x), double(st.y)});
  for (const ExplosionSlot& e : g.Explosions.slots) s.push_back(e.frame);
  return s;
}

// Of a region of the last captured frame: its brightness (white) or its white pixels.
long Sum(int left, int top, int right, int bottom, bool white) {
  long sum = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const uint32_t rgb = FramePixel(x, y);
      sum += white ? (rgb & 0xe0e0e0) == 0xe0e0e0 : (rgb >> 16 & 255) + (rgb >> 8 & 255) + (rgb & 255);
    }
  }
  return sum;
}

}  // namespace

class PauseTest : public GameTest {};

TEST_F(PauseTest, ThePausedRoundStandsStillUnderItsOverlayResumesWholeAndLeavesForATidyMenu) {
  StartFreePlay();
  Frames(20);
  Tap(kFire, 20);
  CaptureFrames(true);
  Frame();
  const long playing = Sum(0, 60, 300, 700, false), playingWhite = Sum(412, 264, 612, 310, true);
  const std::vector<double> before = Round();
  const int flying = (GameState.BoltPool.next + kBoltSlots - 1) % kBoltSlots;
  const int boltY = GameState.BoltPool.slots[flying].y;
  Tap(kPause, 2);
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_LT(Sum(0, 60, 300, 700, false), playing * 7 / 10) << "the frame is dimmed";
  EXPECT_GT(Sum(412, 264, 612, 310, true), playingWhite + 300) << "PAUSED in white letters";
  EXPECT_TRUE(Shown(GameState.GameButtons.pausePanel) && Shown(GameState.GameButtons.resumeButton) &&
              Shown(GameState.GameButtons.leaveButton) && Shown(GameState.GameButtons.pauseButtonOver));
  const int swaps = recorded().swaps;
  Frames(5);
  EXPECT_EQ(recorded().swaps, swaps + 5) << "a paused frame is still drawn";
  EXPECT_EQ(Round(), before) << "nothing moves while paused";
  // The same paused frame with and without the ship: it covers the background where it is.
  const std::vector<uint8_t> withShip = lastFrame();
  ViewSetVisible(GameState.shipView, 0);
  Frame();
  const int x = GameState.ShipX, y = GameState.ShipY;
  EXPECT_GT(Changed(withShip, x + 32, y, x + 49, y + 90), 500) << "the fuselage";
  EXPECT_EQ(Changed(withShip, x, y - 40, x + 81, y), 0) << "above the ship";
  ViewSetVisible(GameState.shipView, 1);

  // Resume plays the same round on from where it stood; the overlay goes.
  Tap(kResume);
  EXPECT_TRUE(GameState.SceneState == ScenePlaying && GameState.RoundFrame == int(before[0]) + 1);
  EXPECT_FALSE(Shown(GameState.GameButtons.pausePanel) || Shown(GameState.GameButtons.pauseDim) ||
               Shown(GameState.GameButtons.pauseButtonOver));
  EXPECT_GT(Sum(0, 60, 300, 700, false), playing * 8 / 10) << "bright again";
  const int resumedY = GameState.BoltPool.slots[flying].y;
  EXPECT_TRUE(resumedY == boltY - 12 || resumedY == -60) << "the bolt flies on from where it stopped";
  CaptureFrames(false);

  // Leave round (paused by Esc this time) asks; Cancel keeps the paused round as it was.
  PressKey(SDLK_ESCAPE, 1);
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  const std::vector<double> asked = Round();
  Tap(kLeave);
  ASSERT_EQ(GameState.SceneState, SceneMessageBox);
  EXPECT_NE(Text(GameState.MessageBox.line2).find("Leave this round?"), std::string::npos);
  EXPECT_TRUE(Shown(GameState.GameButtons.pausePanel)) << "asked over the paused round";
  Tap(kAskCancel);
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_EQ(Round(), asked);
  // The pause button resumes too; back leaves for the menu, which tidies the whole round away.
  Tap(kPause);
  EXPECT_EQ(GameState.SceneState, ScenePlaying);
  EXPECT_FALSE(Shown(GameState.GameButtons.pauseButtonOver));
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
  // OK under Leave round leaves for the menu too; the score is not kept.
  Tap(kFreePlay, 3);
  PressKey(SDLK_ESCAPE, 1);
  Tap(kLeave);
  Tap(kAskOk, 2);
  EXPECT_TRUE(GameState.SceneState == SceneMainMenu && Shown(GameState.Menu.freePlayButton));
  EXPECT_FALSE(Shown(GameState.GameButtons.pausePanel) || Shown(GameState.GameButtons.pauseDim) ||
               Shown(GameState.shipView));
  EXPECT_EQ(GameState.Profile.bestCount, 0);
}

TEST_F(PauseTest, EscOnTheDesktopMenuAsksAndOkQuitsWithStatusZero) {
  EXPECT_TRUE(FirstSession([] {
    alarm(120);  // a quit that never comes fails instead of hanging
    ReachMenu();
    PressKey(SDLK_ESCAPE, 1);
    ASSERT_EQ(GameState.SceneState, SceneMessageBox);
    EXPECT_NE(Text(GameState.MessageBox.line2).find("Quit Vel Mora?"), std::string::npos);
    EXPECT_TRUE(Shown(GameState.MessageBox.cancelButton));
    PressKey(SDLK_ESCAPE, 2);  // Cancel
    ASSERT_TRUE(GameState.SceneState == SceneMainMenu && running == 1 && Shown(GameState.Menu.freePlayButton));
    PressKey(SDLK_ESCAPE);
    PressKey(SDLK_RETURN);  // the outlined OK
    EXPECT_EQ(PlayUntilQuit(), 0);
  })) << "asked, kept by Cancel and quit with status 0";
}
