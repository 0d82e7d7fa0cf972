// The flood that counts joined cells and finds a finished path, the path lit
// and the heroes' route through it, against an independent reckoning.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "board/path.h"
#include "state/game_state.h"

namespace {

using CellXY = std::pair<int, int>;
using Path = std::vector<CellXY>;

// Openings of the kinds 0 to 6: L(eft), U(p), D(own), R(ight).
const std::string kOpenings[7] = {"", "UD", "LR", "UR", "RD", "DL", "LU"};

bool Opens(std::int32_t kind, char side) {
    return kind >= 1 && kind <= 6 && kOpenings[kind].find(side) != std::string::npos;
}

char Facing(CellXY from, CellXY to) {
    if (to.first != from.first) return to.first > from.first ? 'R' : 'L';
    return to.second > from.second ? 'D' : 'U';
}

std::int32_t& Kind(CellXY cell) { return game.kinds[CellIndex(cell.first, cell.second)]; }
std::vector<std::int32_t> Grid() { return {game.kinds, game.kinds + kCellCount}; }

// A fresh board: every cell bog, the corner stones, the homes as in play.
void ClearToHomes() {
    for (std::int32_t& kind : game.kinds) kind = Bog;
    Kind({0, 0}) = RightDown;
    Kind({11, 11}) = LeftUp;
    Kind({11, 0}) = Kind({0, 11}) = CornerStone;
}

// Gives every cell of `path` but the first and the last the block that joins
// its two neighbours in the path.
void LayPath(const Path& path) {
    for (std::size_t i = 1; i + 1 < path.size(); ++i) {
        const char a = Facing(path[i], path[i - 1]);
        const char b = Facing(path[i], path[i + 1]);
        for (std::int32_t kind = 1; kind <= 6; ++kind) {
            if (Opens(kind, a) && Opens(kind, b)) Kind(path[i]) = kind;
        }
    }
}

// The straight runs between the given cells, cell by cell.
Path Through(std::initializer_list<CellXY> corners) {
    Path path{*corners.begin()};
    for (const CellXY& corner : corners) {
        while (path.back() != corner) {
            CellXY next = path.back();
            if (next.first != corner.first) next.first += corner.first > next.first ? 1 : -1;
            else next.second += corner.second > next.second ? 1 : -1;
            path.push_back(next);
        }
    }
    return path;
}

const Path kShortest = Through({{0, 0}, {10, 0}, {10, 11}, {11, 11}});

// A random path of right and down moves that avoids the corner stones.
Path StaircasePath(std::mt19937& random) {
    Path path{{0, 0}};
    while (path.back() != CellXY{11, 11}) {
        auto [x, y] = path.back();
        bool right = (random() & 1) != 0;
        if (x == 11) right = false;
        if (y == 11) right = true;
        if (right && x == 10 && y == 0) right = false;  // (11, 0) is a stone
        if (!right && x == 0 && y == 10) right = true;  // (0, 11) is a stone
        right ? ++x : ++y;
        path.emplace_back(x, y);
    }
    return path;
}

// The cells joined to any of `seeds`: a breadth-first search over the
// openings, written apart from the game's flood.
std::set<CellXY> JoinedCells(const Path& seeds) {
    std::set<CellXY> joined(seeds.begin(), seeds.end());
    std::deque<CellXY> pending(seeds.begin(), seeds.end());
    while (!pending.empty()) {
        const CellXY cell = pending.front();
        pending.pop_front();
        for (const CellXY& next : Path{{cell.first - 1, cell.second}, {cell.first + 1, cell.second},
                                       {cell.first, cell.second - 1}, {cell.first, cell.second + 1}}) {
            if (next.first < 0 || next.first > 11 || next.second < 0 || next.second > 11) continue;
            const char side = Facing(cell, next);
            if (!Opens(Kind(cell), side) || !Opens(Kind(next), Facing(next, cell))) continue;
            if (joined.insert(next).second) pending.push_back(next);
        }
    }
    return joined;
}

void ExpectRouteAlong(const Path& path) {
    ASSERT_EQ(game.routeMoves, static_cast<std::int32_t>(path.size()) - 1);
    for (std::size_t m = 0; m < path.size(); ++m) {
        EXPECT_EQ(game.route[m].x, path[m].first * 20 + 10) << "point " << m;
        EXPECT_EQ(game.route[m].y, path[m].second * 20 + 10) << "point " << m;
    }
}

// A win walked along `route`: the cells of `lit` lit, everything else (corner
// stones too) bog growing a bush.
void ExpectWinAlong(const Path& route, const Path& lit) {
    const std::vector<std::int32_t> before = Grid();
    ASSERT_TRUE(IsPathComplete());
    BuildRoute();
    for (int i = 0; i < kCellCount; ++i) {
        const CellXY cell{i / kBoardSize, i % kBoardSize};
        if (std::count(lit.begin(), lit.end(), cell)) {
            EXPECT_EQ(game.kinds[i], before[i] + kLitOffset) << cell.first << "," << cell.second;
        } else {
            EXPECT_EQ(game.kinds[i], 0) << cell.first << "," << cell.second;
            EXPECT_TRUE(game.cells[i].active && game.cells[i].nextAnim == BushGrow) << cell.first << "," << cell.second;
        }
    }
    ExpectRouteAlong(route);
    EXPECT_TRUE(game.bloomStart && game.bloomPhase);
    EXPECT_EQ(CountConnected(), 2) << "lit blocks are never joined";
}

class PathTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const GameState kFreshGame{};
        game = kFreshGame;
        ClearToHomes();
    }
};

