// The fixed tables from which every screen and game object is made: views (positioned pictures,
// drawn in id order, optionally touchable), shared image entries and invisible touch areas.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/game_state.h"

class Image;

struct View {
  View();
  int32_t id;
  int32_t x, y;           // top-left corner in screen pixels
  int32_t width, height;  // the touch box, from the picture's size at creation
  int32_t visible;        // drawn and touchable only when exactly 1
  Image* image;           // the view's own picture record; its texture may be shared
  TouchCallback callback;
  bool pressedPicture;  // a button's pressed picture: any lifted finger hides it
};

struct TouchArea {
  int32_t x, y, width, height;
  int32_t enabled;  // receives touches only when exactly 1
  TouchCallback callback;
};

// A new visible view of the picture file at (x, y), optionally touchable; sleeps 10 ms. Views
// of the same file share its texture.
ViewId ViewAdd(const char* name, int32_t x, int32_t y, TouchCallback callback = nullptr);
// A new view of the picture file at (x, y), hidden until a screen shows it; sleeps 10 ms.
ViewId ViewAddHidden(const char* name, int32_t x, int32_t y, TouchCallback callback = nullptr);
// A new image entry (a shared picture source) loaded from the file.
ImageId ImageAdd(const char* name);
// A new visible view showing an image entry's picture (shared texture); no file read, no sleep.
ViewId ViewAddFromImage(ImageId image, int32_t x, int32_t y);
// The view with this id, or null for an id that names none.
View* ViewAt(ViewId id);
void ViewSetxy(ViewId id, int32_t x, int32_t y);
void ViewSetVisible(ViewId id, int32_t value);
// Hides the view for good and gives its picture's texture back (the loading screen's, once
// loading is over); a view whose picture another record shares must not be retired.
void ViewRetire(ViewId id);
// Marks the view as a button's pressed picture (see HidePressedPictures) and returns it.
ViewId ViewMarkPressedPicture(ViewId id);
// A lifted finger clears every button's pressed picture, also when it slid off the button before
// lifting.
void HidePressedPictures();
// Shows (1) or hides (0) every view of the list, as a screen does with its own views.
void ViewsSetVisible(std::initializer_list<ViewId> ids, int32_t value);
// Hides the view; the level argument is accepted and not used.
void ViewHide(ViewId id, int32_t level);
// Gives the view an image entry's picture and drawn size; the touch box is unchanged.
ViewId ViewSetImage(ViewId id, ImageId image);
// Sets the drawn size (the picture is stretched); the touch box is unchanged.
void ViewSetImageSize(ViewId id, int32_t width, int32_t height);
int32_t ViewGetX(ViewId id);
int32_t ViewGetY(ViewId id);

// A new enabled touch area; it receives phase 3 when a finger goes down inside it.
TouchAreaId TouchAreaAdd(int32_t x, int32_t y, int32_t width, int32_t height, TouchCallback callback);
void TouchAreaSetEnabled(TouchAreaId id, int32_t value);
