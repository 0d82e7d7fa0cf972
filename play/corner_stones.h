// The two closed corners: from time to time, once the board holds enough
// blocks, a stone swells out of its corner, a frog climbs out and curls up,
// and its ball rolls from the stone's cell onto a random block. The higher
// the level, the more often the stones wake.
#pragma once

#include <cstdint>

// Between two wakings the stones sleep kShortestSleep ticks and a random
// part of kSleepSpread divided by the level.
constexpr std::int32_t kShortestSleep = 200;
constexpr std::int32_t kSleepSpread = 2400;

// Once per tick during play, outside the intro and the closing heart, after
// the balls.
void UpdateCornerStones();

// One tick of stone `side`'s animation (0 top right, 1 bottom left); true,
// drawing nothing, once it has played.
bool StepCornerStone(int side);

// A stone's ball: one ball from cell (x, y) toward a random block.
void LaunchBall(int x, int y);
