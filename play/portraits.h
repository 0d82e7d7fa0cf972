// The heroes' faces in their corners: now and then, and at once when the
// player pokes a home cell, a face grows out of its corner to 40x40 pixels and
// shrinks back.
#pragma once

#include <cstdint>

// Between two pop-outs a face pauses kShortestPause ticks and a random part
// of kPauseSpread.
constexpr std::int32_t kShortestPause = 200;
constexpr std::int32_t kPauseSpread = 1200;

// Once per tick during play, outside the intro and the closing heart.
void UpdatePortraits();
