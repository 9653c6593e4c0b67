// The screen between campaign missions: the briefing of the current mission, the credits, the
// upgrade shop, and buttons to start the mission or go back to the menu.
#pragma once

// Start-up: the screen's views and texts, hidden.
void CreateInterLevelScreen();
// Shows or hides the screen, its help overlay and (when showing) the four shop rows.
void ShowInterLevel(bool visible);
// The briefing texts from the current mission.
void FillBriefing();
// The inter-level scene's work, every frame.
void InterLevelFrame();
int InterLevelStartTouched(int phase, int x, int y);
int InterLevelBackTouched(int phase, int x, int y);
