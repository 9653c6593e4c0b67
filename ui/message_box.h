// The one modal dialog: three lines in a window over a dimmed screen, with OK or OK and Cancel.
// Opening it switches to the message-box scene; closing it switches to the opener's scene.
#pragma once

#include <cstdint>

// Start-up: backdrop, window, buttons, highlights and the three text lines, hidden.
void CreateMessageBox();
// Shows three lines; returnScene is where closing leads; okOnly offers OK alone; okAction (if
// any) is what OK does after closing the box, e.g. erasing progress for the reset warning.
void OpenMessageBox(const char* line1, const char* line2, const char* line3, int32_t returnScene, int32_t okOnly,
                    void (*okAction)() = nullptr);
// The text with blanks before it so that it stands in the middle of the box's window.
void CentreInMessageBox(const char* text, char* line, int size);
// Shows or hides the box (Cancel only in the two-button layout); highlights are left alone.
void ShowMessageBox(bool visible);
// Hides the box, goes to its return scene, restarts the menu music where due, tidies the world.
void CloseMessageBox();
int MessageBoxOkTouched(int phase, int x, int y);
int MessageBoxCancelTouched(int phase, int x, int y);
