#include "tools/soak/watchdog.h"

namespace soak {

Watchdog::Watchdog(const std::atomic<std::uint64_t>& events, std::chrono::seconds limit, std::function<void()> onHang)
    : events_(events), limit_(limit), onHang_(std::move(onHang)), thread_([this] { Watch(); }) {}

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
    std::uint64_t seen = events_.load();
    auto since = std::chrono::steady_clock::now();
    while (!wake_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stop_; })) {
        const std::uint64_t now = events_.load();
        if (now != seen) {
            seen = now;
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > limit_) {
            onHang_();
            return;
        }
    }
}

}  // namespace soak
