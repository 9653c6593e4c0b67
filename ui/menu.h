// The main menu: start, free play, options and help over the menu background and logo, with its
// fade in (two frames) and fade out (two frames) around it.
#pragma once

// Start-up: the space backgrounds and every view of the menu, options and help screens, then
// the calibration panel, in this order (the order is the stacking order).
void InitUI();
// The menu scene's work: sets the menu up once after it was left, asking every other screen and
// the round to hide.
void EnterMenu();
// The fade-in scene's work: two frames (90, then 180) before the menu sets itself up.
void FadeInMenuFrame();
// The fade-out scene's work: the menu goes on the first frame, the pending scene follows the second.
void FadeOutMenuFrame();

int StartTouched(int phase, int x, int y);
int FreePlayTouched(int phase, int x, int y);
int OptionsTouched(int phase, int x, int y);
int HelpTouched(int phase, int x, int y);
// Best scores: the table of free play's ten best rounds.
int ScoresTouched(int phase, int x, int y);
// Quit (on the desktop only; Esc and a pad's Back press it): asks "Quit Vel Mora?" first.
int QuitTouched(int phase, int x, int y);
// The back button of the options and help screens: back to the menu.
int BackTouched(int phase, int x, int y);
