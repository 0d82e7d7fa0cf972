// Caps how often frames reach the window at the display's refresh rate, so
// that a loop presenting as fast as it can does not burn a core, while a
// caller that presents and sleeps a few milliseconds at a time (the panel
// slides) is never held up: frames that come too soon are kept, not waited for.
#pragma once

#include <chrono>
#include <optional>

namespace sdlhost {

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // One refresh at `hertz`; rates that are unknown (0) or absurd fall back
    // to 60 Hz.
    static Clock::duration RefreshInterval(int hertz);

    explicit FramePacer(Clock::duration interval) : interval_(interval) {}

    Clock::duration Interval() const { return interval_; }

    // True when a refresh interval has passed since the last frame shown.
    bool MayRenderAt(Clock::time_point now) const;
    void Rendered(Clock::time_point now) { lastRender_ = now; }

    // When the next frame may be shown; the past when none was shown yet.
    Clock::time_point NextDeadline() const;

private:
    Clock::duration interval_;
    std::optional<Clock::time_point> lastRender_;
};

}  // namespace sdlhost
