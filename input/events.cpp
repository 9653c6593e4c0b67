#include "input/events.h"

#include <SDL.h>

#include "core/game_state.h"
#include "core/scene.h"
#include "input/steering.h"
#include "input/controls.h"
#include "platform/platform.h"
#include "views/views.h"

namespace {


bool BoxHolds(int32_t left, int32_t top, int32_t width, int32_t height, int32_t x, int32_t y) {
  return left <= x && x <= left + width && top <= y && y <= top + height;
}

void HandleFocus(const SDL_ActiveEvent& active) {
  if (active.state != SDL_APPACTIVE) return;
  if (active.gain == 0) {
    SceneLoseFocus();
    frameDelay = 100;
  } else {
    SceneRegainFocus();
    frameDelay = 33;
  }
}

// A lifted finger always clears the pressed picture of every button, also when it slid off the
// button before lifting. (The pause button's picture shows the paused state, not a press.)
// Id 0 is the loading background: a highlight that does not exist yet is never hidden.
void HidePressedHighlights() {
  const ViewId highlights[] = {GameState.helpButtonOver, GameState.freePlayButtonOver,
                               GameState.startButtonOver, GameState.backButtonOver,
                               GameState.optionsButtonOver, GameState.firePointDown,
                               GameState.gameBackButtonOver, GameState.buyButtonOver,
                               GameState.InterLevel.startButtonOver, GameState.InterLevel.backButtonOver,
                               GameState.MessageBox.okButtonOver, GameState.MessageBox.cancelButtonOver,
                               GameState.calibrationOkOver};
  for (ViewId id : highlights) {
    if (id > 0) ViewSetVisible(id, 0);
  }
}

void HandleAxis(const SDL_JoyAxisEvent& motion) {
  if (GameState.controlMethod != ControlAccelerometer) return;
  // Landscape remap: SDL axis 0 becomes the vertical axis, negated; axis 1 the horizontal one.
  int32_t axis = motion.axis;
  int32_t value = motion.value;
  if (motion.axis == 0) {
    axis = 1;
    value = -value;
  } else if (motion.axis == 1) {
    axis = 0;
  }
  SetAxis(axis, value, kSourceAccelerometer);
}

}  // namespace

void PumpEvents() {
  SDL_Event event;
  while (PlatformPollEvent(&event)) {
    switch (event.type) {
      case SDL_ACTIVEEVENT:
        HandleFocus(event.active);
        break;
      case SDL_MOUSEMOTION:
        if (event.motion.state == SDL_BUTTON(1) && GameState.ControlDragging == 1) {
          ControlZoneMove(event.motion.x, event.motion.y);
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
          DispatchTouch(event.button.x, event.button.y, kPhasePressed);
          DispatchTouchAreas(event.button.x, event.button.y);
        }
        break;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
          DispatchTouch(event.button.x, event.button.y, kPhaseReleased);
          HidePressedHighlights();
          // The mouse is one finger: if it was dragging the knob, that finger has let go.
          if (GameState.ControlDragging == 1) {
            ControlZoneLetGo();
          } else {
            ControlZoneRelease(event.button.x, event.button.y);
          }
        }
        break;
      case SDL_JOYAXISMOTION:
        HandleAxis(event.jaxis);
        break;
      case SDL_QUIT:
        running = 0;
        break;
      default:
        break;
    }
  }
}

void DispatchTouch(int32_t x, int32_t y, int32_t phase) {
  // The count and each view are read at their own turn: a callback may show or hide later views.
  for (ViewId id = 0; id < GameState.ViewTable.count; ++id) {
    const View* view = GameState.ViewTable.entries[id];
    if (view->visible != 1 || view->callback == nullptr) continue;
    if (!BoxHolds(view->x, view->y, view->width, view->height, x, y)) continue;
    view->callback(phase, x, y);
  }
}

void DispatchTouchAreas(int32_t x, int32_t y) {
  for (TouchAreaId id = 0; id < GameState.TouchAreaTable.count; ++id) {
    const TouchArea* area = GameState.TouchAreaTable.entries[id];
    if (area->enabled != 1 || area->callback == nullptr) continue;
    if (!BoxHolds(area->x, area->y, area->width, area->height, x, y)) continue;
    area->callback(kPhaseReleased, x, y);
  }
}
