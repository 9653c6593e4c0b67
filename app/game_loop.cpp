#include "app/game_loop.h"

#include <SDL.h>

#include <cstdio>

#include "app/loading.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "platform/platform.h"
#include "ui/game_buttons.h"
#include "ui/help.h"
#include "ui/inter_level.h"
#include "ui/menu.h"
#include "ui/message_box.h"
#include "ui/options.h"
#include "ui/user_folder_notice.h"
#include "views/frame.h"
#include "views/views.h"
#include "world/cargo_ship.h"
#include "world/explosions.h"
#include "world/mission.h"
#include "world/round.h"

namespace {

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
  OpenMessageBox("", gameOverLine, "", ScenePending(), 1);
  return false;
}

void StartMission() {
  StartRound(0);
  ShowGameButtons();
  if (GameState.FreePlay == 0 && GameState.currentMission.type == 'P') CargoShipPlace(450, 450);
  SceneChange(ScenePlaying);
}

// One played frame: the world moves and collides, then what it reports decides the scene. A win
// reported after a loss in the same frame opens the closing box all the same.
void PlayFrame() {
  GameState.RoundOutcome = RoundGoesOn;
  UpdateWorld();
  AdvanceCompletionCounter();
  switch (GameState.RoundOutcome) {
    case RoundShipLost:
      SceneEndRound(GameState.FreePlay == 1 ? SceneMainMenu : SceneInterLevel);
      break;
    case RoundCargoShipLost:
      SceneEndRound(SceneInterLevel);
      break;
    case RoundMissionWon:
      OpenMessageBox("      CONGRATULATIONS!", "   Your mission was a ", "             success!", SceneInterLevel, 1);
      break;
    case RoundCampaignWon:
      OpenMessageBox("      CONGRATULATIONS!", "You have completed all", "         the missions", SceneInterLevel, 1);
      break;
    default:
      break;
  }
}

// The frame work of the current scene. Returns false on the frame that opens the game-over
// message, which is neither drawn nor followed by the delay.
bool RunScene() {
  switch (GameState.SceneState) {
    case SceneFadeOut:
      FadeOutMenuFrame();
      break;
    case SceneMainMenu:
      CargoShipDeactivate();
      EnterMenu();
      break;
    case SceneStartFreePlay:
      StartRound(1);
      ShowGameButtons();
      SceneChange(ScenePlaying);
      break;
    case ScenePlaying:
      PlayFrame();
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
      FadeInMenuFrame();
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
  // A notice of unsaved progress waits for a screen that has had a whole frame of its own.
  const int32_t scene = GameState.SceneState;
  if (!AdvanceFrame()) return;
  if (GameState.SceneState == scene) ShowUserFolderNotice();
  DrawViews();
  PlatformWait(frameDelay);
}
