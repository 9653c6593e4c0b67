#include "ui/buttons.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "views/views.h"

void Tap() {
  if (GameState.soundOn) PlaySound(GameState.buttonSound);
}

bool ButtonLifted(int phase, ViewId pressedPicture) {
  if (phase == kPhasePressed) ViewSetVisible(pressedPicture, 1);
  if (phase != kPhaseReleased) return false;
  ViewSetVisible(pressedPicture, 0);
  return true;
}
