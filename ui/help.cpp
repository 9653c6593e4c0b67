#include "ui/help.h"

#include "core/game_state.h"
#include "platform/platform.h"
#include "views/views.h"

void CreateHelpScreen() {
  GameState.helpTouchImage = ImageAdd("Images/help.png");
  GameState.helpDesktopImage = ImageAdd("Images/helpDesktop.png");
  GameState.helpImage = ViewAddFromImage(GameState.helpTouchImage, -400, -400);
  ViewSetVisible(GameState.helpImage, 0);
}

void HelpFrame() {
  ViewSetImage(GameState.helpImage,
               PlatformHasTouchScreen() ? GameState.helpTouchImage : GameState.helpDesktopImage);
  ViewSetxy(GameState.helpImage, 212, 250);
  ViewsSetVisible({GameState.helpImage, GameState.backButton, GameState.logoView}, 1);
}

void HideHelpScreen() { ViewsSetVisible({GameState.helpImage, GameState.backButton}, 0); }
