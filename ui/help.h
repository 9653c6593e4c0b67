// The help screen: the help picture under the logo, with the back button. The picture explains
// the controls of the device the game runs on: touch and tilt on a touch screen; keys, mouse and
// gamepad elsewhere.
#pragma once

// Start-up: the help picture (the touch screen's and the desktop's), hidden.
void CreateHelpScreen();
// The help scene's work, every frame.
void HelpFrame();
// Hides the help picture and the back button (the logo belongs to the menu).
void HideHelpScreen();
