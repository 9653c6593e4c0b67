#include "ui/round_screen.h"

#include <cstdio>

#include "core/game_state.h"
#include "core/scene.h"
#include "ui/best_scores.h"
#include "ui/game_buttons.h"
#include "ui/message_box.h"
#include "ui/pause_overlay.h"
#include "views/views.h"
#include "world/cargo_ship.h"
#include "world/explosions.h"
#include "world/mission.h"
#include "world/round.h"

namespace {

constexpr int32_t kGameOverWait = 26;
char gameOverLine[52], bestLine[52], bestSoFarLine[52];

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
    BestScoreLines(GameState.score, bestLine, bestSoFarLine, sizeof bestLine);
    OpenMessageBox(bestLine, gameOverLine, bestSoFarLine, ScenePending(), 1);
    return false;
  }
  snprintf(gameOverLine, sizeof gameOverLine, "YOUR MISSION HAS FAILED!");
  OpenMessageBox("", gameOverLine, "", ScenePending(), 1);
  return false;
}

void StartFreePlay() {
  StartRound(1);
  ShowGameButtons();
  SceneChange(ScenePlaying);
}

void StartMission() {
  StartRound(0);
  ShowGameButtons();
  if (GameState.FreePlay == 0 && ProtectMission()) CargoShipPlace(kCargoShipStartX, kCargoShipStartY);
  SceneChange(ScenePlaying);
}

// One played frame: the world moves and collides, then what it reports decides the scene. A win
// reported after a loss in the same frame opens the closing box all the same.
void PlayFrame() {
  GameState.RoundOutcome = RoundGoesOn;
  UpdateWorld();
  switch (GameState.RoundOutcome) {
    case RoundShipLost: SceneEndRound(GameState.FreePlay == 1 ? SceneMainMenu : SceneInterLevel); break;
    case RoundCargoShipLost: SceneEndRound(SceneInterLevel); break;
    case RoundMissionWon:
      OpenMessageBox("      CONGRATULATIONS!", "   Your mission was a ", "             success!", SceneInterLevel, 1);
      break;
    case RoundCampaignWon:
      OpenMessageBox("      CONGRATULATIONS!", "You have completed all", "         the missions", SceneInterLevel, 1);
      break;
    default: break;
  }
}

bool RoundSceneFrame() {
  switch (GameState.SceneState) {
    case SceneStartFreePlay: StartFreePlay(); break;
    case SceneStartMission: StartMission(); break;
    case ScenePlaying:
      HidePauseOverlay();
      PlayFrame();
      break;
    case SceneGameOver: return CountDownGameOver();
    case ScenePaused:  // the world stands still under the overlay, the frame is still drawn
      PausedFrame();
      break;
    default: break;
  }
  return true;
}

// Whichever way the round ends (back, or the closing message's OK), everything of it goes: the
// world, the freighter, the top strip and the tilt trigger; the menu music follows.
void LeaveRound() {
  ClearWorld();
  CargoShipDeactivate();
  HideGameButtons();
  HidePauseOverlay();
  TouchAreaSetEnabled(GameState.fireArea, 0);
}

}  // namespace

const Screen kRoundScreen = {nullptr, RoundSceneFrame, LeaveRound, nullptr};
