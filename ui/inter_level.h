// The screen between campaign missions: the briefing of the current mission, the credits, the
// upgrade shop, and buttons to start the mission or go back to the menu.
#pragma once

struct Screen;

// Start-up: the screen's views and texts, hidden.
void CreateInterLevelScreen();

extern const Screen kInterLevelScreen;
