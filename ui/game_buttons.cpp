#include "ui/game_buttons.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "render/text.h"
#include "ui/buttons.h"
#include "ui/pause_overlay.h"
#include "views/views.h"
#include "world/explosions.h"
#include "world/round.h"

void CreateGameButtons() {
  GameState.gameBackButton = ViewAdd("Images/gameUI/backNormal.png", 0, -100, GameBackTouched);
  GameState.pauseButton = ViewAdd("Images/gameUI/pauseNormal.png", 272, -100, PauseTouched);
  GameState.scoreBackground = ViewAdd("Images/gameUI/scoreBG.png", 51, -100);
  GameState.pauseButtonOver = ViewAdd("Images/gameUI/pauseOver.png", 272, -100);
  GameState.gameBackButtonOver = ViewAdd("Images/gameUI/backOver.png", 0, -100);
  GameState.scoreText = TextAdd(60, -100, "                   ", GameState.font20);
  GameState.progressLabel = TextAdd(60, -100, "                   ", GameState.font14);
  HideGameButtons();
}

void HideGameButtons() {
  ViewsSetVisible({GameState.gameBackButton, GameState.pauseButton, GameState.scoreBackground,
                   GameState.pauseButtonOver, GameState.gameBackButtonOver},
                  0);
  TextsSetVisible({GameState.scoreText, GameState.progressLabel}, 0);
  HidePauseOverlay();
}

void ShowGameButtons() {
  ViewSetxy(GameState.gameBackButton, 0, 0);
  ViewSetxy(GameState.gameBackButtonOver, 0, 0);
  ViewSetxy(GameState.scoreBackground, 51, 0);
  ViewSetxy(GameState.pauseButton, 976, 0);
  ViewSetxy(GameState.pauseButtonOver, 976, 0);
  ViewSetVisible(GameState.gameBackButton, 1);
  ViewSetVisible(GameState.pauseButton, 1);
  ViewSetVisible(GameState.scoreBackground, 1);
  GameState.score = 0;
  TextSetxy(GameState.scoreText, 60, 10);
  TextSetText(GameState.scoreText, "0");
  TextSetVisible(GameState.scoreText, 1);
  if (GameState.FreePlay == 0) {
    TextSetxy(GameState.progressLabel, 168, 15);
    TextSetVisible(GameState.progressLabel, 1);
  }
}

int PauseTouched(int phase, int, int) {
  if (phase != kPhaseReleased || MessageBoxIsOpen()) return 0;
  Tap();
  if (GameState.SceneState == SceneGameOver) {
    ViewSetVisible(GameState.pauseButtonOver, 0);
  } else if (GameState.SceneState == ScenePaused) {
    SceneChange(ScenePlaying);
    ViewSetVisible(GameState.pauseButtonOver, 0);
  } else {
    SceneChange(ScenePaused);
    ViewSetVisible(GameState.pauseButtonOver, 1);
  }
  return 0;
}

int GameBackTouched(int phase, int, int) {
  if (MessageBoxIsOpen()) return 0;
  if (phase == kPhasePressed) {
    ViewSetVisible(GameState.gameBackButtonOver, 1);
    return 0;
  }
  if (phase != kPhaseReleased) return 0;
  ViewSetVisible(GameState.gameBackButtonOver, 0);
  Tap();
  LeaveRound();
  return 0;
}

void LeaveRound() {
  HideExplosions();
  if (GameState.FreePlay != 1) {
    ClearWorld();
    SceneChange(SceneInterLevel);
  } else {
    SceneChange(SceneMainMenu);
  }
  if (GameState.musicOn) PlayLoop(GameState.mainSound);
  HideGameButtons();
}
