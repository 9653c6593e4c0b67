// A real pointer click on the X display the tests run on (through XTest), kept apart from the
// game's headers since Xlib's names clash with them.
#pragma once

namespace xpointer {

// Moves the X pointer to root coordinates and clicks the left button; false without a display.
bool ClickAt(int rootX, int rootY);

}  // namespace xpointer
