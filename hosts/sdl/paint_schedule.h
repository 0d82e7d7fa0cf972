// When the game wants its next paint, learned from what its paints do, so
// that an idle loop sleeps instead of painting every millisecond.
//
// A paint that did not read the clock can change nothing until something else
// happens (input, a hand-over): no paint is wanted until then. A paint that
// read the clock waits for time to pass: the next one comes a paint interval
// after it, at the game's pace, and paints in between (right after input)
// leave that time where it is. Input always earns one paint right after it.
// Clocks are the host's milliseconds and may wrap past 2^32.
#pragma once

#include <cstdint>
#include <optional>

namespace sdlhost {

class PaintSchedule {
public:
    // One paint, one step of the game's clock: 31 ms.
    static constexpr std::uint32_t kDefaultInterval = 31;

    explicit PaintSchedule(std::uint32_t interval = kDefaultInterval) : interval_(interval) {}

    // A paint is delivered at `clock`.
    void Painting(std::uint32_t clock);
    // The program read the clock; counts only during a paint.
    void ClockWatched() { readClock_ = readClock_ || painting_; }
    // The paint delivered last is over: what it did decides the next one.
    void PaintDone();
    // Input, a hand-over or a window shown again: paint right after it.
    void Woken() { paintNow_ = true; }

    // Milliseconds from `now` to the paint wanted next (0: at once); none
    // while nothing waits for time to pass.
    std::optional<std::uint32_t> WaitFrom(std::uint32_t now) const;

private:
    std::uint32_t interval_;
    bool paintNow_ = true;  // the first paint comes at once
    bool painting_ = false;
    bool readClock_ = false;
    std::uint32_t paintClock_ = 0;
    std::optional<std::uint32_t> due_;  // the next paint at the game's pace
};

// Keeps a run of sleeps to its total: each sleep ends where the run's sleeps
// together should end, so one that overshot shortens the ones after it, and
// the time spent between them counts too. A run is the sleeps the program
// makes while it handles one message.
class SleepRun {
public:
    // Milliseconds to sleep now for a sleep of `milliseconds` at `now`.
    std::uint32_t Plan(std::uint32_t milliseconds, std::uint32_t now);
    // A new message: the next sleep starts a new run.
    void End() { end_.reset(); }

private:
    std::optional<std::uint32_t> end_;
};

}  // namespace sdlhost
