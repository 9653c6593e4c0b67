// The help screen: the help picture under the logo, with the back button.
#pragma once

// The help scene's work, every frame.
void HelpFrame();
// Hides the help picture and the back button (the logo belongs to the menu).
void HideHelpScreen();
