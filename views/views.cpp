#include "views/views.h"

#include <SDL.h>

#include "app/fatal.h"
#include "render/image.h"

View::View() : id(-1), x(-1), y(-1), width(-1), height(-1), visible(-1), image(nullptr), callback(nullptr) {}

std::string DataPath(const char* name) { return std::string("./Data/") + name; }

namespace {

// The picture each view was made from, as loaded. Views made from the same file (the 50 stars,
// the four buy buttons) share one texture, so the drawing can hand them to GL together.
struct LoadedPicture {
  std::string name;
  unsigned int texture;
  float uMax, vMax;
  int32_t width, height;
  bool opaque;
};

LoadedPicture loadedPictures[kMaxViews];

Image* LoadViewPicture(const char* name, ViewId id) {
  Image* image = new Image();
  bool shared = false;
  for (ViewId earlier = 0; earlier < id && !shared; ++earlier) {
    const LoadedPicture& seen = loadedPictures[earlier];
    if (seen.texture == 0 || seen.name != name) continue;
    image->texture = seen.texture;
    image->uMax = seen.uMax;
    image->vMax = seen.vMax;
    image->width = seen.width;
    image->height = seen.height;
    image->opaque = seen.opaque;
    shared = true;
  }
  if (!shared) ImageLoadTexture(image, DataPath(name).c_str());
  loadedPictures[id] = {name, image->texture, image->uMax, image->vMax, image->width, image->height, image->opaque};
  return image;
}

}  // namespace

ViewId ViewAdd(const char* name, int32_t x, int32_t y, TouchCallback callback) {
  ViewTableRecord& table = GameState.ViewTable;
  if (table.count >= kMaxViews) FatalTableFull("view", kMaxViews);
  View* view = new View();
  const ViewId id = table.count;
  view->x = x;
  view->y = y;
  view->visible = 1;
  view->image = LoadViewPicture(name, id);
  view->id = id;
  view->height = view->image->height;
  view->width = view->image->width;
  view->callback = callback;
  table.views[id] = view;
  table.count += 1;
  SDL_Delay(10);
  return id;
}

ImageId ImageAdd(const char* name) {
  ImageTableRecord& table = GameState.ImageTable;
  if (table.count >= kMaxImages) FatalTableFull("image", kMaxImages);
  View* entry = new View();
  const ImageId id = table.count;
  entry->image = ImageFromFile(DataPath(name).c_str());
  entry->id = id;
  entry->height = entry->image->height;
  entry->width = entry->image->width;
  table.entries[id] = entry;
  table.count += 1;
  return id;
}

static const View* ImageEntryAt(ImageId id) {
  if (id < 0 || id >= GameState.ImageTable.count) return nullptr;
  return GameState.ImageTable.entries[id];
}

ViewId ViewAddFromImage(ImageId image, int32_t x, int32_t y) {
  ViewTableRecord& table = GameState.ViewTable;
  if (table.count >= kMaxViews) FatalTableFull("view", kMaxViews);
  View* view = new View();
  const ViewId id = table.count;
  view->x = x;
  view->y = y;
  view->visible = 1;
  view->image = new Image();
  if (const View* entry = ImageEntryAt(image)) *view->image = *entry->image;
  view->id = id;
  view->height = view->image->height;
  view->width = view->image->width;
  table.views[id] = view;
  table.count += 1;
  return id;
}

View* ViewAt(ViewId id) {
  if (id < 0 || id >= GameState.ViewTable.count) return nullptr;
  return GameState.ViewTable.views[id];
}

void ViewSetxy(ViewId id, int32_t x, int32_t y) {
  if (View* view = ViewAt(id)) {
    view->x = x;
    view->y = y;
  }
}

void ViewSetVisible(ViewId id, int32_t value) {
  if (View* view = ViewAt(id)) view->visible = value;
}

void ViewHide(ViewId id, int32_t) { ViewSetVisible(id, 0); }

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
  TouchAreaTableRecord& table = GameState.TouchAreaTable;
  if (table.count >= kMaxTouchAreas) FatalTableFull("touch area", kMaxTouchAreas);
  TouchArea* area = new TouchArea{x, y, width, height, 1, callback};
  const TouchAreaId id = table.count;
  table.areas[id] = area;
  table.count += 1;
  return id;
}

void TouchAreaSetEnabled(TouchAreaId id, int32_t value) {
  if (id < 0 || id >= GameState.TouchAreaTable.count) return;
  GameState.TouchAreaTable.areas[id]->enabled = value;
}
