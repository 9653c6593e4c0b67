// Prints the window scale that fits the game's 1024 x 768 frame on this desktop, for the
// launcher to hand to sdl12-compat (SDL12COMPAT_WINDOW_SCALING): the largest quarter step that
// leaves room for panels and the title bar, never below one half. Prints 1 when it cannot tell.
#include <SDL.h>

#include <cmath>
#include <cstdio>

int main(int, char**) {
  double scale = 1.0;
  if (SDL_Init(SDL_INIT_VIDEO) == 0) {
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (desktop != nullptr && desktop->current_w > 0 && desktop->current_h > 0) {
      const double fit = std::fmin(desktop->current_w * 0.92 / 1024.0, desktop->current_h * 0.86 / 768.0);
      scale = std::fmax(0.5, std::floor(fit * 4.0) / 4.0);
    }
    SDL_Quit();
  }
  printf("%g\n", scale);
  return 0;
}
