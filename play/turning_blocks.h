// A tapped block turns a quarter turn over eleven ticks; the turn that
// completes the path from the hero's home to the heroine's banks the score
// and lays out the heroes' route.
#pragma once

// Once per game tick, right after the board is drawn. True when a turn
// completed the path: the level's score is banked (`bankedScore`), for the
// score box to show, and the heroes' route is laid out.
bool UpdateTurningBlocks();
