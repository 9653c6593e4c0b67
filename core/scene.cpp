#include "core/scene.h"

#include "core/game_state.h"

namespace {

SceneListener listener = nullptr;

// Every change of scene passes here, so that what listens hears of each new screen.
void Enter(int32_t scene) {
  const int32_t from = GameState.SceneState;
  GameState.SceneState = scene;
  if (listener != nullptr && from != scene) listener(from, scene);
}

}  // namespace

void SceneListen(SceneListener onChange) { listener = onChange; }

void SceneChange(int32_t scene) { Enter(scene); }

void SceneChangeAfterFade(int32_t scene) {
  GameState.PendingScene = scene;
  Enter(SceneFadeOut);
}

int32_t ScenePending() { return GameState.PendingScene; }

void SceneFinishFade() {
  const int32_t next = GameState.PendingScene;
  GameState.PendingScene = -1;
  Enter(next);
}

void SceneEndRound(int32_t next) {
  GameState.PendingScene = next;
  Enter(SceneGameOver);
}

void SceneOpenDialog(int32_t returnScene) {
  GameState.MessageBox.open = 1;
  GameState.MessageBox.returnScene = returnScene;
  Enter(SceneMessageBox);
}

void SceneCloseDialog() {
  GameState.MessageBox.open = 0;
  Enter(GameState.MessageBox.returnScene);
}

bool MessageBoxIsOpen() { return GameState.MessageBox.open != 0; }

void SceneLoseFocus() {
  if (GameState.SceneState != ScenePlaying) return;
  resumeScene = ScenePlaying;
  Enter(ScenePaused);
}

void SceneRegainFocus() {
  // Play resumes only if the round is still the paused one: a round left (by back) while the
  // game was in the background stays left.
  if (resumeScene != ScenePlaying) return;
  resumeScene = -1;
  if (GameState.SceneState == ScenePaused) Enter(ScenePlaying);
}
