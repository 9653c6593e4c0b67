#include "input/translate.h"

#include <bitset>
#include <cmath>

#include "core/game_state.h"
#include "core/scene.h"
#include "input/controls.h"
#include "input/steering.h"
#include "input/touch.h"
#include "views/views.h"

namespace {

constexpr int32_t kPadA = 0, kPadB = 1, kPadBack = 6, kPadStart = 7;

enum Direction : int32_t { kLeft = 1, kRight = 2, kUp = 4, kDown = 8 };

int32_t keyDirections = 0;             // arrows and WASD held
int32_t hatDirections = 0;             // the D-pad held
double stickX = 0.0, stickY = 0.0;     // the left stick in a knob layout, -1..1
bool steering = false;                 // held input steered on the last pass
int32_t pressedX = -1, pressedY = -1;  // where a key's press of a menu button went down
int32_t focusScene = -1;               // the scene the focus was chosen on
bool keysInUse = false;                // the keys or pad were used since the pointer last was

// What is held down, and what was already held when the screen changed: a key, pad button or
// pointer that was down then acts on the new screen only once it has been let go and pressed
// again, so a press meant for one screen (fire, in a round) never lands on the next (its box).
constexpr int kTrackedKeys = 512;
constexpr int kTrackedButtons = 32;  // pad buttons and pointers (a finger each on a touch screen)
std::bitset<kTrackedKeys> keysDown, keysStale;
uint32_t padDown = 0, padStale = 0, pointersDown = 0, pointersStale = 0;

int32_t deafFrames = 0;  // frames the box that closed the round still takes no input

uint32_t Bit(int index) { return index >= 0 && index < kTrackedButtons ? 1u << index : 0u; }

// Records a key or button going down or up in its held and stale sets; true when it is to act.
// A press during the deaf frames is stale at once: neither it nor its release acts.
template <typename Set, typename Index>
bool Track(Set& down, Set& stale, Index index, bool pressed) {
  if (pressed) {
    if (deafFrames > 0) stale |= index;
    down |= index;
  } else {
    down &= ~index;
  }
  const bool acts = (stale & index) == Set{};
  if (!pressed) stale &= ~index;
  return acts;
}

std::bitset<kTrackedKeys> KeyBit(SDLKey key) {
  std::bitset<kTrackedKeys> bit;
  if (key > 0 && key < kTrackedKeys) bit.set(key);
  return bit;
}

bool InRound() {
  const int32_t scene = GameState.SceneState;
  return scene == ScenePlaying || scene == ScenePaused || scene == SceneGameOver;
}

// The keys and pad play the round (rather than moving a focus): in play and while it ends.
// A paused round has its overlay's two buttons to move between, like a menu.
bool RoundTakesKeys() { return InRound() && GameState.SceneState != ScenePaused && !MessageBoxIsOpen(); }

bool TiltMode() { return GameState.controlMethod == ControlAccelerometer; }

int32_t CentreX(const View& view) { return view.x + view.width / 2; }
int32_t CentreY(const View& view) { return view.y + view.height / 2; }

// A tap in the middle of a view, as a finger would give it: down, then up.
void Tap(ViewId id) {
  const View* view = ViewAt(id);
  if (view == nullptr || view->visible != 1) return;
  DispatchTouch(CentreX(*view), CentreY(*view), kPhasePressed);
  DispatchTouchAreas(CentreX(*view), CentreY(*view));
  DispatchTouch(CentreX(*view), CentreY(*view), kPhaseReleased);
  HidePressedPictures();
}

// The fire button in the knob layouts; in tilt mode a finger anywhere on the field fires.
void Fire() {
  if (!InRound()) return;
  if (TiltMode()) {
    DispatchTouchAreas(kScreenWidth / 2, kScreenHeight / 2);
  } else {
    Tap(GameState.firePoint);
  }
}

// Where held input points: -1, 0 or 1 on each axis (keys and D-pad), or the stick.
void HeldPull(double* x, double* y) {
  const int32_t held = keyDirections | hatDirections;
  *x = ((held & kRight) ? 1 : 0) - ((held & kLeft) ? 1 : 0);
  *y = ((held & kDown) ? 1 : 0) - ((held & kUp) ? 1 : 0);
  if (*x == 0 && *y == 0) {
    *x = stickX;
    *y = stickY;
  }
  const double length = std::sqrt(*x * *x + *y * *y);
  if (length > 1.0) {  // diagonals share one full pull
    *x /= length;
    *y /= length;
  }
}

void Steer() {
  double x = 0.0, y = 0.0;
  HeldPull(&x, &y);
  const bool held = x != 0.0 || y != 0.0;
  if (!held) {
    // Letting go of every direction stops the ship, as letting go of the knob does.
    if (steering) {
      if (TiltMode()) {
        SetAxis(0, 0, kSourceAccelerometer);
        SetAxis(1, 0, kSourceAccelerometer);
      } else {
        ControlZoneLetGo();
      }
    }
    steering = false;
    return;
  }
  steering = true;
  if (TiltMode()) {
    SetAxis(0, static_cast<int32_t>(x * kFullTilt), kSourceAccelerometer);
    SetAxis(1, static_cast<int32_t>(y * kFullTilt), kSourceAccelerometer);
  } else {
    ControlZoneMove(GameState.ControlCentreX + static_cast<int32_t>(x * kKnobReach),
                    GameState.ControlCentreY + static_cast<int32_t>(y * kKnobReach));
  }
}

// --- The focus over a screen's buttons, in reading order (top to bottom, left to right).

bool Focusable(const View& view) {
  if (view.visible != 1 || view.callback == nullptr) return false;
  if (view.x < 0 || view.x > kScreenWidth || view.y < 0 || view.y > kScreenHeight) return false;
  if (MessageBoxIsOpen())
    return view.id == GameState.MessageBox.okButton || view.id == GameState.MessageBox.cancelButton;
  const GameButtonsRecord& strip = GameState.GameButtons;
  if (GameState.SceneState == ScenePaused) return view.id == strip.resumeButton || view.id == strip.leaveButton;
  return true;
}

int64_t Order(const View& view) { return static_cast<int64_t>(view.y) * 4096 + view.x; }

// The next focusable button after `from` in reading order (step 1) or before it (step -1),
// wrapping round; `from` itself when it is the only one, and the first (or last) for -1.
ViewId Neighbour(ViewId from, int32_t step) {
  const View* current = ViewAt(from);
  ViewId best = -1, wrap = -1;
  for (ViewId id = 0; id < GameState.ViewTable.count; ++id) {
    const View& view = *GameState.ViewTable.entries[id];
    if (!Focusable(view) || id == from) continue;
    const int64_t order = Order(view) * step;
    const bool ahead = current == nullptr || order > Order(*current) * step;
    if (ahead && (best == -1 || order < Order(*ViewAt(best)) * step)) best = id;
    if (wrap == -1 || order < Order(*ViewAt(wrap)) * step) wrap = id;
  }
  if (best != -1) return best;
  return wrap != -1 ? wrap : from;
}

// The focus as the screen stands: the screen's first button when the screen changed or the
// focused button went away (also before the keys were first used).
ViewId CurrentFocus() {
  const View* view = ViewAt(GameState.FocusView);
  if (view == nullptr || !Focusable(*view) || focusScene != GameState.SceneState) {
    focusScene = GameState.SceneState;
    return Neighbour(-1, 1);
  }
  return GameState.FocusView;
}

void MoveFocus(int32_t step) { GameState.FocusView = Neighbour(CurrentFocus(), step); }

// The screen's way back: Cancel (or OK alone) over a message box, else its back button.
ViewId BackButton() {
  const MessageBoxRecord& box = GameState.MessageBox;
  if (MessageBoxIsOpen()) return box.okOnly != 0 ? box.okButton : box.cancelButton;
  switch (GameState.SceneState) {
    case SceneOptions:
    case SceneHelp:
    case SceneBestScores: return GameState.Menu.backButton;
    case SceneMainMenu: return GameState.Menu.quitButton;  // asks first; shown on the desktop only
    case SceneInterLevel: return GameState.InterLevel.backButton;
    default: return -1;
  }
}

// A menu button pressed by a key: down now, up when the key is released.
void Press(ViewId id) {
  const View* view = ViewAt(id);
  if (view == nullptr || view->visible != 1) return;
  pressedX = CentreX(*view);
  pressedY = CentreY(*view);
  DispatchTouch(pressedX, pressedY, kPhasePressed);
}

void ReleasePressed() {
  if (pressedX < 0) return;
  DispatchTouch(pressedX, pressedY, kPhaseReleased);
  HidePressedPictures();
  pressedX = pressedY = -1;
}

int32_t DirectionOf(SDLKey key) {
  switch (key) {
    case SDLK_LEFT:
    case SDLK_a: return kLeft;
    case SDLK_RIGHT:
    case SDLK_d: return kRight;
    case SDLK_UP:
    case SDLK_w: return kUp;
    case SDLK_DOWN:
    case SDLK_s: return kDown;
    default: return 0;
  }
}

// What the buttons of a round do: fire, pause, back.
enum Action { kNone, kFire, kPause, kBack, kPress, kNext, kPrevious };

// In a round Esc (and pad B) pauses rather than leaving; leaving is the paused round's own button.
void RoundAction(Action action) {
  if (action == kFire) Fire();
  if (action == kPause || action == kBack) Tap(GameState.GameButtons.pauseButton);
}

void MenuAction(Action action, bool down) {
  if (!down) {
    if (action == kPress || action == kBack) ReleasePressed();
    return;
  }
  if (action == kNext || action == kPrevious) MoveFocus(action == kNext ? 1 : -1);
  if (action == kPress) {
    GameState.FocusView = CurrentFocus();
    Press(GameState.FocusView);
  }
  if (action == kBack) Press(BackButton());
}

void Act(Action action, bool down) {
  if (RoundTakesKeys()) {
    if (down) RoundAction(action);
    return;
  }
  // Paused: P, Esc, pad Start and B resume; the rest move between Resume and Leave round.
  if (GameState.SceneState == ScenePaused && !MessageBoxIsOpen() && (action == kPause || action == kBack)) {
    if (down) Tap(GameState.GameButtons.pauseButton);
    return;
  }
  MenuAction(action == kFire ? kPress : action, down);
}

}  // namespace

