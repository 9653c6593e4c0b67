// The one modal dialog: three lines in a window over a dimmed screen, with OK or OK and Cancel.
// Opening it switches to the message-box scene over the current screen; closing it switches to
// the opener's return scene.
#pragma once

#include <cstdint>

// Start-up: backdrop, window, buttons, pressed pictures and the three text lines, hidden.
void CreateMessageBox();
// Shows three lines; returnScene is where closing leads; okOnly offers OK alone; okAction (if
// any) is what OK does after closing the box, e.g. erasing progress for the reset warning.
void OpenMessageBox(const char* line1, const char* line2, const char* line3, int32_t returnScene, int32_t okOnly,
                    void (*okAction)() = nullptr);
