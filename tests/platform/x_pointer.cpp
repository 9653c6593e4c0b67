#include "platform/x_pointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace xpointer {

bool ClickAt(int rootX, int rootY) {
  static Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XTestFakeMotionEvent(display, -1, rootX, rootY, 0);
  XTestFakeButtonEvent(display, 1, True, 0);
  XTestFakeButtonEvent(display, 1, False, 0);
  XSync(display, False);
  return true;
}

}  // namespace xpointer
