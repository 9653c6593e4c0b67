// The help screen: the help picture under the logo, with the back button.
#pragma once

struct Screen;

// Start-up: the help picture, hidden.
void CreateHelpScreen();

extern const Screen kHelpScreen;
