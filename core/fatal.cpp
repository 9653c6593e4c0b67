#include "core/fatal.h"

#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

namespace {
void (*fatalExitCleanup)() = nullptr;
}  // namespace

void SetFatalExitCleanup(void (*cleanup)()) { fatalExitCleanup = cleanup; }

void ExitOnFatalError() {
  fflush(stdout);
  if (fatalExitCleanup != nullptr) fatalExitCleanup();
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0) Mix_CloseAudio();
  exit(1);
}

void FatalTableFull(const char* table, int capacity) {
  printf("Cannot add to the %s table: it holds at most %d entries.\n", table, capacity);
  ExitOnFatalError();
}
