// The options screen: sound and music switches, the control method (right hand, tilt, left
// hand; tilt shows the calibration panel) and resetting the campaign after a warning.
#pragma once

struct Screen;

// Start-up: the screen's views, hidden, with the back button it shares with help among them.
void CreateOptionsScreen();

extern const Screen kOptionsScreen;

// Switches sound effects or music on or off as their toggles do (music starts from its beginning
// or pauses), applies the levels and saves the options.
void SetSoundOn(bool on);
void SetMusicOn(bool on);
