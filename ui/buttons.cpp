#include "ui/buttons.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "views/views.h"

namespace {

// Back to the main menu, from the options or the help screen.
int BackTouched(int phase, int, int) { return BackToMenu(phase, GameState.Menu.backButtonOver); }

}  // namespace

void Tap() {
  if (GameState.soundOn) PlaySound(GameState.buttonSound);
}

ViewId PressedPicture(ViewId view) { return ViewMarkPressedPicture(view); }

bool ButtonLifted(int phase, ViewId pressedPicture) {
  if (phase == kPhasePressed) ViewSetVisible(pressedPicture, 1);
  if (phase != kPhaseReleased) return false;
  ViewSetVisible(pressedPicture, 0);
  return true;
}

bool ButtonLiftedOutsideBox(int phase, ViewId pressedPicture) {
  return !MessageBoxIsOpen() && ButtonLifted(phase, pressedPicture);
}

int BackToMenu(int phase, ViewId pressedPicture) {
  if (!ButtonLiftedOutsideBox(phase, pressedPicture)) return 0;
  SceneChange(SceneMainMenu);
  Tap();
  return 0;
}

void CreateBackButton() { GameState.Menu.backButton = ViewAddHidden("Images/backBtn.png", 387, 680, BackTouched); }
