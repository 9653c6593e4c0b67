#include "views/views.h"

#include <SDL.h>

#include <string>

#include "core/data_path.h"
#include "platform/platform.h"
#include "render/image.h"

View::View()
    : id(-1),
      x(-1),
      y(-1),
      width(-1),
      height(-1),
      visible(-1),
      image(nullptr),
      callback(nullptr),
      pressedPicture(false) {}

namespace {

// The picture each view was made from, as loaded. Views made from the same file (the 50 stars,
// the four buy buttons) share one texture, so the drawing can hand them to GL together.
struct LoadedPicture {
  std::string name;
  Image picture;  // as loaded, before any view changed its drawn size
};

LoadedPicture loadedPictures[kMaxViews];

Image* LoadViewPicture(const char* name, ViewId id) {
  Image* image = new Image();
  bool shared = false;
  for (ViewId earlier = 0; earlier < id && !shared; ++earlier) {
    const LoadedPicture& seen = loadedPictures[earlier];
    if (seen.picture.texture == 0 || seen.name != name) continue;
    *image = seen.picture;
    shared = true;
  }
  if (!shared) ImageLoadTexture(image, DataPath(name).c_str());
  loadedPictures[id] = {name, *image};
  return image;
}

const View* ImageEntryAt(ImageId id) { return GameState.ImageTable.At(id); }

// Stores a new visible view of the picture at (x, y) under its id, taken with NextId.
ViewId StoreView(ViewId id, Image* image, int32_t x, int32_t y, TouchCallback callback) {
  View* view = new View();
  view->id = id;
  view->x = x;
  view->y = y;
  view->visible = 1;
  view->image = image;
  view->height = image->height;
  view->width = image->width;
  view->callback = callback;
  return GameState.ViewTable.Add(view);
}

}  // namespace

ViewId ViewAdd(const char* name, int32_t x, int32_t y, TouchCallback callback) {
  const ViewId id = GameState.ViewTable.NextId("view");
  StoreView(id, LoadViewPicture(name, id), x, y, callback);
  PlatformWait(10);
  return id;
}

ViewId ViewAddHidden(const char* name, int32_t x, int32_t y, TouchCallback callback) {
  const ViewId id = ViewAdd(name, x, y, callback);
  ViewSetVisible(id, 0);
  return id;
}

ImageId ImageAdd(const char* name) {
  const ImageId id = GameState.ImageTable.NextId("image");
  View* entry = new View();
  entry->image = ImageFromFile(DataPath(name).c_str());
  entry->id = id;
  entry->height = entry->image->height;
  entry->width = entry->image->width;
  return GameState.ImageTable.Add(entry);
}

ViewId ViewAddFromImage(ImageId image, int32_t x, int32_t y) {
  const ViewId id = GameState.ViewTable.NextId("view");
  Image* picture = new Image();
  if (const View* entry = ImageEntryAt(image)) *picture = *entry->image;
  return StoreView(id, picture, x, y, nullptr);
}

View* ViewAt(ViewId id) { return GameState.ViewTable.At(id); }

void ViewSetxy(ViewId id, int32_t x, int32_t y) {
  if (View* view = ViewAt(id)) {
    view->x = x;
    view->y = y;
  }
}

void ViewSetVisible(ViewId id, int32_t value) {
  if (View* view = ViewAt(id)) view->visible = value;
}

ViewId ViewMarkPressedPicture(ViewId id) {
  if (View* view = ViewAt(id)) view->pressedPicture = true;
  return id;
}

void HidePressedPictures() {
  for (ViewId id = 0; id < GameState.ViewTable.count; ++id) {
    View* view = GameState.ViewTable.entries[id];
    if (view->pressedPicture) view->visible = 0;
  }
}

void ViewsSetVisible(std::initializer_list<ViewId> ids, int32_t value) {
  for (ViewId id : ids) ViewSetVisible(id, value);
}

void ViewHide(ViewId id, int32_t) { ViewSetVisible(id, 0); }

void ViewRetire(ViewId id) {
  View* view = ViewAt(id);
  if (view == nullptr) return;
  view->visible = 0;
  if (view->image != nullptr) ImageFreeTexture(view->image);
}

ViewId ViewSetImage(ViewId id, ImageId image) {
  View* view = ViewAt(id);
  const View* entry = ImageEntryAt(image);
  if (view != nullptr && entry != nullptr) *view->image = *entry->image;
  return id;
}

void ViewSetImageSize(ViewId id, int32_t width, int32_t height) {
  if (View* view = ViewAt(id)) {
    view->image->width = width;
    view->image->height = height;
  }
}

int32_t ViewGetX(ViewId id) {
  const View* view = ViewAt(id);
  return view != nullptr ? view->x : 0;
}

int32_t ViewGetY(ViewId id) {
  const View* view = ViewAt(id);
  return view != nullptr ? view->y : 0;
}

TouchAreaId TouchAreaAdd(int32_t x, int32_t y, int32_t width, int32_t height, TouchCallback callback) {
  GameState.TouchAreaTable.NextId("touch area");
  return GameState.TouchAreaTable.Add(new TouchArea{x, y, width, height, 1, callback});
}

void TouchAreaSetEnabled(TouchAreaId id, int32_t value) {
  if (TouchArea* area = GameState.TouchAreaTable.At(id)) area->enabled = value;
}
