// The strip at the top of a round: back (top left), pause (top right), the score plate with the
// score or mission progress and, in a campaign round, the progress label.
#pragma once

// Start-up: the in-game button views and the score and progress texts, hidden.
void CreateGameButtons();
// A round starts: places and shows the strip and zeroes the score.
void ShowGameButtons();
// Hides the strip (back, pause, plate, pressed pictures and both texts).
void HideGameButtons();
