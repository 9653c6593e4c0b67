// Fatal failures that the game cannot run past.
#pragma once

// Prints one line naming the full table and its capacity, then ends the program with status 1.
[[noreturn]] void FatalTableFull(const char* table, int capacity);
// Work to stop before a fatal exit (a worker thread, say); one at a time, null for none.
void SetFatalExitCleanup(void (*cleanup)());
// Ends the program with status 1 after a fatal message: standard output is flushed and the
// audio device closed first, so that the mixer's thread cannot outlive the libraries at exit.
[[noreturn]] void ExitOnFatalError();
