#include "input/touch.h"

#include "core/game_state.h"
#include "views/views.h"

namespace {

bool BoxHolds(int32_t left, int32_t top, int32_t width, int32_t height, int32_t x, int32_t y) {
  return left <= x && x <= left + width && top <= y && y <= top + height;
}

}  // namespace

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
                               GameState.calibrationOkOver, GameState.scoresButtonOver,
                               GameState.quitButtonOver, GameState.resumeButtonOver, GameState.leaveButtonOver};
  for (ViewId id : highlights) {
    if (id > 0) ViewSetVisible(id, 0);
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
