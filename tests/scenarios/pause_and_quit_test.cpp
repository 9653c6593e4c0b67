// Pausing a round as a player does (the pause button, Esc, losing focus): the overlay over the
// dimmed frame, Resume, and Leave round with its question; and quitting from the desktop's menu.
#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "app/app.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr int kResume[2] = {512, 359}, kLeave[2] = {512, 423};
constexpr int kAskOk[2] = {450, 420}, kAskCancel[2] = {575, 420};

// What a round holds that must come through a pause as it was.
std::vector<int> Round() {
  std::vector<int> s{GameState.RoundFrame, GameState.score, GameState.ShipX, GameState.Structure};
  for (const HazardSlot& h : GameState.Asteroids.slots) s.insert(s.end(), {h.x, h.y, h.size, ViewAt(h.view)->visible});
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

TEST_F(PauseTest, ThePausedRoundShowsItsOverlayResumesWholeAndAsksBeforeLeaving) {
  StartFreePlay();
  Frames(40);
  CaptureFrames(true);
  Frame();
  const long playing = Sum(0, 60, 300, 700, false), playingWhite = Sum(412, 264, 612, 310, true);
  Tap(kPause, 0);
  Frame();
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  const std::vector<int> paused = Round();
  EXPECT_LT(Sum(0, 60, 300, 700, false), playing * 7 / 10) << "the frame is dimmed";
  EXPECT_GT(Sum(412, 264, 612, 310, true), playingWhite + 300) << "PAUSED in white letters";
  EXPECT_TRUE(Shown(GameState.GameButtons.pausePanel) && Shown(GameState.GameButtons.resumeButton) &&
              Shown(GameState.GameButtons.leaveButton));
  Frames(5);
  EXPECT_EQ(Round(), paused) << "nothing moves while paused";

  // Resume plays the same round on from where it stood; the overlay goes.
  Tap(kResume);
  EXPECT_TRUE(GameState.SceneState == ScenePlaying && GameState.RoundFrame == paused[0] + 1);
  EXPECT_FALSE(Shown(GameState.GameButtons.pausePanel) || Shown(GameState.GameButtons.pauseDim) ||
               Shown(GameState.GameButtons.pauseButtonOver));
  EXPECT_GT(Sum(0, 60, 300, 700, false), playing * 8 / 10) << "bright again";

  CaptureFrames(false);

  // Leave round (paused by Esc this time) asks; Cancel keeps the paused round as it was.
  PressKey(SDLK_ESCAPE);
  Frame();
  ASSERT_EQ(GameState.SceneState, ScenePaused);
  const std::vector<int> before = Round();
  Tap(kLeave);
  ASSERT_EQ(GameState.SceneState, SceneMessageBox);
  EXPECT_NE(Text(GameState.MessageBox.line2).find("Leave this round?"), std::string::npos);
  EXPECT_TRUE(Shown(GameState.GameButtons.pausePanel)) << "asked over the paused round";
  Tap(kAskCancel);
  EXPECT_EQ(GameState.SceneState, ScenePaused);
  EXPECT_EQ(Round(), before);
  // OK leaves for the menu, which tidies the round away; the score is not kept.
  Tap(kLeave);
  Tap(kAskOk, 2);
  EXPECT_TRUE(GameState.SceneState == SceneMainMenu && Shown(GameState.Menu.freePlayButton));
  EXPECT_FALSE(Shown(GameState.GameButtons.pausePanel) || Shown(GameState.GameButtons.pauseDim) ||
               Shown(GameState.shipView));
  EXPECT_EQ(GameState.Profile.bestCount, 0);
}

TEST_F(PauseTest, EscOnTheDesktopMenuAsksAndOkQuitsWithStatusZero) {
  fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    alarm(120);  // a quit that never comes fails instead of hanging
    ReachMenu();
    PressKey(SDLK_ESCAPE);
    Frame();
    const bool asked = GameState.SceneState == SceneMessageBox &&
                       Text(GameState.MessageBox.line2).find("Quit Vel Mora?") != std::string::npos &&
                       Shown(GameState.MessageBox.cancelButton);
    PressKey(SDLK_ESCAPE);  // Cancel
    Frames(2);
    const bool kept = GameState.SceneState == SceneMainMenu && running == 1 && Shown(GameState.Menu.freePlayButton);
    if (!asked || !kept) _exit(2 + (asked ? 0 : 1) + (kept ? 0 : 2));
    PressKey(SDLK_ESCAPE);
    PressKey(SDLK_RETURN);  // the outlined OK
    _exit(PlayUntilQuit());
  }
  int status = -1;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: not asked, 4: Cancel did not keep the game";
}
