// Start-up loading: one numbered step per frame behind a growing progress bar (41 frames).
#pragma once

constexpr int kLoadSteps = 41;          // steps 0 to 40; step 40 hands over to the menu fade-in
constexpr double kLoadBarStep = 17.53;  // the bar grows by 17.53 px on every even step ...
constexpr double kLoadBarCap = 295.0;   // ... while it is below 295 px, so it ends at 298 px

// Runs the step LoadStepCounter names, grows the bar on even steps, advances the counter.
void LoadStep();
// Adds 17.53 px to the bar while it is below 295 px.
void AdvanceLoadingBar();
