#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "board/path.h"
#include "state/game_state.h"
#include "tests/board/board_paths.h"
#include "tests/board/game_fixture.h"

namespace board_test {
namespace {

std::vector<std::int32_t> Grid() { return {game.kinds, game.kinds + kCellCount}; }

void ExpectRouteAlong(const std::vector<CellXY>& path) {
    ASSERT_EQ(game.routeMoves, static_cast<std::int32_t>(path.size()) - 1);
    for (std::size_t m = 0; m < path.size(); ++m) {
        EXPECT_EQ(game.route[m].x, path[m].first * 20 + 10) << "point " << m;
        EXPECT_EQ(game.route[m].y, path[m].second * 20 + 10) << "point " << m;
    }
}

// A win on `path`: the path lit, everything else (corner stones too) bog
// growing a bush, and the heroes' route through the centres of its cells.
void ExpectWinAlong(const std::vector<CellXY>& path) {
    const std::vector<std::int32_t> before = Grid();
    ASSERT_TRUE(IsPathComplete());
    BuildRoute();
    const std::set<CellXY> onPath(path.begin(), path.end());
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const int i = CellIndex(x, y);
            if (onPath.count({x, y})) {
                EXPECT_EQ(game.kinds[i], before[i] + kLitOffset) << x << "," << y;
            } else {
                EXPECT_EQ(game.kinds[i], 0) << x << "," << y;
                EXPECT_TRUE(game.cells[i].active && game.cells[i].nextAnim == BushGrow) << x << "," << y;
            }
        }
    }
    ExpectRouteAlong(path);
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

// The game's flood against a breadth-first search on many random boards:
// the joined set must not depend on the order the flood visits cells in, and
// only a complete path leaves marks on the grid.
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
    for (bool deadEnds : {false, true}) {
        SCOPED_TRACE(deadEnds ? "dead ends past either home" : "shortest");
        ClearToHomes();
        LayPath(ShortestPath());
        if (deadEnds) {
            for (int y = 1; y <= 4; ++y) game.kinds[CellIndex(0, y)] = 1;   // from (0,0) down into bog
            for (int y = 1; y <= 10; ++y) game.kinds[CellIndex(11, y)] = 1;  // from (11,11) up to a stone
        }
        ExpectWinAlong(ShortestPath());
    }
    std::mt19937 random(7);
    for (int board = 0; board < 40; ++board) {
        SCOPED_TRACE(::testing::Message() << "staircase " << board);
        ClearToHomes();
        const std::vector<CellXY> path = StaircasePath(random);
        LayPath(path);
        // Random blocks off the path, but none beside a home's free openings.
        const std::set<CellXY> keep(path.begin(), path.end());
        const std::set<CellXY> keepClear{{1, 0}, {0, 1}, {10, 11}, {11, 10}};
        for (int i = 0; i < kCellCount; ++i) {
            const CellXY cell{i / kBoardSize, i % kBoardSize};
            if (keep.count(cell) || keepClear.count(cell) || game.kinds[i] == 99) continue;
            game.kinds[i] = static_cast<std::int32_t>(random() % 7);
        }
        ExpectWinAlong(path);
    }
}

TEST_F(PathTest, ABushKeepsOnlyItsLastAnimationBallFramesAndFlower) {
    LayPath(ShortestPath());
    Cell& offPath = game.cells[CellIndex(4, 4)];
    offPath = Cell{true, 5, FrogDoze, FrogRise, 3, 2, 1, 2, 3, 4, 5, 6, true, 7, 8, 9, 10, 11, 12, true, true, 3, 1, 324};
    ASSERT_TRUE(IsPathComplete());
    BuildRoute();
    const Cell& c = offPath;
    EXPECT_EQ(c.lastAnim, FrogRise);
    EXPECT_EQ(c.ball1Frame, 9);
    EXPECT_EQ(c.ball2Frame, 10);
    EXPECT_EQ(c.bloomImage, 324);
    EXPECT_EQ(c.delay + c.frame + c.frameTicks + c.ball1X + c.ball1Y + c.ball2X + c.ball2Y + c.originX + c.originY, 0);
    EXPECT_EQ(c.ball1Steps + c.ball2Steps + c.ball1Step + c.ball2Step + c.turnFrame + c.turnTicks, 0);
    EXPECT_FALSE(c.rolling || c.ballSetUp || c.turning);
}

TEST_F(PathTest, RouteOnABoardThatWasNeverJoinedEndsAtTheStart) {
    // Only a test can ask for this: the walk must stop, not run off.
    LayPath(ShortestPath());
    BuildRoute();
    ExpectRouteAlong({{0, 0}});
    EXPECT_EQ(std::count(game.kinds, game.kinds + kCellCount, 0), kCellCount);
}

// The route-walk tests against their table: a opens that way, b opens back.
TEST(RouteStepTest, EachStepJoinsOnlyMarkedBlocksOpenTowardEachOther) {
    const std::set<int> openRight{102, 103, 104}, openLeft{102, 105, 106};
    const std::set<int> openDown{101, 104, 105}, openUp{101, 103, 106};
    for (int a = -1; a <= 215; ++a) {
        for (int b = -1; b <= 215; ++b) {
            EXPECT_EQ(CanStepRight(a, b), openRight.count(a) && openLeft.count(b)) << a << " " << b;
            EXPECT_EQ(CanStepLeft(a, b), openLeft.count(a) && openRight.count(b)) << a << " " << b;
            EXPECT_EQ(CanStepDown(a, b), openDown.count(a) && openUp.count(b)) << a << " " << b;
            EXPECT_EQ(CanStepUp(a, b), openUp.count(a) && openDown.count(b)) << a << " " << b;
        }
    }
}

}  // namespace
}  // namespace board_test
