// Taps on the board: which taps reach a cell, what each kind of cell does
// with one, and the score recounted after every tap.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/path.h"
#include "board/random.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"
#include "ui/touch_dispatch.h"

namespace {

using namespace test_support;

using CellTaps = BrokenPathGame;

std::int32_t& KindAt(int x, int y) { return game.kinds[CellIndex(x, y)]; }

TEST_F(CellTaps, APressReleasedAnywhereElseIsNoTap) {
    game.score = 999;
    Down(5, 10);
    OnPenUp(-5, 10);  // straight into the dispatcher: -5 / 20 is 0, yet the pen left the board
    Down(110, 10);
    Up(121, 10);      // the next cell
    Down(110, 10);
    Down(70, 110);    // a pen-down whose release never came only drops the press
    Up(70, 110);
    EXPECT_FALSE(game.cellPressed || AnyCellTurning());
    EXPECT_EQ(game.cells[0].delay, 0) << "the hero is not poked";
    EXPECT_EQ(game.score, 999) << "no tap, so no recount";
}

TEST_F(CellTaps, ASecondTapRestartsTheTurnAndTheHomesAndStonesOnlyRecount) {
    TapCellAt(3, 5);
    Ticks(5);
    TapCellAt(3, 5);
    Ticks(10);
    EXPECT_EQ(KindAt(3, 5), Horizontal) << "11 ticks from the second tap";
    Ticks(1);
    EXPECT_EQ(KindAt(3, 5), Vertical) << "turned once";

    TapCellAt(0, 0);
    TapCellAt(11, 11);
    EXPECT_EQ(game.cells[0].delay + game.cells[kCellCount - 1].delay, 2) << "both poked";
    game.score = 999;
    TapCellAt(11, 0);
    EXPECT_EQ(game.score, kJoined);
    Ticks(12);
    EXPECT_EQ(KindAt(0, 0), RightDown);
    EXPECT_EQ(KindAt(11, 11), LeftUp);
    EXPECT_EQ(KindAt(11, 0), CornerStone);
}

TEST_F(CellTaps, TheScoreCountsTheBoardBeforeTheTappedBlockTurns) {
    KindAt(7, 0) = Vertical;  // a second break
    TapCellAt(5, 0);
    EXPECT_EQ(game.score, kJoined - 2);
    Ticks(11);
    TapCellAt(7, 0);
    EXPECT_EQ(game.score, kJoined);
}

TEST_F(CellTaps, AFlowerFliesAwayAndLeavesARandomBlock) {
    PlaceActor(3, 5, true);
    Cell& cell = game.cells[CellIndex(3, 5)];
    cell.delay = 7;
    cell.lastAnim = FlowerOpen;
    cell.ball1X = 4;
    cell.rolling = cell.turning = true;
    cell.bloomImage = 322;
    SeedFirstDraw(6, 3);
    TapCellAt(3, 5);
    EXPECT_EQ(KindAt(3, 5), RightDown);
    EXPECT_TRUE(cell.active);
    EXPECT_EQ(cell.nextAnim, FlowerFly);
    EXPECT_EQ(cell.frameTicks, 2);
    EXPECT_EQ(cell.delay + cell.lastAnim + cell.ball1X, 0);
    EXPECT_FALSE(cell.rolling || cell.turning);
    EXPECT_EQ(cell.bloomImage, 322) << "the flower to bloom here is kept";
}

// A flower's block that would complete the path leaves a vertical block in
// its place, or a horizontal one where the vertical would complete it.
TEST_F(CellTaps, AFlowersBlockThatWouldCompleteThePathBecomesAStraightThatDoesNot) {
    const struct {
        int x, y;
        std::int32_t drawn, left;
    } cases[] = {
        {5, 0, Horizontal, Vertical},  {10, 4, Vertical, Horizontal}, {10, 0, DownLeft, Vertical},
        {10, 11, UpRight, Vertical},   {5, 0, UpRight, UpRight},      // joins nothing: kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " drew " << c.drawn);
        LayBrokenPath();
        KindAt(5, 0) = Horizontal;
        PlaceActor(c.x, c.y, true);
        SeedFirstDraw(6, c.drawn - 1);
        TapCellAt(c.x, c.y);
        EXPECT_EQ(KindAt(c.x, c.y), c.left);
        EXPECT_FALSE(IsPathComplete() || game.bloomPhase);
    }
}

TEST_F(CellTaps, ACreaturesBlockNeverCompletesThePath) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        LayBrokenPath();
        PlaceActor(5, 0, false);
        crt::srand(seed);
        TapCellAt(5, 0);
        const std::int32_t kind = KindAt(5, 0);
        EXPECT_TRUE(kind >= Vertical && kind <= LeftUp && kind != Horizontal) << kind;
        EXPECT_EQ(std::count_if(game.kinds, game.kinds + kCellCount, [](std::int32_t k) { return k > 100; }), 0);
        EXPECT_FALSE(game.bloomPhase);
    }
}

// Its targets are drawn column then row until they name a block away from
// the corners; with more than 76 bog cells it throws only one ball.
TEST_F(CellTaps, ACreatureAimsTwoBallsAtBlocksOrOneWhenTheBogIsWide) {
    for (const int bog : {77, 76}) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(::testing::Message() << bog << " bog cells, seed " << seed);
            MakeBog(bog);
            PlaceActor(3, 5, false);
            crt::srand(seed);
            Point expected[2] = {};
            for (Point& target : expected) {
                do {
                    target = {RandomBelow(12), RandomBelow(12)};
                } while (KindAt(target.x, target.y) != Horizontal);
                if (bog > 76) break;
            }
            crt::srand(seed);
            TapCellAt(3, 5);
            const Cell& c = game.cells[CellIndex(3, 5)];
            EXPECT_EQ(c.nextAnim, FrogCurl);
            EXPECT_EQ(std::vector({c.ball1X, c.ball1Y, c.ball2X, c.ball2Y}),
                      std::vector({expected[0].x, expected[0].y, expected[1].x, expected[1].y}));
        }
    }
}

TEST_F(CellTaps, ACreatureWithNoBlockToAimAtStaysWhereItIs) {
    for (int i = 0; i < kCellCount; ++i) {
        if (game.kinds[i] != CornerStone && i != 0 && i != kCellCount - 1) PlaceActor(i / 12, i % 12, false);
    }
    TapCellAt(3, 5);
    EXPECT_EQ(KindAt(3, 5), Bog);
    EXPECT_EQ(game.cells[CellIndex(3, 5)].nextAnim, FrogRise);
    EXPECT_EQ(game.score, 2) << "only the two homes";
}

TEST_F(CellTaps, NoTapCountsFromTheWinToTheNextLevel) {
    PlaceActor(3, 5, false);
    for (bool* phase : {&game.bloomPhase, &game.heroesWalking, &game.levelCompleteRunning}) {
        game.bloomPhase = game.heroesWalking = game.levelCompleteRunning = false;
        *phase = true;
        game.score = 999;
        TapCellAt(3, 0);
        TapCellAt(3, 5);
        EXPECT_FALSE(AnyCellTurning());
        EXPECT_EQ(KindAt(3, 5), Bog);
        EXPECT_EQ(game.score, 999);
    }
}

TEST_F(CellTaps, TapsDuringTheIntroStillPlay) {
    game.introRunning = true;
    TapCellAt(3, 0);
    EXPECT_TRUE(game.cells[CellIndex(3, 0)].turning);
    EXPECT_EQ(game.score, kJoined);
}

}  // namespace
