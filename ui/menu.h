// The main menu: start, free play, options, help, best scores and (on the desktop) quit over the menu background and
// logo, with its fade in (two frames, before the menu first shows) and fade out (two frames, when it is left).
#pragma once

struct Screen;

// Start-up: the menu background, the logo and the buttons (hidden).
void CreateMenuScreen();
// Start-up, after the options screen: the pressed pictures of the buttons and the back button.
void CreateMenuPressedPictures();

// The menu (its own scene and the fade-out that leaves it) and the fade-in that first shows it.
extern const Screen kMenuScreen;
extern const Screen kMenuFadeInScreen;
