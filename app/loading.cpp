#include "app/loading.h"

#include "app/game_state.h"
#include "views/views.h"

namespace {

// Step 40: the loading screen goes and the menu fades in.
void FinishLoading() {
  ViewSetVisible(GameState.loadingBar, 0);
  ViewSetVisible(GameState.loadingBarFrame, 0);
  ViewSetVisible(GameState.loadingBackground, 0);
  GameState.LoadPhase = 1;
  GameState.menuFade = 0;
  GameState.SceneState = SceneFadeIn;
}

typedef void (*StepWork)();

// The work of each step; odd steps and step 36 have none. The order fixes every id, and so the
// stacking order of everything on screen.
StepWork StepAt(int step) {
  switch (step) {
    case 40: return FinishLoading;
    default: return nullptr;
  }
}

}  // namespace

void AdvanceLoadingBar() {
  if (GameState.LoadProgress < kLoadBarCap) GameState.LoadProgress += kLoadBarStep;
}

void LoadStep() {
  const int step = GameState.LoadStepCounter;
  if (StepWork work = StepAt(step)) work();
  if (step % 2 == 0) AdvanceLoadingBar();
  GameState.LoadStepCounter += 1;
}
