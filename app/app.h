// The process: video and GL set-up, the first initialisation, the main loop and shutdown.
#pragma once

// SDL, the 1024 x 768 GL window and the fixed GL state: 0 on success, SDL_Init's negative result,
// or 1 when no video surface could be created; a failure is reported in one line first.
int VideoInit();
// The GL state every draw relies on: pixel projection, blending, texturing with GL_REPLACE.
void GLSetup();
// Opens the accelerometer and audio and puts up the loading screen; loading runs from the loop.
void StartUp();
// The start of the game, for the game and every tool that drives it: VideoInit, PlatformInit,
// RandomSeed and StartUp. False (after VideoInit's one-line message) when there is no window.
bool Boot();
// Runs PumpEvents and GameLoop while `running` is set.
void RunMainLoop();
// Frees every table, closes audio and quits SDL.
void Shutdown();
// After Boot: plays until the player quits, then shuts down. Returns the exit status (0).
int PlayUntilQuit();
// The whole program: set-up, main loop, shutdown. Returns the exit status.
int GameMain();
