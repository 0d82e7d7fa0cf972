#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/game_state.h"
#include "board/path.h"
#include "tests/board/board_paths.h"
#include "tests/board/game_fixture.h"

namespace board_test {
namespace {

class PathTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const GameState kFreshGame{};
        game = kFreshGame;
        ClearToHomes();
    }

    static std::int32_t KindAtXY(int x, int y) { return game.kinds[CellIndex(x, y)]; }

    static std::vector<std::int32_t> Grid() { return {game.kinds, game.kinds + kCellCount}; }

    // Fills the cells off `path` with random kinds, keeping the cells beside
    // the homes' free openings bog so that nothing joins a home from aside.
    static void ScatterAround(const std::vector<CellXY>& path, std::mt19937& random) {
        const std::set<CellXY> onPath(path.begin(), path.end());
        const std::set<CellXY> keepClear{{1, 0}, {0, 1}, {10, 11}, {11, 10}};
        for (int x = 0; x < kBoardSize; ++x) {
            for (int y = 0; y < kBoardSize; ++y) {
                const CellXY cell{x, y};
                if (onPath.count(cell) || keepClear.count(cell) || game.kinds[CellIndex(x, y)] == 99) continue;
                game.kinds[CellIndex(x, y)] = static_cast<std::int32_t>(random() % 7);
            }
        }
    }

    // The board after a win: the path lit, everything else bog growing a
    // bush, and the heroes' route through the centres of the path's cells.
    static void ExpectLitRoute(const std::vector<CellXY>& path, const std::vector<std::int32_t>& before) {
        const std::set<CellXY> onPath(path.begin(), path.end());
        for (int x = 0; x < kBoardSize; ++x) {
            for (int y = 0; y < kBoardSize; ++y) {
                const int i = CellIndex(x, y);
                if (onPath.count({x, y})) {
                    EXPECT_EQ(game.kinds[i], before[i] + kLitOffset) << x << "," << y;
                } else {
                    EXPECT_EQ(game.kinds[i], 0) << x << "," << y;
                    EXPECT_TRUE(game.cells[i].active) << x << "," << y;
                    EXPECT_EQ(game.cells[i].nextAnim, BushGrow) << x << "," << y;
                }
            }
        }
        ASSERT_EQ(game.routeMoves, static_cast<std::int32_t>(path.size()) - 1);
        for (std::size_t m = 0; m < path.size(); ++m) {
            EXPECT_EQ(game.route[m].x, path[m].first * 20 + 10) << "point " << m;
            EXPECT_EQ(game.route[m].y, path[m].second * 20 + 10) << "point " << m;
        }
        EXPECT_TRUE(game.bloomStart);
        EXPECT_TRUE(game.bloomPhase);
        EXPECT_EQ(CountConnected(), 2) << "lit blocks are never joined";
    }

    static void WinWith(const std::vector<CellXY>& path) {
        const std::vector<std::int32_t> before = Grid();
        ASSERT_TRUE(IsPathComplete());
        BuildRoute();
        ExpectLitRoute(path, before);
    }
};

TEST_F(PathTest, FloodStepMarksOnlyNeighboursJoinedToTheCell) {
    game.kinds[CellIndex(5, 5)] = 104;  // reached, open right and down
    game.kinds[CellIndex(6, 5)] = 2;    // open left: joined
    game.kinds[CellIndex(5, 6)] = 3;    // open up: joined
    game.kinds[CellIndex(4, 5)] = 2;    // the cell does not open left
    game.kinds[CellIndex(5, 4)] = 1;    // nor up
    EXPECT_TRUE(FloodStep(5, 5));
    EXPECT_EQ(KindAtXY(6, 5), 102);
    EXPECT_EQ(KindAtXY(5, 6), 103);
    EXPECT_EQ(KindAtXY(4, 5), 2);
    EXPECT_EQ(KindAtXY(5, 4), 1);
    EXPECT_FALSE(FloodStep(5, 5)) << "marked neighbours are not marked again";

    // Blocks that do not open back, lit blocks, stones and bog stay as they are.
    game.kinds[CellIndex(6, 5)] = 1;
    game.kinds[CellIndex(5, 6)] = 9;
    EXPECT_FALSE(FloodStep(5, 5));
    game.kinds[CellIndex(6, 5)] = 99;
    game.kinds[CellIndex(5, 6)] = 0;
    EXPECT_FALSE(FloodStep(5, 5));
    EXPECT_FALSE(FloodStep(4, 5)) << "an unreached cell marks nothing";
}

