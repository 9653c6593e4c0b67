// The gamepad presented as the tablet's tilt sensor, shared by the desktop and the browser:
// joystick 0's left stick becomes tilt readings, so that after the game's landscape remap stick
// right steers right and stick down steers down, with a small round dead zone and full tilt at
// full deflection.
#pragma once

#include <SDL.h>

// A tilt (across and down the screen, in g) as the tablet's sensor reported it in landscape: SDL
// axis 1 carries the tilt across and axis 0 the tilt down negated, 16000 to a g.
void TiltReadings(double across, double down, Uint8 which, SDL_Event readings[2]);
// Takes a joystick event for the game; false when the pad's stick moved, which is handed out as
// tilt readings by GamepadNextEvent instead.
bool GamepadTranslate(const SDL_Event& event);
// The next tilt reading waiting to be handed out; false when none waits.
bool GamepadNextEvent(SDL_Event* event);
// Called when nothing else waits: a held stick is presented again once per pass, and pads
// plugged in or pulled out are looked for. True when a reading was queued.
bool GamepadEndOfPass();
