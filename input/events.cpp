#include "input/events.h"

#include <SDL.h>

#include "core/game_state.h"
#include "core/scene.h"
#include "input/controls.h"
#include "input/steering.h"
#include "input/touch.h"
#include "input/translate.h"
#include "platform/platform.h"
#include "views/views.h"

namespace {

// The pointer that took the knob: the mouse is pointer 0, and on a touch screen each finger has a
// number of its own, so one thumb steers while another fires.
int knobPointer = 0;

void HandleFocus(const SDL_ActiveEvent& active) {
  if (active.state != SDL_APPACTIVE) return;
  if (active.gain == 0) {
    SceneLoseFocus();
  } else {
    SceneRegainFocus();
  }
}

void HandleAxis(const SDL_JoyAxisEvent& motion) {
  // Landscape remap: SDL axis 0 becomes the vertical axis, negated; axis 1 the horizontal one.
  int32_t axis = motion.axis;
  int32_t value = motion.value;
  if (motion.axis == 0) {
    axis = 1;
    value = -value;
  } else if (motion.axis == 1) {
    axis = 0;
  }
  // Which input steers is decided here alone: in the tilt layout every reading tilts, through the
  // calibration; in the knob layouts a gamepad's stick pulls the knob and a tilt sensor changes
  // nothing.
  if (GameState.controlMethod == ControlAccelerometer) {
    SetAxis(axis, value, kSourceAccelerometer);
  } else if (PlatformReadingFromGamepad(motion)) {
    TranslateStickPull(axis, value);
  }
}

}  // namespace

void PumpEvents() {
  SDL_Event event;
  while (PlatformPollEvent(&event)) {
    switch (event.type) {
      case SDL_ACTIVEEVENT: HandleFocus(event.active); break;
      case SDL_MOUSEMOTION:
        if (event.motion.state == SDL_BUTTON(1) && GameState.ControlDragging == 1 &&
            static_cast<int>(event.motion.which) == knobPointer) {
          ControlZoneMove(event.motion.x, event.motion.y);
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
          if (!TranslatePointerDown(static_cast<int>(event.button.which))) break;
          const bool knobHeld = GameState.ControlDragging == 1;
          TranslatePointerUsed();
          DispatchTouch(event.button.x, event.button.y, kPhasePressed);
          DispatchTouchAreas(event.button.x, event.button.y);
          if (!knobHeld && GameState.ControlDragging == 1) knobPointer = static_cast<int>(event.button.which);
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
          TranslateRightButton();
        }
        break;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
          // A finger that went down on another screen lifts without touching this one.
          if (TranslatePointerUp(static_cast<int>(event.button.which))) {
            DispatchTouch(event.button.x, event.button.y, kPhaseReleased);
          }
          HidePressedPictures();
          // The finger (or the mouse) that was dragging the knob has let go, wherever it lifted;
          // any other finger lifts through the knob's own rule.
          if (GameState.ControlDragging == 1 && static_cast<int>(event.button.which) == knobPointer) {
            ControlZoneLetGo();
          } else {
            ControlZoneRelease(event.button.x, event.button.y);
          }
        }
        break;
      case SDL_JOYAXISMOTION: HandleAxis(event.jaxis); break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: TranslateKey(event.key); break;
      case SDL_JOYBUTTONDOWN:
      case SDL_JOYBUTTONUP: TranslatePadButton(event.jbutton); break;
      case SDL_JOYHATMOTION: TranslatePadHat(event.jhat); break;
      case SDL_QUIT: running = 0; break;
      default: break;
    }
  }
  TranslateHeldInput();
}
