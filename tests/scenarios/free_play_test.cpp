// A player's free-play round from the main menu to the closing score and back, checked on the
// game state, the music and the pixels drawn. (Pause and the back button: the pause test.)
#include <vector>

#include "render/text.h"
#include "support/harness.h"

using namespace harness;

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

  mark = recorded().plays.size();
  Tap(kBoxOk);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_EQ(Plays(kMenuMusic, mark, kMusicChannel), 1) << "the menu music restarts";
  EXPECT_TRUE(Shown(GameState.Menu.freePlayButton) && Shown(GameState.Menu.menuBackground));
  EXPECT_FALSE(Shown(GameState.SpaceBackground[1]) || Shown(GameState.controlPoint) || TextShown(box.line2));
}