// The game's flood against the search on many random boards: the joined set
// must not depend on the order the flood visits cells in, and only a
// complete path leaves marks on the grid.
TEST_F(PathTest, CountAndPathTestAgreeWithAnIndependentSearch) {
    std::mt19937 random(20240611);
    int completeBoards = 0;
    for (int board = 0; board < 300; ++board) {
        SCOPED_TRACE(board);
        ClearToHomes();
        if (board % 3 == 0) LayPath(StaircasePath(random));
        for (std::int32_t& kind : game.kinds) {
            if (kind == 0 && random() % 4 != 0) kind = 1 + static_cast<std::int32_t>(random() % 6);
        }
        const auto before = Grid();
        const bool expectComplete = JoinedCells({{0, 0}}).count({11, 11}) != 0;
        EXPECT_EQ(CountConnected(), static_cast<std::int32_t>(JoinedCells({{0, 0}, {11, 11}}).size()));
        EXPECT_EQ(Grid(), before);
        EXPECT_EQ(IsPathComplete(), expectComplete);
        if (!expectComplete) {
            EXPECT_EQ(Grid(), before);
        }
        completeBoards += expectComplete;
    }
    EXPECT_GT(completeBoards, 50) << "the search must see complete boards too";
}

TEST_F(PathTest, WinningPathsAreLitAndWalkedCellByCell) {
    // Dead ends run on past both homes: from (0, 0) down into the bog, from
    // (11, 11) up to a stone. They are cut off and bloom.
    LayPath(kShortest);
    for (int y = 1; y <= 4; ++y) Kind({0, y}) = Vertical;
    for (int y = 1; y <= 10; ++y) Kind({11, y}) = Vertical;
    ExpectWinAlong(kShortest, kShortest);

    // A path that winds left and up too.
    const Path winding = Through({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 4}, {3, 4}, {3, 0}, {10, 0}, {10, 11}, {11, 11}});
    ClearToHomes();
    LayPath(winding);
    ExpectWinAlong(winding, winding);

    // Two paths join the homes: both are lit, and the heroes take the one
    // that leaves the hero's home to the right.
    const Path top = Through({{0, 0}, {10, 0}, {10, 9}, {11, 9}, {11, 11}});
    Path both = Through({{0, 0}, {0, 10}, {10, 10}, {10, 11}, {11, 11}});
    ClearToHomes();
    LayPath(top);
    LayPath(both);
    both.insert(both.end(), top.begin(), top.end());
    ExpectWinAlong(top, both);

    std::mt19937 random(7);
    for (int board = 0; board < 40; ++board) {
        SCOPED_TRACE(::testing::Message() << "staircase " << board);
        ClearToHomes();
        const Path path = StaircasePath(random);
        LayPath(path);
        // Random blocks off the path, but none beside a home's free openings.
        const std::set<CellXY> keep(path.begin(), path.end());
        const std::set<CellXY> keepClear{{1, 0}, {0, 1}, {10, 11}, {11, 10}};
        for (int i = 0; i < kCellCount; ++i) {
            const CellXY cell{i / kBoardSize, i % kBoardSize};
            if (keep.count(cell) || keepClear.count(cell) || game.kinds[i] == CornerStone) continue;
            game.kinds[i] = static_cast<std::int32_t>(random() % 7);
        }
        ExpectWinAlong(path, path);
    }
}

TEST_F(PathTest, ABushKeepsOnlyItsLastAnimationBallFramesAndFlower) {
    LayPath(kShortest);
    Cell& offPath = game.cells[CellIndex(4, 4)];
    offPath = Cell{true, 5, FrogDoze, FrogRise, 3, 2, 1, 2, 3, 4, 5, 6, true, 7, 8, 9, 10, 11, 12, true, true, 3, 1, 324};
    ASSERT_TRUE(IsPathComplete());
    BuildRoute();
    const Cell& c = offPath;
    EXPECT_EQ((std::vector{c.lastAnim, c.ball1Frame, c.ball2Frame, c.bloomImage}), (std::vector<std::int32_t>{FrogRise, 9, 10, 324}));
    EXPECT_EQ(c.delay + c.frame + c.frameTicks + c.ball1X + c.ball1Y + c.ball2X + c.ball2Y + c.originX + c.originY, 0);
    EXPECT_EQ(c.ball1Steps + c.ball2Steps + c.ball1Step + c.ball2Step + c.turnFrame + c.turnTicks, 0);
    EXPECT_FALSE(c.rolling || c.ballSetUp || c.turning);
}

}  // namespace
