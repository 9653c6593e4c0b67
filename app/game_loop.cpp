#include "app/game_loop.h"

#include <SDL.h>

#include "app/game_state.h"
#include "app/loading.h"
#include "render/draw.h"
#include "views/views.h"

namespace {

constexpr int32_t kMenuReady = 100;

void HideMenuButtons() {
  ViewHide(GameState.startButton, GameState.menuFade);
  ViewHide(GameState.freePlayButton, GameState.menuFade);
  ViewHide(GameState.optionsButton, GameState.menuFade);
  ViewHide(GameState.helpButton, GameState.menuFade);
}

// Two frames (90, then 180) before the main menu sets itself up.
void FadeInMenu() {
  GameState.menuFade += 90;
  if (GameState.menuFade < kMenuReady + 1) {
    HideMenuButtons();
  } else {
    GameState.SceneState = SceneMainMenu;
  }
}

// Two frames (0, then -100): the menu is hidden on the first, the target scene runs after the second.
void FadeOutMenu() {
  GameState.menuFade -= 100;
  const bool keepLogo = GameState.PendingScene == SceneOptions;
  if (GameState.menuFade < 0) {
    if (!keepLogo) ViewSetVisible(GameState.logoView, 0);
    ViewSetVisible(GameState.startButton, 0);
    ViewSetVisible(GameState.freePlayButton, 0);
    ViewSetVisible(GameState.optionsButton, 0);
    ViewSetVisible(GameState.helpButton, 0);
    GameState.SceneState = GameState.PendingScene;
  }
  if (!keepLogo) ViewHide(GameState.logoView, GameState.menuFade);
  HideMenuButtons();
  if (GameState.menuFade < 0) GameState.PendingScene = -1;
}

// The frame work of the current scene. Returns false on the frame that opens the game-over
// message, which is neither drawn nor followed by the delay.
bool RunScene() {
  switch (GameState.SceneState) {
    case SceneFadeOut:
      FadeOutMenu();
      break;
    case SceneFadeIn:
      FadeInMenu();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace

bool AdvanceFrame() {
  if (GameState.LoadPhase == -1 || GameState.LoadPhase == 0) {
    GameState.LoadPhase = 0;
    LoadStep();
  }
  if (GameState.LoadPhase == 0) {
    ViewSetImageSize(GameState.loadingBar, static_cast<int32_t>(GameState.LoadProgress), 8);
  }
  return RunScene();
}

void GameLoop() {
  if (!AdvanceFrame()) return;
  DrawViews();
  SDL_Delay(frameDelay);
}
