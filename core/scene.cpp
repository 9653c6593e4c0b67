#include "core/scene.h"

#include "core/game_state.h"

namespace {

constexpr int32_t kScenes = SceneMessageBox + 1;

const Screen* screenOfScene[kScenes];
SceneListener listener = nullptr;

const Screen* ScreenOf(int32_t scene) { return scene >= 0 && scene < kScenes ? screenOfScene[scene] : nullptr; }

// The one place where the scene changes. When the new scene belongs to another screen, the old
// screen is left, the new one entered and its music started; a scene of no screen (the message
// box) leaves the screen under it in place.
void SwitchScene(int32_t scene) {
  const int32_t from = GameState.SceneState;
  const Screen* current = GameState.CurrentScreen;
  const Screen* next = ScreenOf(scene);
  if (next == nullptr || next == current) {
    GameState.SceneState = scene;
  } else {
    if (current != nullptr && current->leave != nullptr) current->leave();
    GameState.SceneState = scene;
    GameState.CurrentScreen = next;
    if (next->enter != nullptr) next->enter();
    if (next->music != nullptr && (current == nullptr || current->music != next->music)) next->music();
  }
  if (listener != nullptr && from != scene) listener(from, scene);
}

}  // namespace

void SceneListen(SceneListener onChange) { listener = onChange; }

void SceneAttach(int32_t scene, const Screen* screen) {
  if (scene >= 0 && scene < kScenes) screenOfScene[scene] = screen;
}

void SceneStartLoading() {
  GameState.CurrentScreen = nullptr;
  GameState.SceneState = SceneLoading;
}

bool SceneFrame() {
  const Screen* screen = ScreenOf(GameState.SceneState);
  if (screen == nullptr || screen->frame == nullptr) return true;
  return screen->frame();
}

void SceneChange(int32_t scene) { SwitchScene(scene); }

void SceneChangeAfterFade(int32_t scene) {
  GameState.PendingScene = scene;
  SwitchScene(SceneFadeOut);
}

int32_t ScenePending() { return GameState.PendingScene; }

void SceneFinishFade() {
  const int32_t scene = GameState.PendingScene;
  GameState.PendingScene = -1;
  SwitchScene(scene);
}

void SceneEndRound(int32_t next) {
  GameState.PendingScene = next;
  SwitchScene(SceneGameOver);
}

void SceneOpenDialog(int32_t returnScene) {
  GameState.MessageBox.open = 1;
  GameState.MessageBox.returnScene = returnScene;
  SwitchScene(SceneMessageBox);
}

void SceneCloseDialog() {
  GameState.MessageBox.open = 0;
  SwitchScene(GameState.MessageBox.returnScene);
}

bool MessageBoxIsOpen() { return GameState.MessageBox.open != 0; }

void SceneLoseFocus() {
  frameDelay = kInactiveFrameDelay;
  if (GameState.SceneState != ScenePlaying) return;
  resumeScene = ScenePlaying;
  SwitchScene(ScenePaused);
}

void SceneRegainFocus() {
  frameDelay = kFrameDelay;
  // Play resumes only if the round is still the paused one: a round left (by back) while the
  // game was in the background stays left.
  if (resumeScene != ScenePlaying) return;
  resumeScene = -1;
  if (GameState.SceneState == ScenePaused) SwitchScene(ScenePlaying);
}
