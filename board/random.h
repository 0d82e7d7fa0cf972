// The one random helper of the game: every random choice of the board and
// the actors goes through it, in a fixed order, so a level built from the
// same seed is the same board on every host.
#pragma once

#include <cstdint>

// 0 to n - 1, from one draw of crt::rand() scaled in single precision.
// n below 1 still takes its draw and gives 0.
std::int32_t RandomBelow(std::int32_t n);
