// Start-up loading: one numbered step per frame behind a growing progress bar (41 frames).
#pragma once

// Runs the step LoadStepCounter names, grows the bar on even steps, advances the counter.
void LoadStep();
