// Drives the real game from outside, as a player would: pushed SDL input, a scripted way of
// playing a round, and frame grabs. Shared by the tests, the bench and the screenshot tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/game_state.h"

namespace driver {

void PushMouseDown(int x, int y);
void PushMouseUp(int x, int y);
void PushMouseMotion(int x, int y, uint8_t buttons = 1);
// A press and a release at the same point, delivered in one pass.
void PushTap(int x, int y);
void PushFocus(bool gained);
void PushJoyAxis(int axis, int16_t value);
void PushQuit();
// A key (an SDLKey) going down or up; a second down without an up is the key repeating.
void PushKey(int key, bool down);

// One frame of scripted play in a free-play or campaign round with the right-hand layout: the
// knob is dragged in a slow figure of eight and the fire button is tapped every few frames.
void PushScriptedPlay(int frame);

// The one scratch run tree of the game, the tests and the tools: makes /tmp/<prefix>-XXXXXX/Data
// linking the pictures, fonts, sounds and levels of dataDirectory, with an empty User folder, and
// changes into it, so the player's own saves are never touched. Returns the folder, or "" (with
// a message) when dataDirectory has no pictures.
std::string EnterScratchRunTree(const char* prefix, const std::string& dataDirectory = "Data");
// Leaves and deletes a folder made above.
void RemoveScratchDirectory(const std::string& path);

// The number of the first level file under ./Data/Levels whose mission is of this kind, or 1 when
// there is none.
int FirstLevelOfKind(MissionKind kind);

// Reads the current back buffer (call after drawing, before the swap) as RGBA, top row first.
void GrabFrame(std::vector<uint8_t>& rgba);
// Writes an RGBA frame of the screen's size as a PNG; false when it cannot be written.
bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba);

}  // namespace driver
