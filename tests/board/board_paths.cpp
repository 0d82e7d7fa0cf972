#include "tests/board/board_paths.h"

#include <deque>
#include <string>

#include "state/game_state.h"

namespace board_test {
namespace {

// Openings of the kinds 0 to 6: L(eft), U(p), D(own), R(ight).
const std::string kOpenings[7] = {"", "UD", "LR", "UR", "RD", "DL", "LU"};

bool Opens(std::int32_t kind, char side) {
    return kind >= 1 && kind <= 6 && kOpenings[kind].find(side) != std::string::npos;
}

char Facing(CellXY from, CellXY to) {
    if (to.first > from.first) return 'R';
    if (to.first < from.first) return 'L';
    return to.second > from.second ? 'D' : 'U';
}

char OppositeOf(char side) { return "RLDU"[std::string("LRUD").find(side)]; }

std::int32_t KindJoining(char a, char b) {
    for (std::int32_t kind = 1; kind <= 6; ++kind) {
        if (Opens(kind, a) && Opens(kind, b)) return kind;
    }
    return 0;
}

std::int32_t& Kind(CellXY cell) { return game.kinds[CellIndex(cell.first, cell.second)]; }

}  // namespace

void ClearToHomes() {
    for (std::int32_t& kind : game.kinds) kind = 0;
    Kind({0, 0}) = 4;
    Kind({11, 11}) = 6;
    Kind({11, 0}) = 99;
    Kind({0, 11}) = 99;
}

void LayPath(const std::vector<CellXY>& path) {
    for (std::size_t i = 1; i + 1 < path.size(); ++i) {
        Kind(path[i]) = KindJoining(Facing(path[i], path[i - 1]), Facing(path[i], path[i + 1]));
    }
}

std::set<CellXY> JoinedCells(const std::vector<CellXY>& seeds) {
    std::set<CellXY> joined(seeds.begin(), seeds.end());
    std::deque<CellXY> pending(seeds.begin(), seeds.end());
    const CellXY neighbours[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    while (!pending.empty()) {
        const CellXY cell = pending.front();
        pending.pop_front();
        for (const CellXY& step : neighbours) {
            const CellXY next{cell.first + step.first, cell.second + step.second};
            if (next.first < 0 || next.first > 11 || next.second < 0 || next.second > 11) continue;
            const char side = Facing(cell, next);
            if (!Opens(Kind(cell), side) || !Opens(Kind(next), OppositeOf(side))) continue;
            if (joined.insert(next).second) pending.push_back(next);
        }
    }
    return joined;
}

std::vector<CellXY> ShortestPath() {
    std::vector<CellXY> path;
    for (int x = 0; x <= 10; ++x) path.emplace_back(x, 0);
    for (int y = 1; y <= 11; ++y) path.emplace_back(10, y);
    path.emplace_back(11, 11);
    return path;
}

}  // namespace board_test
