#include "ui/buttons.h"

#include "core/game_state.h"
#include "audio/sound.h"

void Tap() {
  if (GameState.soundOn) PlaySound(GameState.buttonSound);
}
