// Where the game finds its files: everything is read from ./Data/ under the working directory.
#pragma once

#include <string>

// "./Data/" followed by the name, e.g. "./Data/Levels/level1.dat".
std::string DataPath(const char* name);
