// How a long command tells how far it has come, and hears that the user wants it to stop.
#pragma once

#include <functional>

namespace chronodex {

// Called before each file of a command with the number of files done and their total (0 when
// the total is not known yet). Returning false stops the command there, between two files:
// what was done stays done. An empty one is never called.
using Progress = std::function<bool(int done, int total)>;

// How far a command came when it was stopped: `done` of `total` files.
struct Stopped {
    bool stopped = false;
    int done = 0, total = 0;
};

} // namespace chronodex
