// The help screen: the help picture under the logo, with the back button. The picture explains
// the controls of the device the game runs on: touch and tilt on a touch screen; keys, mouse and
// gamepad elsewhere.
#pragma once

struct Screen;

// Start-up: the help pictures (the touch screen's and the desktop's), hidden.
void CreateHelpScreen();

extern const Screen kHelpScreen;
