// Level set-up: an empty board, then a random level (the control strip is
// drawn between the two, by the screen's own code).
#pragma once

#include <cstdint>

void ClearBoard();
void GenerateLevel();

// The animation a new actor starts with: a flower with chance 1 in `odds`,
// else a frog, a mound or a toadstool, each a third of the rest. One draw of
// the odds, then one of the creature when it is not a flower.
std::int32_t ChooseActor(std::int32_t odds);
