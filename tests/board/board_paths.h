// Boards for the connection tests, and an independent reckoning of which
// cells join which: a breadth-first search over the openings, written apart
// from the game's flood.
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace board_test {

using CellXY = std::pair<int, int>;

// A fresh board: every cell bog, the corner stones, the homes as in play.
void ClearToHomes();

// Gives every cell of `path` but the first and the last the block that joins
// its two neighbours in the path.
void LayPath(const std::vector<CellXY>& path);

// The cells joined to any of `seeds` on the current board.
std::set<CellXY> JoinedCells(const std::vector<CellXY>& seeds);

// The shortest path: along row 0 to column 10, down column 10, into (11,11).
std::vector<CellXY> ShortestPath();
// A random path of right and down moves that avoids the corner stones.
template <typename Random>
std::vector<CellXY> StaircasePath(Random& random) {
    std::vector<CellXY> path{{0, 0}};
    int x = 0;
    int y = 0;
    while (x != 11 || y != 11) {
        bool right = (random() & 1) != 0;
        if (x == 11) right = false;
        if (y == 11) right = true;
        if (right && x == 10 && y == 0) right = false;  // (11,0) is a stone
        if (!right && x == 0 && y == 10) right = true;  // (0,11) is a stone
        right ? ++x : ++y;
        path.emplace_back(x, y);
    }
    return path;
}

}  // namespace board_test
