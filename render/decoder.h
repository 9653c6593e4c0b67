// Pictures decoded ahead on a worker thread while the loading screen runs its frames, so that
// the main thread mostly just uploads them.
#pragma once

#include <SDL.h>

// Starts decoding every PNG under the folders (in name order, folder by folder) on a worker.
void StartDecodingAhead(const char* const* folders, int count);
// The decoded picture of the file, the caller's to free: the worker's when it has decoded it
// (waited for when it is at it now), else decoded here. Null (SDL_GetError says why) when it
// cannot be decoded.
SDL_Surface* DecodePicture(const char* path);
// Stops the worker and frees what it decoded and nobody took.
void StopDecodingAhead();
