#include "platform/x_pointer.h"

#include <X11/Xlib.h>
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
