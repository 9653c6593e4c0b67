// The scene of the per-frame state machine (GameState.SceneState) and the only code that
// changes it. Screens ask for a change; the round's end is reported by the world and decided by
// the loop; the menu's fade, the message box and a loss of focus hand a scene back through here.
#pragma once

#include <cstdint>

// Told of every change of scene, with the scene left and the scene entered (the input layer
// listens, so that a key held on one screen does not act on the next).
typedef void (*SceneListener)(int32_t from, int32_t to);
void SceneListen(SceneListener onChange);
// Changes the scene now.
void SceneChange(int32_t scene);
// Leaves the menu: it fades out first (SceneFadeOut), then the scene follows (SceneFinishFade).
void SceneChangeAfterFade(int32_t scene);
// The scene the fade leads to, or -1 when none is waiting.
int32_t ScenePending();
// The fade's last frame: the pending scene takes over.
void SceneFinishFade();
// The round is over: the game-over countdown runs, and its closing box returns to `next`.
void SceneEndRound(int32_t next);
// A message box opens over the current screen; closing it returns to returnScene.
void SceneOpenDialog(int32_t returnScene);
// The message box closes: its return scene takes over.
void SceneCloseDialog();
// True while the message box is open: nothing under it takes touches.
bool MessageBoxIsOpen();
// The game lost focus: a round in play pauses, and is remembered for SceneRegainFocus.
void SceneLoseFocus();
// Focus is back: the round paused by the loss plays on, if it is still the paused one.
void SceneRegainFocus();
