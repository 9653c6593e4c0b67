// Pictures decoded ahead while the loading screen runs its frames, so that the loading steps
// mostly just upload them: on a worker thread on the desktop; in the browser, which has none, in
// the game's waits, as the files arrive.
#pragma once

#include <SDL.h>

#include <string>

// Starts decoding every picture under the folders: on the desktop in name order, folder by folder;
// in the browser in the order the files arrive.
void StartDecodingAhead(const char* const* folders, int count);
// The decoded picture of the file, the caller's to free: the one decoded ahead when there is one
// (waited for when the worker is at it now), else decoded here. Null (SDL_GetError says why) when
// it cannot be decoded.
SDL_Surface* DecodePicture(const char* path);
// True while pictures are decoded in the game's waits (the browser, until loading ends).
bool DecodingAheadInWaits();
// The first picture decoded ahead in the waits with at least leastPixels pixels that nobody has
// taken, the caller's to free, with its file (as the platform stores it); null when there is none.
SDL_Surface* TakeDecodedAhead(int leastPixels, std::string* file);
// Stops decoding ahead and frees what was decoded and nobody took.
void StopDecodingAhead();
