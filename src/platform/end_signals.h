#pragma once
// Being told to end from outside: SIGTERM (a logout or a shutdown) and
// SIGHUP (the terminal the program was started from went away). Nobody is
// there to answer a question then, and the system waits only a little.

#include <functional>

// Runs fn on the event loop, once, when the program is told to end. A later
// call replaces fn. The signal handler itself only writes a byte to a pipe
// that the event loop watches: nothing else is safe inside a handler.
// Does nothing where the system has no such signals.
void Watch_End_Signals(std::function<void()> fn);
