// A tap on the board is a pen-down and a pen-up in the same cell. A block
// starts a quarter turn, a flower flies away and a creature curls into a ball,
// each leaving a random block behind; the heroes' home cells are poked. Every
// tap recounts the cells joined to the two homes and shows the score.
#pragma once

#include <cstdint>

// The pen lifted at screen pixel (x, y): taps the cell pressed at pen-down
// when the pen leaves the board in that same cell; any other release drops
// the press. True when a cell was tapped (the score box is then to show
// the recounted score).
bool ReleaseCell(int x, int y);

// The tap on cell column x, row y; recounts `score`.
void TapCell(int x, int y);

// The flower or creature in bog cell (x, y) gives way to a random block.
void TapFlower(int x, int y);
void TapCreature(int x, int y);

// From the turn that completes the path until the next level begins, the
// board takes no taps: the level's bonus is banked once and the meadow keeps
// its flowers.
bool BoardTakesTaps();
