// While the game is hidden the host sleeps in SDL's event wait, and another
// copy of the program knocking on the hand-over channel must still wake it.
// A watcher thread waits on the channel and turns a knock into an SDL event;
// it waits for the knock to be answered before it watches again, so that one
// knock wakes the loop once. Nothing wakes periodically.
#pragma once

#include <SDL.h>

#include <thread>

namespace sdlhost {

class HandOverWatcher {
public:
    // Watches `channel` (a descriptor that turns readable on a knock) and
    // pushes an event of type `eventType` for each knock.
    HandOverWatcher(int channel, Uint32 eventType);
    ~HandOverWatcher();
    HandOverWatcher(const HandOverWatcher&) = delete;
    HandOverWatcher& operator=(const HandOverWatcher&) = delete;

    // The loop has answered the last knock: watch for the next.
    void Answered();

    // False when the watcher could not start (no thread, no descriptors).
    bool Watching() const { return thread_.joinable(); }

private:
    void Run();
    int channel_;
    Uint32 eventType_;
    int answered_ = -1;  // eventfd: written by Answered
    int stop_ = -1;      // eventfd: written by the destructor
    std::thread thread_;
};

}  // namespace sdlhost
