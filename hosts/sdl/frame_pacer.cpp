#include "hosts/sdl/frame_pacer.h"

namespace sdlhost {

FramePacer::Clock::duration FramePacer::RefreshInterval(int hertz) {
    constexpr int kFallbackHertz = 60;
    constexpr int kHighestHertz = 1000;
    if (hertz <= 0 || hertz > kHighestHertz) {
        hertz = kFallbackHertz;
    }
    return std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / hertz;
}

bool FramePacer::MayRenderAt(Clock::time_point now) const {
    return !lastRender_ || now - *lastRender_ >= interval_;
}

FramePacer::Clock::time_point FramePacer::NextDeadline() const {
    return lastRender_ ? *lastRender_ + interval_ : Clock::time_point::min();
}

}  // namespace sdlhost
