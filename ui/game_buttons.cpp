#include "ui/game_buttons.h"

#include "core/game_state.h"
#include "core/scene.h"
#include "render/text.h"
#include "ui/buttons.h"
#include "views/views.h"

namespace {

bool InRound() {
  const int32_t scene = GameState.SceneState;
  return scene == ScenePlaying || scene == ScenePaused || scene == SceneGameOver;
}

// Pauses and resumes play; its pressed picture shows the paused state, not a press.
int PauseTouched(int phase, int, int) {
  if (phase != kPhaseReleased || MessageBoxIsOpen() || !InRound()) return 0;
  Tap();
  if (GameState.SceneState == SceneGameOver) {
    ViewSetVisible(GameState.GameButtons.pauseButtonOver, 0);
  } else if (GameState.SceneState == ScenePaused) {
    SceneChange(ScenePlaying);
    ViewSetVisible(GameState.GameButtons.pauseButtonOver, 0);
  } else {
    SceneChange(ScenePaused);
    ViewSetVisible(GameState.GameButtons.pauseButtonOver, 1);
  }
  return 0;
}

int GameBackTouched(int phase, int, int) {
  if (!ButtonLiftedOutsideBox(phase, GameState.GameButtons.gameBackButtonOver)) return 0;
  Tap();
  AbandonRound();
  return 0;
}

}  // namespace

void AbandonRound() { SceneChange(GameState.FreePlay != 1 ? SceneInterLevel : SceneMainMenu); }

void CreateGameButtons() {
  GameState.GameButtons.gameBackButton = ViewAdd("Images/gameUI/backNormal.png", 0, -100, GameBackTouched);
  GameState.GameButtons.pauseButton = ViewAdd("Images/gameUI/pauseNormal.png", 272, -100, PauseTouched);
  GameState.GameButtons.scoreBackground = ViewAdd("Images/gameUI/scoreBG.png", 51, -100);
  GameState.GameButtons.pauseButtonOver = ViewAdd("Images/gameUI/pauseOver.png", 272, -100);
  GameState.GameButtons.gameBackButtonOver = PressedPicture(ViewAdd("Images/gameUI/backOver.png", 0, -100));
  GameState.GameButtons.scoreText = TextAdd(60, -100, "                   ", GameState.font20);
  GameState.GameButtons.progressLabel = TextAdd(60, -100, "                   ", GameState.font14);
  HideGameButtons();
}

void HideGameButtons() {
  ViewsSetVisible(
      {GameState.GameButtons.gameBackButton, GameState.GameButtons.pauseButton, GameState.GameButtons.scoreBackground,
       GameState.GameButtons.pauseButtonOver, GameState.GameButtons.gameBackButtonOver},
      0);
  TextsSetVisible({GameState.GameButtons.scoreText, GameState.GameButtons.progressLabel}, 0);
}

void ShowGameButtons() {
  ViewSetxy(GameState.GameButtons.gameBackButton, 0, 0);
  ViewSetxy(GameState.GameButtons.gameBackButtonOver, 0, 0);
  ViewSetxy(GameState.GameButtons.scoreBackground, 51, 0);
  ViewSetxy(GameState.GameButtons.pauseButton, 976, 0);
  ViewSetxy(GameState.GameButtons.pauseButtonOver, 976, 0);
  ViewSetVisible(GameState.GameButtons.gameBackButton, 1);
  ViewSetVisible(GameState.GameButtons.pauseButton, 1);
  ViewSetVisible(GameState.GameButtons.scoreBackground, 1);
  GameState.score = 0;
  TextSetxy(GameState.GameButtons.scoreText, 60, 10);
  TextSetText(GameState.GameButtons.scoreText, "0");
  TextSetVisible(GameState.GameButtons.scoreText, 1);
  if (GameState.FreePlay == 0) {
    TextSetxy(GameState.GameButtons.progressLabel, 168, 15);
    TextSetVisible(GameState.GameButtons.progressLabel, 1);
  }
}
