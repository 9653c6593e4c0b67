// The main menu (start, free play, options, help), the options screen and the help screen.
#pragma once

// Start-up: the space backgrounds and every menu, options and help view, then the calibration
// panel, in this order (the order is the stacking order).
void InitUI();
// The menu scene's work: sets the menu up once after it was left, tidying every other screen away.
void EnterMenu();
// The options screen, rebuilt every frame.
void OptionsFrame();
// The help screen, every frame.
void HelpFrame();

int StartTouched(int phase, int x, int y);
int FreePlayTouched(int phase, int x, int y);
int OptionsTouched(int phase, int x, int y);
int HelpTouched(int phase, int x, int y);
int BackTouched(int phase, int x, int y);
int SoundToggleTouched(int phase, int x, int y);
int MusicToggleTouched(int phase, int x, int y);
int ControlMethodTouched(int phase, int x, int y);
int ResetTouched(int phase, int x, int y);
