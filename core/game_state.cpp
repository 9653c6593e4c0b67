#include "core/game_state.h"

GameStateRecord GameState;  // static storage: zero-initialised

int32_t running = 1;
int32_t resumeScene = -1;
int32_t frameDelay = kFrameDelay;
