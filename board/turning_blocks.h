// A tapped block turns a quarter turn over eleven ticks; the turn that
// completes the path from the hero's home to the heroine's banks the score
// and lays out the heroes' route.
#pragma once

// Once per game tick, right after the board is drawn.
void UpdateTurningBlocks();
