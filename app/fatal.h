// Fatal start-up failures that the game cannot run past.
#pragma once

// Prints one line naming the full table and its capacity, then ends the program with status 1.
[[noreturn]] void FatalTableFull(const char* table, int capacity);