void TranslateKey(const SDL_KeyboardEvent& key) {
  keysInUse = true;
  const bool down = key.type == SDL_KEYDOWN;
  const bool acts = Track(keysDown, keysStale, KeyBit(key.keysym.sym), down);
  const int32_t direction = DirectionOf(key.keysym.sym);
  if (direction != 0) {
    // Held directions steer whatever the screen; moving the focus is a press.
    keyDirections = down ? (keyDirections | direction) : (keyDirections & ~direction);
    if (down && acts && !RoundTakesKeys()) {
      MenuAction(direction == kUp || direction == kLeft ? kPrevious : kNext, true);
    }
    return;
  }
  if (!acts) return;
  switch (key.keysym.sym) {
    case SDLK_TAB: Act((key.keysym.mod & KMOD_SHIFT) ? kPrevious : kNext, down); break;
    case SDLK_SPACE: Act(RoundTakesKeys() ? kFire : kPress, down); break;
    case SDLK_LCTRL:
    case SDLK_RCTRL: Act(kFire, down); break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: Act(kPress, down); break;
    case SDLK_p:
    case SDLK_PAUSE: Act(kPause, down); break;
    case SDLK_ESCAPE: Act(kBack, down); break;
    default: break;
  }
}

void TranslatePadButton(const SDL_JoyButtonEvent& button) {
  keysInUse = true;
  const bool down = button.type == SDL_JOYBUTTONDOWN;
  if (!Track(padDown, padStale, Bit(button.button), down)) return;
  if (button.button == kPadA) Act(RoundTakesKeys() ? kFire : kPress, down);
  if (button.button == kPadB || button.button == kPadBack) Act(kBack, down);
  if (button.button == kPadStart) Act(kPause, down);
}

