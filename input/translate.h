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

#include <cstdint>

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
// A pointer (the mouse, or a finger by its number) went down or was lifted: true when it is to act
// on the screen, false when it was already down as the screen opened, or went down while a round's
// closing box was taking no input yet.
bool TranslatePointerDown(int pointer);
bool TranslatePointerUp(int pointer);
// The box that closes a round (lost or won) takes no input for its first frames, about a third of
// a second: a press the player meant for the round cannot dismiss it.
constexpr int32_t kClosingBoxDeafFrames = 10;
// A new screen opened (the scene changed from `from` to `to`): every key, pad button and pointer
// held now acts on it only once released and pressed again; a box that closes a round also takes
// no input at all for its first frames.
void TranslateScreenOpened(int32_t from, int32_t to);
// The left mouse button went down: the player uses the pointer, so the focus outline goes.
void TranslatePointerUsed();
// Once per pass, after the events: held directions keep pulling the knob (or tilting), and the
// focus follows the screen.
void TranslateHeldInput();
