// The round as a screen: its scenes are the two starts (free play, a mission), play, pause and the
// game-over countdown; what the round reports each played frame decides the scene that follows.
#pragma once

struct Screen;

extern const Screen kRoundScreen;
