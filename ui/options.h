// The options screen: sound and music switches, the control method (right hand, tilt, left
// hand; tilt shows the calibration panel) and resetting the campaign after a warning.
#pragma once

// The options scene's work, every frame: shows the screen as the settings stand.
void OptionsFrame();
// Hides every view of the screen, the calibration panel included.
void HideOptionsScreen();

// Switches sound effects or music on or off as their toggles do (music starts from its beginning
// or pauses), applies the levels and saves the options.
void SetSoundOn(bool on);
void SetMusicOn(bool on);

int SoundToggleTouched(int phase, int x, int y);
int MusicToggleTouched(int phase, int x, int y);
int ControlMethodTouched(int phase, int x, int y);
int ResetTouched(int phase, int x, int y);
