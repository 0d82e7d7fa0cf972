// Connection: one flood fill over the kind grid decides whether the blocks
// join the hero's home (0,0) to the heroine's (11,11), counts the cells joined
// to either home, and lays out the lit path and the heroes' route after a win.
// A flood marks a reached cell by adding ConnectedMark to its kind.
#pragma once

#include <cstdint>

// For the reached cell (x, y): marks every neighbour it joins. True when it
// marked any.
bool FloodStep(int x, int y);

// Runs FloodStep passes in index order until a pass marks nothing. The seeds
// must be marked before the call.
void FloodFill();

// True when the heroine's home is reached from the hero's. On true the marks
// stay on the grid for BuildRoute; on false the grid is as it was.
bool IsPathComplete();

// Cells joined to either home, both homes included. The grid is left as it was.
std::int32_t CountConnected();

// Right after IsPathComplete returned true, with its marks still on the grid:
// keeps only the path between the homes and lights it, hands every other cell
// to the bloom, records the heroes' route and starts the bloom phase.
void BuildRoute();

// Route-walk tests on two marked values: a for the current cell, b for its
// neighbour in that direction. True when both are joined that way.
bool CanStepRight(std::int32_t a, std::int32_t b);
bool CanStepLeft(std::int32_t a, std::int32_t b);
bool CanStepDown(std::int32_t a, std::int32_t b);
bool CanStepUp(std::int32_t a, std::int32_t b);
