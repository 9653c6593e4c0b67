// What every button shares: the tap sound.
#pragma once

// The button-tap sound, when sound is on.
void Tap();
