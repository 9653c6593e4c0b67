// What the desktop and the browser share of the platform layer.
#include "platform/platform.h"

#include <GL/gl.h>
#include <SDL.h>

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
