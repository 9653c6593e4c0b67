// A paused round: "PAUSED" over the dimmed frame, with Resume and Leave round. Leaving asks first.
// It shows whatever paused the round (the pause button, P, Esc, a pad's Start, or the game losing
// focus) and goes as soon as the round plays again.
#pragma once

// Start-up: the dimmed backdrop, the panel and its two buttons, hidden. Created above the round
// and its controls and below the message box, which asks over it.
void CreatePauseOverlay();
// The paused scene's work: the overlay and the lit pause button show.
void PausedFrame();
// The round plays again, or was left: the overlay goes.
void HidePauseOverlay();
int ResumeTouched(int phase, int x, int y);
int LeaveTouched(int phase, int x, int y);
