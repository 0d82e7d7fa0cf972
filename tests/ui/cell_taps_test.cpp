// Taps on the board: which taps reach a cell, what each kind of cell does
// with one, and the score recounted after every tap.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/random.h"
#include "state/game_state.h"
#include "tests/ui/ui_fixture.h"
#include "ui/touch_dispatch.h"

namespace ui_test {
namespace {

using CellTaps = BrokenPathGame;

TEST_F(CellTaps, APenUpLeftOfTheBoardDropsThePress) {
    // Straight into the dispatcher: -5 / 20 is 0, yet the pen left the board.
    game.score = 999;
    Down(5, 10);
    OnPenUp(-5, 10);
    EXPECT_FALSE(game.cellPressed);
    EXPECT_EQ(game.cells[0].delay, 0) << "the hero is not poked";
    EXPECT_EQ(game.score, 999) << "no tap, so no recount";
}

TEST_F(CellTaps, AFlowerFliesAwayAndLeavesARandomBlock) {
    PlaceActor(3, 5, true);
    Cell& cell = game.cells[CellIndex(3, 5)];
    cell.delay = 7;
    cell.lastAnim = FlowerOpen;
    cell.ball1X = 4;
    cell.rolling = cell.turning = true;
    cell.bloomImage = 322;
    // A seed whose first draw of RandomBelow(6) is 3.
    std::uint32_t seed = 1;
    for (crt::srand(seed); RandomBelow(6) != 3; crt::srand(++seed)) {
    }
    crt::srand(seed);
    TapCellAt(3, 5);
    EXPECT_EQ(game.kinds[CellIndex(3, 5)], 4);
    EXPECT_TRUE(cell.active);
    EXPECT_EQ(cell.nextAnim, FlowerFly);
    EXPECT_EQ(cell.frameTicks, 2);
    EXPECT_EQ(cell.delay + cell.lastAnim + cell.ball1X, 0);
    EXPECT_FALSE(cell.rolling || cell.turning);
    EXPECT_EQ(cell.bloomImage, 322) << "the flower to bloom here is kept";
}

TEST_F(CellTaps, ACreaturesBlockNeverCompletesThePath) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        LayBrokenPath();
        PlaceActor(5, 0, false);
        crt::srand(seed);
        TapCellAt(5, 0);
        const std::int32_t kind = game.kinds[CellIndex(5, 0)];
        EXPECT_TRUE(kind >= Vertical && kind <= LeftUp && kind != Horizontal) << kind;
        EXPECT_EQ(std::count_if(game.kinds, game.kinds + kCellCount, [](std::int32_t k) { return k > 100; }), 0);
        EXPECT_FALSE(game.bloomPhase);
    }
}

TEST_F(CellTaps, ACreatureWithNoBlockToAimAtStaysWhereItIs) {
    for (int i = 0; i < kCellCount; ++i) {
        if (game.kinds[i] != CornerStone && i != 0 && i != kCellCount - 1) PlaceActor(i / 12, i % 12, false);
    }
    TapCellAt(3, 5);
    EXPECT_EQ(game.kinds[CellIndex(3, 5)], Bog);
    EXPECT_EQ(game.cells[CellIndex(3, 5)].nextAnim, FrogRise);
    EXPECT_EQ(game.score, 2) << "only the two homes";
}

TEST_F(CellTaps, NoBlockTurnsWhileTheHeroesWalkOrTheHeartsPlay) {
    for (bool* phase : {&game.heroesWalking, &game.levelCompleteRunning}) {
        game.heroesWalking = game.levelCompleteRunning = false;
        *phase = true;
        TapCellAt(3, 0);
        EXPECT_FALSE(AnyCellTurning());
    }
}

TEST_F(CellTaps, TapsDuringTheIntroStillPlay) {
    game.introRunning = true;
    TapCellAt(3, 0);
    EXPECT_TRUE(game.cells[CellIndex(3, 0)].turning);
    EXPECT_EQ(game.score, kJoined);
}

}  // namespace
}  // namespace ui_test
