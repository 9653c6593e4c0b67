// One frame: a loading step while loading runs, one frame of the current scene, draw, sleep.
#pragma once

// Start-up: which screen each scene belongs to (a scene of no screen runs no frame). A new screen
// is a record of its verbs (core/scene.h) in a file of its own, attached here to its scenes.
void AttachScreens();
// One frame: AdvanceFrame, then (unless it says not to) DrawViews and the frame delay (PlatformWait).
void GameLoop();
// The frame's work before drawing: a loading step, the bar, the scene's frame. Returns false on
// the frame that opens the game-over message, which is neither drawn nor followed by the delay.
bool AdvanceFrame();
