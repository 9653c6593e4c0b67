#include "ui/help.h"

#include "core/game_state.h"
#include "views/views.h"

void HelpFrame() {
  ViewSetxy(GameState.helpImage, 212, 250);
  ViewsSetVisible({GameState.helpImage, GameState.backButton, GameState.logoView}, 1);
}

void HideHelpScreen() { ViewsSetVisible({GameState.helpImage, GameState.backButton}, 0); }
