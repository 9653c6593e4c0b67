#include "input/touch.h"

#include "core/game_state.h"
#include "views/views.h"

namespace {

bool BoxHolds(int32_t left, int32_t top, int32_t width, int32_t height, int32_t x, int32_t y) {
  return left <= x && x <= left + width && top <= y && y <= top + height;
}

}  // namespace

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
