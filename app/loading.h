// Start-up loading: one numbered step per frame behind a growing progress bar (41 frames).
#pragma once

// Runs the step LoadStepCounter names, grows the bar on even steps, advances the counter.
void LoadStep();
// True when this loading frame would show just what the last one drawn shows (its bar has not
// grown since) and the platform keeps that one on screen, so that it need not be drawn again.
bool LoadingFrameAsShown();
