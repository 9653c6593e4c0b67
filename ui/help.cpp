#include "ui/help.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "views/views.h"

namespace {

bool HelpFrame() {
  ViewSetxy(GameState.Help.helpImage, 212, 250);
  ViewsSetVisible({GameState.Help.helpImage, GameState.Menu.backButton, GameState.Menu.logoView}, 1);
  return true;
}

// The help picture and the back button go; the logo belongs to the menu.
void LeaveHelp() { ViewsSetVisible({GameState.Help.helpImage, GameState.Menu.backButton}, 0); }

}  // namespace

const Screen kHelpScreen = {nullptr, HelpFrame, LeaveHelp, PlayMenuMusic};

void CreateHelpScreen() { GameState.Help.helpImage = ViewAddHidden("Images/help.png", -400, -400); }
