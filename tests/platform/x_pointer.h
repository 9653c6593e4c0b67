// Real input on the X display the tests run on (through XTest): the pointer, its buttons and the
// keyboard, kept apart from the game's headers since Xlib's names clash with them.
#pragma once

namespace xpointer {

// Moves the X pointer to root coordinates and clicks the left button; false without a display.
bool ClickAt(int rootX, int rootY);
// Moves the X pointer to root coordinates (keys then reach the window under it).
bool MoveTo(int rootX, int rootY);
// Presses (down) or releases a pointer button: 1 left, 3 right.
bool Button(int button, bool down);
// Presses or releases the key with this X keysym name ("Left", "space", "Return", "Escape", "p").
bool Key(const char* keysymName, bool down);

// The colour (0xRRGGBB) shown on the screen at root coordinates: what the display really shows.
unsigned ScreenPixel(int rootX, int rootY);

// Where the window the game's GL draws into lies on the screen, and its size, as the X server has it.
bool GlWindow(int* rootX, int* rootY, int* width, int* height);
}  // namespace xpointer
