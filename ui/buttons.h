// What every button shares: the tap sound and the pressed picture shown while a finger is on it.
#pragma once

#include "core/game_state.h"

// The button-tap sound, when sound is on.
void Tap();
// A button's touch: pressing shows its pressed picture, lifting on it hides the picture again and
// answers true (the button acts). A finger that slides off and lifts elsewhere never gets here:
// the event pump clears every pressed picture on any lift.
bool ButtonLifted(int phase, ViewId pressedPicture);
