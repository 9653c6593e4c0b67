// The options screen: sound and music switches, the control method (right hand, tilt, left
// hand; tilt shows the calibration panel) and resetting the campaign after a warning.
#pragma once

struct Screen;

// Start-up: the screen's views, hidden, with the back button it shares with help among them.
void CreateOptionsScreen();

extern const Screen kOptionsScreen;
