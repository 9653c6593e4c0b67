// The strip at the top of a round: back (top left), pause (top right), the score plate with the
// score or mission progress and, in a campaign round, the progress label.
#pragma once

// Start-up: the in-game button views and the score and progress texts, hidden.
void CreateGameButtons();
// A round starts: places and shows the strip and zeroes the score.
void ShowGameButtons();
// Hides the strip (back, pause, plate, highlights and both texts).
void HideGameButtons();
// Leaves the round without a word, as its back button does: a campaign round back to its
// briefing, free play back to the menu.
void LeaveRound();
int PauseTouched(int phase, int x, int y);
int GameBackTouched(int phase, int x, int y);
