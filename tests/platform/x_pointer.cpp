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

}  // namespace

bool MoveTo(int rootX, int rootY) {
  Display* display = TheDisplay();
  if (display == nullptr) return false;
  XTestFakeMotionEvent(display, -1, rootX, rootY, 0);
  XSync(display, False);
  return true;
}

bool Button(int button, bool down) {
  Display* display = TheDisplay();
  if (display == nullptr) return false;
  XTestFakeButtonEvent(display, static_cast<unsigned>(button), down ? True : False, 0);
  XSync(display, False);
  return true;
}

bool ClickAt(int rootX, int rootY) { return MoveTo(rootX, rootY) && Button(1, true) && Button(1, false); }

bool Key(const char* keysymName, bool down) {
  Display* display = TheDisplay();
  if (display == nullptr) return false;
  const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysymName));
  if (code == 0) return false;
  XTestFakeKeyEvent(display, code, down ? True : False, 0);
  XSync(display, False);
  return true;
}

}  // namespace xpointer

namespace xpointer {

unsigned ScreenPixel(int rootX, int rootY) {
  Display* display = TheDisplay();
  if (display == nullptr) return 0;
  XImage* image = XGetImage(display, DefaultRootWindow(display), rootX, rootY, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  const unsigned pixel = static_cast<unsigned>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
  XDestroyImage(image);
  return pixel;
}

}  // namespace xpointer

namespace xpointer {

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
