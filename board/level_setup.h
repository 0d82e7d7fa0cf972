// Level set-up: an empty board, the control strip, a random level.
#pragma once

#include <cstdint>

void ClearBoard();
void SetUpGameScreen();
void GenerateLevel();

// The animation a new actor starts with: a flower with chance 1 in `odds`,
// else a frog, a mound or a toadstool, each a third of the rest. One draw of
// the odds, then one of the creature when it is not a flower.
std::int32_t ChooseActor(std::int32_t odds);
