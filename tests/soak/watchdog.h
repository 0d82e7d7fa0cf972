// Watches that the program's loop keeps taking events: when the count stands
// still for too long, the program has hung inside the game.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace soak {

// The watchdog's judgement, given readings of the count and of a clock: the
// count has stood still for longer than the limit.
class StallJudge {
public:
    using Clock = std::chrono::steady_clock;
    explicit StallJudge(Clock::duration limit) : limit_(limit) {}
    bool Stalled(std::uint64_t events, Clock::time_point now);

private:
    Clock::duration limit_;
    bool started_ = false;
    std::uint64_t seen_ = 0;
    Clock::time_point since_{};
};

// Looks at the count five times a second on a thread of its own, which
// stops when the thread is destroyed. `onHang` runs on that thread and must
// end the process.
std::jthread StartWatchdog(const std::atomic<std::uint64_t>& events, std::chrono::seconds limit,
                           std::function<void()> onHang);

}  // namespace soak
