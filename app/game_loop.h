// One frame: a loading step while loading runs, one frame of the current scene, draw, sleep.
#pragma once

// One frame: AdvanceFrame, then (unless it says not to) DrawViews and the frame delay (PlatformWait).
void GameLoop();
// The frame's work before drawing: a loading step, the bar, the scene. Returns false on the frame
// that opens the game-over message, which is neither drawn nor followed by the delay.
bool AdvanceFrame();
