// Which steps of a game tick act, from the phase flags. The tick reads them
// after the turning blocks have run, so a path finished by a turn switches
// that very tick to the bloom.
#pragma once

#include <cstdint>

struct TickPhase {
    bool actors;      // the flowers and creatures of the bog
    bool heldSteps;   // the portraits, the balls and the corner stones
    bool bloom;       // the bushes and flowers after a win
};

TickPhase ReadTickPhase();

// True when more than 30 ms have passed since the last tick, on a clock that
// may wrap past 2^32.
bool TickIsDue(std::uint32_t now, std::uint32_t lastTick);
