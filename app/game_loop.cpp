#include "app/game_loop.h"

#include "app/loading.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "platform/platform.h"
#include "ui/best_scores.h"
#include "ui/help.h"
#include "ui/inter_level.h"
#include "ui/menu.h"
#include "ui/options.h"
#include "ui/round_screen.h"
#include "ui/user_folder_notice.h"
#include "views/frame.h"
#include "views/views.h"

void AttachScreens() {
  SceneAttach(SceneFadeIn, &kMenuFadeInScreen);
  SceneAttach(SceneMainMenu, &kMenuScreen);
  SceneAttach(SceneFadeOut, &kMenuScreen);
  SceneAttach(SceneOptions, &kOptionsScreen);
  SceneAttach(SceneHelp, &kHelpScreen);
  SceneAttach(SceneBestScores, &kBestScoresScreen);
  SceneAttach(SceneInterLevel, &kInterLevelScreen);
  for (int32_t scene : {SceneStartFreePlay, SceneStartMission, ScenePlaying, ScenePaused, SceneGameOver}) {
    SceneAttach(scene, &kRoundScreen);
  }
}

bool AdvanceFrame() {
  if (GameState.LoadPhase == -1 || GameState.LoadPhase == 0) {
    GameState.LoadPhase = 0;
    LoadStep();
  }
  if (GameState.LoadPhase == 0) {
    ViewSetImageSize(GameState.loadingBar, static_cast<int32_t>(GameState.LoadProgress), 8);
  }
  return SceneFrame();
}

void GameLoop() {
  // A notice of unsaved progress waits for a screen that has had a whole frame of its own.
  const int32_t scene = GameState.SceneState;
  if (!AdvanceFrame()) return;
  if (GameState.SceneState == scene) ShowUserFolderNotice();
  if (!LoadingFrameAsShown()) DrawViews();
  PlatformWait(frameDelay);
}
