// What the desktop and the browser share of the platform layer.
#include "platform/platform.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int PlatformScreenTimeoutEnable(int) { return 0; }

int PlatformInit(unsigned int) { return 0; }

void glOrthof(float left, float right, float bottom, float top, float nearVal, float farVal) {
  glOrtho(left, right, bottom, top, nearVal, farVal);
}

void PlatformReleaseFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

namespace {
constexpr int kIdleWorks = 4;
bool (*idleWorks[kIdleWorks])(uint32_t) = {};
int idleWorkCount = 0;
int firstIdleWork = 0;
}  // namespace

void PlatformAddIdleWork(bool (*work)(uint32_t)) {
  if (std::find(idleWorks, idleWorks + idleWorkCount, work) != idleWorks + idleWorkCount) return;
  if (idleWorkCount < kIdleWorks) idleWorks[idleWorkCount++] = work;
}

uint32_t PlatformRunIdleWork(uint32_t budgetMs) {
  if (idleWorkCount == 0) return 0;
  const uint32_t started = SDL_GetTicks();
  // Each wait begins with the next work in turn, so that none waits long on another's.
  const int works = idleWorkCount;
  firstIdleWork = (firstIdleWork + 1) % works;
  for (int called = 0, i = firstIdleWork; called < works && idleWorkCount > 0; ++called) {
    const uint32_t spent = SDL_GetTicks() - started;
    if (spent >= budgetMs) break;
    if (i >= idleWorkCount) i = 0;
    if (idleWorks[i](budgetMs - spent)) {
      ++i;
      continue;
    }
    std::copy(idleWorks + i + 1, idleWorks + idleWorkCount, idleWorks + i);
    idleWorkCount -= 1;
  }
  return SDL_GetTicks() - started;
}