void TranslatePadHat(const SDL_JoyHatEvent& hat) {
  keysInUse = true;
  int32_t held = 0;
  if (hat.value & SDL_HAT_LEFT) held |= kLeft;
  if (hat.value & SDL_HAT_RIGHT) held |= kRight;
  if (hat.value & SDL_HAT_UP) held |= kUp;
  if (hat.value & SDL_HAT_DOWN) held |= kDown;
  const int32_t pressed = held & ~hatDirections;
  hatDirections = held;
  if (pressed != 0 && deafFrames == 0 && !RoundTakesKeys()) {
    MenuAction(pressed & (kUp | kLeft) ? kPrevious : kNext, true);
  }
}

void TranslateRightButton() {
  if (RoundTakesKeys() && deafFrames == 0) Fire();
}

bool TranslatePointerDown(int pointer) { return Track(pointersDown, pointersStale, Bit(pointer), true); }

bool TranslatePointerUp(int pointer) { return Track(pointersDown, pointersStale, Bit(pointer), false); }

void TranslateScreenOpened(int32_t from, int32_t to) {
  keysStale = keysDown;
  padStale = padDown;
  pointersStale = pointersDown;
  pressedX = pressedY = -1;  // a key's press of a button of the screen left is forgotten
  const bool roundClosed = from == ScenePlaying || from == SceneGameOver;
  deafFrames = to == SceneMessageBox && roundClosed ? kClosingBoxDeafFrames : 0;
}

void TranslateStickPull(int32_t axis, int32_t reading) {
  const double pull = static_cast<double>(reading) / kFullTilt;
  if (axis == 0) stickX = pull;
  if (axis == 1) stickY = pull;
}

void TranslatePointerUsed() {
  keysInUse = false;
  GameState.FocusView = -1;
}

void TranslateHeldInput() {
  if (deafFrames > 0) deafFrames -= 1;
  if (GameState.SceneState == ScenePlaying && !MessageBoxIsOpen()) Steer();
  // The outline follows the screen while the keys or pad are in use; rounds have none.
  const bool menus = !RoundTakesKeys();
  GameState.FocusView = keysInUse && menus ? CurrentFocus() : -1;
}
