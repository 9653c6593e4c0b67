// The scene of the per-frame state machine (GameState.SceneState) and the only code that
// changes it. Screens ask for a change; the round's end is reported by the world and decided by
// the round; the menu's fade, the message box and a loss of focus hand a scene back through here.
#pragma once

#include <cstdint>

// What every screen (and the round) does over its life. It is created once, by its step of the
// loading; it is entered when the scene becomes one of its own and left when the scene becomes
// another screen's (SceneChange and its kin below all go through one function that calls both,
// at the moment of the change); in between, its frame runs once per frame of one of its scenes.
// A screen's leave tidies away all it showed and started, so the next screen starts on a clean
// screen; what a screen shows on its first frame it may show from its frame. Any verb may be
// null. The message box and the loading belong to no screen: the screen under them stays.
struct Screen {
  void (*enter)();
  // One frame of one of the screen's scenes; false on a frame that must be neither drawn nor
  // followed by the delay.
  bool (*frame)();
  void (*leave)();
  // The music the screen plays, started when coming from a screen that plays other music (or
  // from the loading); null: the screen starts its own music when it needs it.
  void (*music)();
};

// Told of every change of scene, with the scene left and the scene entered (the input layer
// listens, so that a key held on one screen does not act on the next).
typedef void (*SceneListener)(int32_t from, int32_t to);
void SceneListen(SceneListener onChange);
// Start-up, before the first change: which screen each scene belongs to.
void SceneAttach(int32_t scene, const Screen* screen);
// The loading runs: no screen yet.
void SceneStartLoading();
// One frame of the current scene's screen; nothing for a scene without one. False on a frame
// that must be neither drawn nor followed by the delay.
bool SceneFrame();

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
// The game lost focus: frames come slower, and a round in play pauses, remembered for
// SceneRegainFocus.
void SceneLoseFocus();
// Focus is back: frames come at their pace, and the round paused by the loss plays on, if it is
// still the paused one.
void SceneRegainFocus();
