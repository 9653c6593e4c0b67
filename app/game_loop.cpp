#include "app/game_loop.h"

#include <SDL.h>

#include <cstdio>

#include "app/game_state.h"
#include "app/loading.h"
#include "render/draw.h"
#include "ui/inter_level.h"
#include "ui/menu.h"
#include "ui/message_box.h"
#include "ui/mission.h"
#include "views/views.h"
#include "world/cargo_ship.h"
#include "world/explosions.h"
#include "world/round.h"

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

constexpr int32_t kGameOverWait = 26;
char gameOverLine[52];

// Waits 26 frames while the ship's explosion plays, then opens the round's closing message.
// Returns false on the frame that opens it.
bool CountDownGameOver() {
  UpdateExplosions();
  ViewSetVisible(GameState.shipView, 0);
  if (GameState.GameOverCounter != kGameOverWait) {
    GameState.GameOverCounter += 1;
    return true;
  }
  if (GameState.RoundFrame > 0 && GameState.FreePlay == 1) {
    snprintf(gameOverLine, sizeof gameOverLine, "            SCORE: %d", GameState.score);
  } else {
    snprintf(gameOverLine, sizeof gameOverLine, "YOUR MISSION HAS FAILED!");
  }
  OpenMessageBox("", gameOverLine, "", GameState.PendingScene, 1);
  return false;
}

void StartMission() {
  StartRound(0);
  if (GameState.FreePlay == 0 && GameState.currentMission.type == 'P') CargoShipPlace(450, 450);
  GameState.SceneState = ScenePlaying;
}

// The frame work of the current scene. Returns false on the frame that opens the game-over
// message, which is neither drawn nor followed by the delay.
bool RunScene() {
  switch (GameState.SceneState) {
    case SceneFadeOut:
      FadeOutMenu();
      break;
    case SceneMainMenu:
      CargoShipDeactivate();
      EnterMenu();
      break;
    case SceneStartFreePlay:
      StartRound(1);
      GameState.SceneState = ScenePlaying;
      break;
    case ScenePlaying:
      UpdateWorld();
      AdvanceCompletionCounter();
      break;
    case SceneGameOver:
      return CountDownGameOver();
    case SceneOptions:
      OptionsFrame();
      break;
    case SceneHelp:
      HelpFrame();
      break;
    case SceneFadeIn:
      FadeInMenu();
      break;
    case SceneStartMission:
      StartMission();
      break;
    case SceneInterLevel:
      InterLevelFrame();
      break;
    default:  // paused, message box, loading: only drawing
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
