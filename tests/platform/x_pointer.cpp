#include "platform/x_pointer.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace xpointer {
namespace {

Display* TheDisplay() {
  static Display* display = XOpenDisplay(nullptr);
  return display;
}

// Sends one fake event (false without a display) and waits until the server has it.
template <typename Send>
bool Fake(Send send) {
  Display* display = TheDisplay();
  if (display == nullptr || !send(display)) return false;
  XSync(display, False);
  return true;
}

}  // namespace

bool MoveTo(int rootX, int rootY) {
  return Fake([&](Display* display) { return XTestFakeMotionEvent(display, -1, rootX, rootY, 0), true; });
}

bool Button(int button, bool down) {
  return Fake([&](Display* display) {
    return XTestFakeButtonEvent(display, static_cast<unsigned>(button), down ? True : False, 0), true;
  });
}

bool ClickAt(int rootX, int rootY) { return MoveTo(rootX, rootY) && Button(1, true) && Button(1, false); }

bool Key(const char* keysymName, bool down) {
  return Fake([&](Display* display) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysymName));
    return code != 0 && (XTestFakeKeyEvent(display, code, down ? True : False, 0), true);
  });
}

unsigned ScreenPixel(int rootX, int rootY) {
  Display* display = TheDisplay();
  XImage* image = display == nullptr
                      ? nullptr
                      : XGetImage(display, DefaultRootWindow(display), rootX, rootY, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  const unsigned pixel = static_cast<unsigned>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
  XDestroyImage(image);
  return pixel;
}

bool GlWindow(int* rootX, int* rootY, int* width, int* height) {
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable window = glXGetCurrentDrawable();
  Window root = 0, child = 0;
  int x = 0, y = 0;
  unsigned w = 0, h = 0, border = 0, depth = 0;
  if (display == nullptr || window == 0 || !XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth)) {
    return false;
  }
  XTranslateCoordinates(display, window, root, 0, 0, rootX, rootY, &child);
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

}  // namespace xpointer
