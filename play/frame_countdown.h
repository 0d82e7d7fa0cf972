// Every strip of the game steps the same way: a frame shows for its number of
// ticks, counted down to 0, and the next frame begins on the tick that finds
// the count at 0, which is then given its period again. A count left over
// from an earlier strip thus lengthens or shortens the next strip's first frame.
#pragma once

#include <cstdint>

// One tick of `ticks`; true when this tick begins the next frame.
inline bool NextFrameDue(std::int32_t& ticks, std::int32_t ticksPerFrame) {
    const bool due = ticks == 0;
    if (due) ticks = ticksPerFrame;
    --ticks;
    return due;
}
