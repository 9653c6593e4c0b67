// The desktop's keyboard, right mouse button and gamepad, translated into what the game already
// understands: taps on its own buttons, pulls of its knob, and tilt. No rule of the game is
// repeated here; every key ends in a touch, a knob pull or a tilt reading.
//
// In a round: arrows / WASD / D-pad and, in the knob layouts, the gamepad's left stick pull the
// knob (tilt in tilt mode); Space, Ctrl, the right mouse button and pad A tap the fire button;
// P, Pause and pad Start tap the pause button; Esc and pad B tap the round's back button.
// Elsewhere: arrows, Tab and the D-pad move a focus over the screen's buttons, Enter, Space and
// pad A press the focused one, Esc and pad B press the screen's back or Cancel (OK in a
// one-button box).
#pragma once

#include <SDL.h>

// A key went down or up.
void TranslateKey(const SDL_KeyboardEvent& key);
// A gamepad button went down or up.
void TranslatePadButton(const SDL_JoyButtonEvent& button);
// The gamepad's D-pad moved.
void TranslatePadHat(const SDL_JoyHatEvent& hat);
// The right mouse button went down: it fires, so that a mouse player steers and shoots at once.
void TranslateRightButton();
// The left stick, as a tilt reading of the game's axis (0 across, 1 down), in a knob layout.
void TranslateStickPull(int32_t axis, int32_t reading);
// The left mouse button went down: the player uses the pointer, so the focus outline goes.
void TranslatePointerUsed();
// Once per pass, after the events: held directions keep pulling the knob (or tilting), and the
// focus follows the screen.
void TranslateHeldInput();
