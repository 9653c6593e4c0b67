// The main menu and the help screen: buttons act only once the menu is up, a button lifted
// elsewhere does nothing, and back from options or help returns to a tidy menu.
#include "support/harness.h"

using namespace harness;

class MenuTest : public GameTest {};

TEST_F(MenuTest, ButtonsActOnlyOnceTheMenuIsUpLiftedElsewhereDoNothingAndBackReturnsToATidyMenu) {
  Boot();
  FinishLoading();
  ASSERT_EQ(GameState.SceneState, SceneFadeIn);
  Tap(kOptionsButton, 2);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "no touch of the fade-in left the menu";
  EXPECT_FALSE(Shown(GameState.Menu.optionsButtonOver));
  // A button lifted elsewhere does nothing but loses its highlight.
  for (auto [at, highlight] : {std::pair{kStart, GameState.Menu.startButtonOver},
                               {kFreePlay, GameState.Menu.freePlayButtonOver},
                               {kOptionsButton, GameState.Menu.optionsButtonOver},
                               {kHelp, GameState.Menu.helpButtonOver}}) {
    PushMouseDown(at[0], at[1]);
    Frame();
    EXPECT_TRUE(Shown(highlight));
    PushMouseUp(100, 100);
    Frames(3);
    EXPECT_EQ(GameState.SceneState, SceneMainMenu);
    EXPECT_FALSE(Shown(highlight));
  }
  // No touch of the fade-out reaches a menu button either.
  Tap(kOptionsButton);
  ASSERT_EQ(GameState.SceneState, SceneFadeOut);
  Tap(kFreePlay, 2);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_EQ(GameState.FreePlay, 0);
  const auto menuIsUp = [] {
    for (ViewId shown : {GameState.Menu.logoView, GameState.Menu.menuBackground, GameState.Menu.startButton,
                         GameState.Menu.freePlayButton, GameState.Menu.optionsButton, GameState.Menu.helpButton}) {
      EXPECT_TRUE(Shown(shown));
    }
  };
  Tap(kMenuBack, 2);
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
  for (ViewId gone : {GameState.Options.soundToggle, GameState.Options.musicToggle, GameState.Menu.backButton,
                      GameState.Options.soundIndicator, GameState.Options.musicIndicator, GameState.Options.resetButton,
                      GameState.Options.optionsBackground, GameState.Options.rightHandImage,
                      GameState.Options.controlButton, GameState.Menu.backButtonOver}) {
    EXPECT_FALSE(Shown(gone));
  }
  menuIsUp();
  Tap(kHelp, 3);
  ASSERT_EQ(GameState.SceneState, SceneHelp);
  EXPECT_TRUE(Shown(GameState.Help.helpImage) && Shown(GameState.Menu.backButton) && Shown(GameState.Menu.logoView));
  EXPECT_EQ(ViewGetX(GameState.Help.helpImage), 212);
  EXPECT_EQ(ViewGetY(GameState.Help.helpImage), 250);
  EXPECT_FALSE(Shown(GameState.Menu.startButton));
  Tap(kMenuBack, 2);
  EXPECT_EQ(GameState.SceneState, SceneMainMenu);
  EXPECT_FALSE(Shown(GameState.Help.helpImage) || Shown(GameState.Menu.backButton));
  menuIsUp();
  // Two taps within one frame: the second lands while the buttons are still up, but the menu is
  // already being left.
  PushTap(kOptionsButton[0], kOptionsButton[1]);
  Tap(kFreePlay, 3);
  EXPECT_EQ(GameState.SceneState, SceneOptions);
  EXPECT_EQ(GameState.FreePlay, 0);
}