TEST_F(PathTest, FreshHomesCountTwoAndNoPath) {
    const auto before = Grid();
    EXPECT_EQ(CountConnected(), 2);
    EXPECT_FALSE(IsPathComplete());
    EXPECT_EQ(Grid(), before) << "a failed test leaves the grid as it was";
}

TEST_F(PathTest, CompletePathLeavesItsMarksForTheRoute) {
    LayPath(ShortestPath());
    game.kinds[CellIndex(5, 5)] = 2;  // off the path, stays unmarked
    EXPECT_EQ(CountConnected(), 23);
    ASSERT_TRUE(IsPathComplete());
    for (const CellXY& cell : ShortestPath()) EXPECT_GT(KindAtXY(cell.first, cell.second), 100);
    EXPECT_EQ(KindAtXY(0, 0), 104);
    EXPECT_EQ(KindAtXY(5, 5), 2);
}

// The game's flood against a breadth-first search on many random boards:
// the joined set must not depend on the order the flood visits cells in.
TEST_F(PathTest, CountAndPathTestAgreeWithAnIndependentSearch) {
    std::mt19937 random(20240611);
    int completeBoards = 0;
    for (int board = 0; board < 300; ++board) {
        ClearToHomes();
        if (board % 3 == 0) LayPath(StaircasePath(random));
        for (int i = 0; i < kCellCount; ++i) {
            if (game.kinds[i] == 0 && random() % 4 != 0) game.kinds[i] = 1 + static_cast<std::int32_t>(random() % 6);
        }
        const auto before = Grid();
        const std::set<CellXY> fromBoth = JoinedCells({{0, 0}, {11, 11}});
        const std::set<CellXY> fromHero = JoinedCells({{0, 0}});
        const bool expectComplete = fromHero.count({11, 11}) != 0;

        EXPECT_EQ(CountConnected(), static_cast<std::int32_t>(fromBoth.size())) << "board " << board;
        EXPECT_EQ(Grid(), before) << "board " << board;
        EXPECT_EQ(IsPathComplete(), expectComplete) << "board " << board;
        if (!expectComplete) {
            EXPECT_EQ(Grid(), before) << "board " << board;
        }
        completeBoards += expectComplete;
    }
    EXPECT_GT(completeBoards, 50) << "the search must see complete boards too";
}

TEST_F(PathTest, ShortestPathIsLitAndWalkedInTwentyTwoMoves) {
    LayPath(ShortestPath());
    Cell& offPath = game.cells[CellIndex(4, 4)];
    offPath = Cell{true, 5, FrogDoze, FrogRise, 3, 2, 1, 2, 3, 4, 5, 6, true, 7, 8, 9, 10, 11, 12, true, true, 3, 1, 324};
    WinWith(ShortestPath());
    EXPECT_EQ(game.routeMoves, 22);
    EXPECT_EQ(game.route[10].x, 210);
    EXPECT_EQ(game.route[10].y, 10);
    EXPECT_EQ(KindAtXY(0, 0), 10);
    EXPECT_EQ(KindAtXY(11, 11), 12);
    EXPECT_EQ(KindAtXY(0, 11), 0) << "the corner stones bloom with the bog";
    EXPECT_EQ(KindAtXY(11, 0), 0);

    // A bush keeps only its last animation, ball frames and flower.
    EXPECT_EQ(offPath.lastAnim, FrogRise);
    EXPECT_EQ(offPath.ball1Frame, 9);
    EXPECT_EQ(offPath.ball2Frame, 10);
    EXPECT_EQ(offPath.bloomImage, 324);
    EXPECT_EQ(offPath.delay, 0);
    EXPECT_EQ(offPath.frame, 0);
    EXPECT_EQ(offPath.frameTicks, 0);
    EXPECT_EQ(offPath.ball1X + offPath.ball1Y + offPath.ball2X + offPath.ball2Y, 0);
    EXPECT_EQ(offPath.originX + offPath.originY, 0);
    EXPECT_EQ(offPath.ball1Steps + offPath.ball2Steps + offPath.ball1Step + offPath.ball2Step, 0);
    EXPECT_FALSE(offPath.rolling);
    EXPECT_FALSE(offPath.ballSetUp);
    EXPECT_FALSE(offPath.turning);
    EXPECT_EQ(offPath.turnFrame + offPath.turnTicks, 0);
}

