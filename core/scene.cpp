#include "core/scene.h"

#include "core/game_state.h"

void SceneChange(int32_t scene) { GameState.SceneState = scene; }

void SceneChangeAfterFade(int32_t scene) {
  GameState.PendingScene = scene;
  GameState.SceneState = SceneFadeOut;
}

int32_t ScenePending() { return GameState.PendingScene; }

void SceneFinishFade() {
  GameState.SceneState = GameState.PendingScene;
  GameState.PendingScene = -1;
}

void SceneEndRound(int32_t next) {
  GameState.PendingScene = next;
  GameState.SceneState = SceneGameOver;
}

void SceneOpenDialog(int32_t returnScene) {
  GameState.MessageBox.open = 1;
  GameState.MessageBox.returnScene = returnScene;
  GameState.SceneState = SceneMessageBox;
}

void SceneCloseDialog() {
  GameState.MessageBox.open = 0;
  GameState.SceneState = GameState.MessageBox.returnScene;
}

bool MessageBoxIsOpen() { return GameState.MessageBox.open != 0; }

void SceneLoseFocus() {
  if (GameState.SceneState != ScenePlaying) return;
  resumeScene = ScenePlaying;
  GameState.SceneState = ScenePaused;
}

void SceneRegainFocus() {
  // Play resumes only if the round is still the paused one: a round left (by back) while the
  // game was in the background stays left.
  if (resumeScene != ScenePlaying) return;
  resumeScene = -1;
  if (GameState.SceneState == ScenePaused) GameState.SceneState = ScenePlaying;
}
