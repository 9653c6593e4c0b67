#include "views/frame.h"

#include "core/game_state.h"
#include "render/draw.h"
#include "render/image.h"
#include "render/text.h"
#include "views/views.h"

namespace {

// Views whose left edge is off the left side, or that lie wholly above or below the screen, are
// left out before any GL call; the width is not looked at.
bool OnScreen(const View& view) {
  if (view.visible != 1) return false;
  if (view.x < 0 || view.x > kScreenWidth) return false;
  return view.y >= -view.height && view.y <= kScreenHeight + 2;
}

// True when the first view drawn this frame is an opaque picture covering the whole screen, so
// that the black clear under it can never be seen.
bool ClearIsCovered() {
  const auto& views = GameState.ViewTable;
  for (int32_t id = 0; id < views.count; ++id) {
    const View* view = views.entries[id];
    if (!OnScreen(*view)) continue;
    const Image& image = *view->image;
    return image.opaque && view->x == 0 && view->y == 0 && image.width >= kScreenWidth && image.height >= kScreenHeight;
  }
  return false;
}

constexpr int32_t kFocusColour = 0x38D9F5;  // the cyan of the game's buttons
constexpr int32_t kFocusLine = 3, kFocusGap = 3;

// The outline around the button the keys or pad act on: a thin cyan frame just outside it.
void DrawFocus() {
  const View* view = ViewAt(GameState.FocusView);
  if (view == nullptr || view->visible != 1) return;
  const int32_t left = view->x - kFocusGap - kFocusLine, top = view->y - kFocusGap - kFocusLine;
  const int32_t width = view->width + 2 * (kFocusGap + kFocusLine);
  const int32_t height = view->height + 2 * (kFocusGap + kFocusLine);
  DrawFilledRect(left, top, width, kFocusLine, kFocusColour);
  DrawFilledRect(left, top + height - kFocusLine, width, kFocusLine, kFocusColour);
  DrawFilledRect(left, top, kFocusLine, height, kFocusColour);
  DrawFilledRect(left + width - kFocusLine, top, kFocusLine, height, kFocusColour);
}

}  // namespace

void DrawViews() {
  BeginFrame(ClearIsCovered());
  const auto& views = GameState.ViewTable;
  for (int32_t id = 0; id < views.count; ++id) {
    const View* view = views.entries[id];
    if (OnScreen(*view)) DrawImage(*view->image, view->x, view->y);
  }
  if (GameState.FocusView != -1) DrawFocus();
  const auto& texts = GameState.TextTable;
  for (int32_t id = 0; id < texts.count; ++id) {
    const TextView* text = texts.entries[id];
    if (text->visible != 1) continue;
    if (const Font* font = FontById(text->font)) TextDraw(*font, text->x, text->y, text->text);
  }
  EndFrame();
}
