#include "hosts/sdl/paint_schedule.h"

namespace sdlhost {
namespace {

// Signed distance from `from` to `to` on a clock that wraps.
std::int32_t Ahead(std::uint32_t to, std::uint32_t from) { return static_cast<std::int32_t>(to - from); }

}  // namespace

void PaintSchedule::Painting(std::uint32_t clock) {
    paintNow_ = false;
    painting_ = true;
    readClock_ = false;
    paintClock_ = clock;
}

void PaintSchedule::PaintDone() {
    if (!painting_) return;
    painting_ = false;
    if (!readClock_) {
        due_.reset();
    } else if (!due_ || Ahead(paintClock_, *due_) >= 0) {
        // The paint at the game's pace (or the first of a run) sets the next
        // one; an extra paint before it leaves it be.
        due_ = paintClock_ + interval_;
    }
}

std::optional<std::uint32_t> PaintSchedule::WaitFrom(std::uint32_t now) const {
    if (paintNow_) return 0;
    if (!due_) return std::nullopt;
    const std::int32_t left = Ahead(*due_, now);
    return left > 0 ? static_cast<std::uint32_t>(left) : 0;
}

std::uint32_t SleepRun::Plan(std::uint32_t milliseconds, std::uint32_t now) {
    end_ = (end_ ? *end_ : now) + milliseconds;
    const std::int32_t left = Ahead(*end_, now);
    return left > 0 ? static_cast<std::uint32_t>(left) : 0;
}

}  // namespace sdlhost
