// What every button shares: the tap sound, the pressed picture shown while a finger is on it, and
// the back button of the options and help screens.
#pragma once

#include "core/game_state.h"

// The button-tap sound, when sound is on.
void Tap();
// Marks a new view as a button's pressed picture (any lifted finger hides it) and returns it.
ViewId PressedPicture(ViewId view);
// A button's touch: pressing shows its pressed picture, lifting on it hides the picture again and
// answers true (the button acts). A finger that slides off and lifts elsewhere never gets here:
// the event pump clears every pressed picture on any lift.
bool ButtonLifted(int phase, ViewId pressedPicture);
// The same for a button that must not act under the message box: it neither shows its pressed
// picture nor acts while the box is open.
bool ButtonLiftedOutsideBox(int phase, ViewId pressedPicture);
// A back button's touch (outside the message box): lifted on it, it goes back to the main menu.
int BackToMenu(int phase, ViewId pressedPicture);
// Start-up: the back button of the options and help screens (hidden); its pressed picture comes
// later, with the menu's (CreateMenuPressedPictures).
void CreateBackButton();
