// What every button shares: the tap sound and the message box's hold on touches beneath it.
#pragma once

constexpr int kPhasePressed = 1;
constexpr int kPhaseReleased = 3;

// The button-tap sound, when sound is on.
void Tap();
// True while the message box is shown; most buttons ignore touches then.
bool MessageBoxIsOpen();
