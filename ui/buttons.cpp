#include "ui/buttons.h"

#include "app/game_state.h"
#include "audio/sound.h"

void Tap() {
  if (GameState.soundOn) PlaySound(GameState.buttonSound);
}

bool MessageBoxIsOpen() { return GameState.MessageBox.open != 0; }
