// The thin layer for what the desktop and the browser lack compared with the tablet: the
// platform's two calls (no-ops here), glOrthof for desktop GL, the context request, the frame
// loop and its waits, picture decoding, saving user files, and the input and window of each
// presented the way the tablet presented them. platform.cpp holds what both share, desktop.cpp
// and web.cpp what differs, gamepad.cpp the pad presented as tilt for both.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

// The platform's first call: keeps the screen awake (0 = no timeout). Does nothing on the desktop.
int PlatformScreenTimeoutEnable(int enable);
// The platform's second call: sets up the platform's own services. Does nothing on the desktop.
int PlatformInit(unsigned int flags);
// The single-precision orthographic projection of GL ES, mapped onto desktop glOrtho.
void glOrthof(float left, float right, float bottom, float top, float nearVal, float farVal);
// Gives the memory that loading freed back to the system (the C library keeps it otherwise).
void PlatformReleaseFreedMemory();
// The GL context's attributes, set after SDL starts and before the video mode: attribute 17 = 1
// chose GL ES 1.x on the tablet (desktop GL ignores it), and the desktop asks for swaps that do
// not wait for the vertical blank, since the game paces itself. Nothing in a browser.
void PlatformRequestContext();
// Waits before going on: SDL_Delay on the desktop. In a browser nothing may block: the wait is
// added to the time before the browser runs the next pass, so a frame's waits still pace it.
void PlatformWait(uint32_t ms);
// Work the game's waits may take, a piece at a time (music decoded while the loading screen and
// the menu wait, pictures decoded ahead in the browser): each work added is called in turn with
// the milliseconds it may use, and dropped once it returns false. Adding one already there does
// nothing.
void PlatformAddIdleWork(bool (*work)(uint32_t budgetMs));
// The platforms' waits: runs the idle works for up to budgetMs, each wait beginning with the next
// in turn (what each leaves goes to the next), and returns the milliseconds they took; 0 at once
// when there is none.
uint32_t PlatformRunIdleWork(uint32_t budgetMs);
// Runs pass() until it returns false: a plain loop on the desktop; in a browser, the browser
// runs each pass once the waits asked for during the one before have passed.
void PlatformRunLoop(bool (*pass)());
// Decodes a picture file into a new surface, or null with SDL's error set.
SDL_Surface* PlatformLoadPicture(const char* path);
// The file a picture is read from: the path itself on the desktop; the browser's run tree stores
// an opaque picture as a JPEG beside its name.
std::string PlatformPictureFile(const char* path);
// True, with the size its header gives, when the picture is stored without an alpha channel (the
// browser's JPEGs), so that it decodes to full alpha everywhere. False on the desktop.
bool PlatformOpaquePictureSize(const char* path, int* width, int* height);
// True when pictures may be decoded on a worker thread while the loading frames run.
bool PlatformDecodesAhead();
// True once the files the loading step `step` opens (and those of every step before it) can be
// read. On the desktop always; in a browser the game starts while its assets still download, and
// each loading step waits on its loading screen until its own files have arrived.
bool PlatformLoadStepReady(int step);
// Puts every asset file that has arrived in full where the game reads it, ahead of the loading
// step that opens it, so that work on it may begin in the game's waits. True when any was new;
// always false on the desktop, where every file is there from the start.
bool PlatformTakeArrivedFiles();
// The frame's drawing is handed over before it is shown: on the desktop the GL is flushed and
// waited for, as the tablet did. In a browser nothing: the page shows the canvas once the pass
// returns, and waiting for the GPU there would stall the page's whole pass.
void PlatformFinishFrame();
// True when a frame left undrawn keeps the last one drawn on screen: the browser shows its canvas's
// last picture until the next is drawn. False on the desktop, whose window draws every frame.
bool PlatformKeepsLastFrame();
// A user file was written and closed: in a browser, the user folder is copied through to the
// browser's persistent storage. Nothing on the desktop.
void PlatformUserFileWritten();
// How the user folder lasts: on the desktop always on the disk; in a browser in its storage, which
// may not have been readable at start (nothing may then be written, so what it holds stays), may
// not exist (the folder lives in memory for this visit), may have refused a copy (full), or may
// belong to the game open in another tab (this one writes nothing).
enum PlatformStorageValue {
  PlatformStorageLasting = 0,
  PlatformStorageUnreadable = 1,
  PlatformStorageMemoryOnly = 2,
  PlatformStorageFull = 3,
  PlatformStorageInUse = 4,
};
PlatformStorageValue PlatformUserStorage();
// True where the player may quit from the game's own menu (the desktop); a browser page is
// left by leaving the page.
bool PlatformCanQuit();
// True when the game runs on a touch screen (a browser on a phone or tablet): its help then
// explains touch and tilt rather than keys, mouse and gamepad.
bool PlatformHasTouchScreen();

// The game takes its events and its window from this layer, which presents the desktop the way
// the tablet presented itself:
// - the window is resizable; the 1024 x 768 frame is scaled into it, letterboxed with its aspect
//   kept, and clicks are mapped back to game coordinates (sdl12-compat's OpenGL scaling);
// - F11 or Alt+Enter toggles full screen (those keys never reach the game);
// - the window losing or regaining input focus is reported as the application losing or
//   regaining focus, as the tablet reported switching apps;
// - joystick 0 is a gamepad: its left stick is presented as the tablet's tilt sensor was, so
//   that after the game's landscape remap stick right steers right and stick down steers down,
//   with a small round dead zone and full tilt at full deflection.

// The next event for the game, as SDL_PollEvent: desktop events translated (focus, gamepad as
// tilt, full-screen keys consumed), and a held stick presented again once every pass.
int PlatformPollEvent(SDL_Event* event);
// Before SDL starts: the video settings the platform needs (on the desktop, the game's own frame
// scaling in place of sdl12-compat's).
void PlatformPrepareVideo();
// Sets the video mode as SDL_SetVideoMode, then lets the player resize the window (opened at the
// scale the launcher asks for).
SDL_Surface* PlatformSetVideoMode(int width, int height, int bpp, Uint32 flags);
// At the start of every frame: the 1024 x 768 frame is scaled into the window with its aspect kept
// and centred (the GL viewport), the bars around it cleared black. True when there are bars.
bool PlatformFrameViewport();

// The joystick number that tilt readings from the device's own orientation sensor carry (the
// browser's sensor), so that they are never taken for a gamepad's stick.
constexpr int kTiltSensorJoystick = 200;
// True when a joystick reading comes from a gamepad's stick (which pulls the knob in the knob
// layouts) rather than from a tilt sensor (which steers in the tilt layout only).
bool PlatformReadingFromGamepad(const SDL_JoyAxisEvent& reading);
// Turns the gamepad-as-tilt translation on (the default) or off; with it off, joystick events
// reach the game exactly as the tablet's accelerometer delivered them.
void PlatformPresentGamepadAsTilt(bool on);
// Turns the reporting of window input focus as application focus on (the default) or off; off,
// only the window being hidden or shown counts, as on the tablet.
void PlatformReportWindowFocus(bool on);
// Toggles the window between full screen (desktop resolution, letterboxed) and windowed.
void PlatformToggleFullScreen();
