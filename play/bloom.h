// The meadow after a win: every cell off the path grows a bush and the bush
// blooms into one of five flowers. The first bush to finish sets the heroes
// walking.
#pragma once

#include <cstdint>

// An open flower stays open this long (over twenty minutes) before it
// blooms again: the longest wait of any cell.
constexpr std::int32_t kOpenFlowerWait = 40000;

// Once per tick while the path is finished.
void UpdateBloom();
