// Where a frog ball may land: on a block, never on bog and never on one of
// the four corners. A tapped creature and a waking corner stone aim the same
// way.
#pragma once

#include "state/game_state.h"

bool CanTakeBall(int x, int y);

// True when some cell of the board can take a ball.
bool AnyBallTarget();

// Column first, then row, drawn again until they name a cell that can take
// a ball. Only called when one exists, or the draws would never end.
Point DrawBallTarget();
