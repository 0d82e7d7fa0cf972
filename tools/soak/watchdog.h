// Watches that the program's loop keeps taking events: when the count stands
// still for too long, the program has hung inside the game.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
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

class Watchdog {
public:
    // `onHang` runs on the watchdog's own thread and must end the process.
    Watchdog(const std::atomic<std::uint64_t>& events, std::chrono::seconds limit, std::function<void()> onHang);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    void Watch();

    const std::atomic<std::uint64_t>& events_;
    StallJudge judge_;
    std::function<void()> onHang_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace soak