TEST_F(PathTest, DeadEndsPastEitherHomeAreCutOffAndBloom) {
    LayPath(ShortestPath());
    for (int y = 1; y <= 4; ++y) game.kinds[CellIndex(0, y)] = 1;   // from (0,0) down into bog
    for (int y = 1; y <= 10; ++y) game.kinds[CellIndex(11, y)] = 1;  // from (11,11) up to a stone
    ASSERT_EQ(JoinedCells({{0, 0}}).size(), 23u + 4 + 10);
    WinWith(ShortestPath());
}

TEST_F(PathTest, LoopThroughBothHomesKeepsBothHalvesAndLeavesToTheRight) {
    std::vector<CellXY> byTheTop;
    for (int x = 0; x <= 10; ++x) byTheTop.emplace_back(x, 0);
    for (int y = 1; y <= 9; ++y) byTheTop.emplace_back(10, y);
    byTheTop.insert(byTheTop.end(), {{11, 9}, {11, 10}, {11, 11}});
    std::vector<CellXY> byTheLeft;
    for (int y = 0; y <= 10; ++y) byTheLeft.emplace_back(0, y);
    for (int x = 1; x <= 9; ++x) byTheLeft.emplace_back(x, 10);
    byTheLeft.insert(byTheLeft.end(), {{9, 11}, {10, 11}, {11, 11}});
    LayPath(byTheTop);
    LayPath(byTheLeft);
    const auto before = Grid();

    ASSERT_TRUE(IsPathComplete());
    BuildRoute();
    ASSERT_EQ(game.routeMoves, 22);
    for (std::size_t m = 0; m < byTheTop.size(); ++m) {
        EXPECT_EQ(game.route[m].x, byTheTop[m].first * 20 + 10) << "point " << m;
        EXPECT_EQ(game.route[m].y, byTheTop[m].second * 20 + 10) << "point " << m;
    }
    for (const auto& half : {byTheTop, byTheLeft}) {
        for (const CellXY& cell : half) {
            const int i = CellIndex(cell.first, cell.second);
            EXPECT_EQ(game.kinds[i], before[i] + kLitOffset) << cell.first << "," << cell.second;
        }
    }
}

TEST_F(PathTest, LongWindingPathIsWalkedCellByCell) {
    LayPath(WindingPath());
    WinWith(WindingPath());
    EXPECT_EQ(game.routeMoves, 122);
}

TEST_F(PathTest, RandomStaircasesAmongRandomBlocksAreWalkedExactly) {
    std::mt19937 random(7);
    for (int board = 0; board < 40; ++board) {
        SCOPED_TRACE(board);
        ClearToHomes();
        const std::vector<CellXY> path = StaircasePath(random);
        LayPath(path);
        ScatterAround(path, random);
        WinWith(path);
    }
}

TEST_F(PathTest, RouteOnABoardThatWasNeverJoinedEndsAtTheStart) {
    // Only a test can ask for this: the walk must stop, not run off.
    LayPath(ShortestPath());
    BuildRoute();
    EXPECT_EQ(game.routeMoves, 0);
    EXPECT_EQ(game.route[0].x, 10);
    EXPECT_EQ(game.route[0].y, 10);
    EXPECT_EQ(std::count_if(game.kinds, game.kinds + kCellCount, [](std::int32_t k) { return k != 0; }), 0);
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
