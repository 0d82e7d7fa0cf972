#include "tools/soak/watchdog.h"

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

Watchdog::Watchdog(const std::atomic<std::uint64_t>& events, std::chrono::seconds limit, std::function<void()> onHang)
    : events_(events), judge_(limit), onHang_(std::move(onHang)), thread_([this] { Watch(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::Watch() {
    std::unique_lock lock(mutex_);
    do {
        if (judge_.Stalled(events_.load(), StallJudge::Clock::now())) {
            onHang_();
            return;
        }
    } while (!wake_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stop_; }));
}

}  // namespace soak
