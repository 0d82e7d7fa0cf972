// The floor the game's pace is measured against: the least an SDL program
// showing the same screen can cost. A 480x640 window that wakes 32 times a
// second in SDL_WaitEventTimeout and, when drawing, presents a new 240x320
// picture each time.
#pragma once

#include <chrono>

struct ThreadUse {
    double cpuSeconds = 0;  // the whole process
    long wakeUps = 0;       // times the calling thread went to sleep and woke
};
ThreadUse MeasureUse();

// Runs the floor for `length` and prints "CPU-SHARE WAKEUPS-A-SECOND".
// False when no window could be opened.
bool RunFloor(bool draw, std::chrono::milliseconds length);
