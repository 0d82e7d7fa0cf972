#include "tests/soak/watchdog.h"

#include <condition_variable>
#include <mutex>

namespace soak {

bool StallJudge::Stalled(std::uint64_t events, Clock::time_point now) {
    if (!started_ || events != seen_) {
        started_ = true;
        seen_ = events;
        since_ = now;
        return false;
    }
    return now - since_ > limit_;
}

std::jthread StartWatchdog(const std::atomic<std::uint64_t>& events, std::chrono::seconds limit,
                           std::function<void()> onHang) {
    return std::jthread([&events, limit, onHang = std::move(onHang)](std::stop_token stop) {
        StallJudge judge(limit);
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        while (!judge.Stalled(events.load(), StallJudge::Clock::now())) {
            wake.wait_for(lock, stop, std::chrono::milliseconds(200), [] { return false; });
            if (stop.stop_requested()) return;
        }
        onHang();
    });
}

}  // namespace soak
