// The thin layer for what this desktop lacks compared with the tablet: the vendor's two
// platform calls (no-ops here), glOrthof for desktop GL, and the swap pacing request.
#pragma once

// Keeps the tablet's screen awake (false = no timeout). Does nothing on the desktop.
int PDL_ScreenTimeoutEnable(int enable);
// Initialises the tablet vendor's library. Does nothing on the desktop.
int PDL_Init(unsigned int flags);
// The single-precision orthographic projection of GL ES, mapped onto desktop glOrtho.
void glOrthof(float left, float right, float bottom, float top, float nearVal, float farVal);
// Asks for buffer swaps that do not wait for the vertical blank; call before the video mode is
// set. The game paces itself with its own frame delay.
void PlatformRequestImmediateSwap();
