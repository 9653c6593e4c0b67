// The gamepad presented as the tablet's tilt sensor, shared by the desktop and the browser:
// joystick 0's left stick becomes tilt readings, so that after the game's landscape remap stick
// right steers right and stick down steers down, with a small round dead zone and full tilt at
// full deflection.
#pragma once

#include <SDL.h>

// Takes a joystick event for the game; false when the pad's stick moved, which is handed out as
// tilt readings by GamepadNextEvent instead.
bool GamepadTranslate(const SDL_Event& event);
// The next tilt reading waiting to be handed out; false when none waits.
bool GamepadNextEvent(SDL_Event* event);
// Called when nothing else waits: a held stick is presented again once per pass, and pads
// plugged in or pulled out are looked for. True when a reading was queued.
bool GamepadEndOfPass();
