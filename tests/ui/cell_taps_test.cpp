// Taps on the board: which taps reach a cell, what each kind of cell does
// with one, and the score recounted after every tap.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "board/cell_taps.h"
#include "board/path.h"
#include "board/random.h"
#include "tests/ui/ui_fixture.h"
#include "ui/touch_dispatch.h"

namespace ui_test {
namespace {

// A path along row 0 and down column 10 joins the homes, broken at (5, 0) by
// a vertical block that one quarter turn mends. Every other block is a
// horizontal that joins nothing of it.
const std::vector<std::string> kBrokenPath = {
    "r----|----7#", "----------|-", "----------|-", "----------|-", "----------|-", "----------|-",
    "----------|-", "----------|-", "----------|-", "----------|-", "----------|-", "#---------LJ",
};
// Joined on that board: (0..4, 0) to the hero, 17 cells to the heroine.
constexpr int kJoinedOnBrokenPath = 22;

class CellTaps : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        StartAGame();
        game.introRunning = false;
        for (Cell& cell : game.cells) cell = Cell{};
        LayBoard(kBrokenPath);
    }

    bool AnyCellTurning() const {
        return std::any_of(std::begin(game.cells), std::end(game.cells), [](const Cell& c) { return c.turning; });
    }
    bool AnyMarkOnTheGrid() const {
        return std::any_of(std::begin(game.kinds), std::end(game.kinds), [](std::int32_t k) { return k > 100; });
    }

    // A seed whose first draw of RandomBelow(6) is `draw`.
    static std::uint32_t SeedDrawing(std::int32_t draw) {
        for (std::uint32_t seed = 1;; ++seed) {
            crt::srand(seed);
            if (RandomBelow(6) == draw) {
                crt::srand(seed);
                return seed;
            }
        }
    }
};

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
    cell.rolling = true;
    cell.turning = true;
    cell.bloomImage = 322;
    SeedDrawing(3);
    TapCellAt(3, 5);
    EXPECT_EQ(game.kinds[CellIndex(3, 5)], 4);
    EXPECT_TRUE(cell.active);
    EXPECT_EQ(cell.nextAnim, FlowerFly);
    EXPECT_EQ(cell.frameTicks, 2);
    EXPECT_EQ(cell.delay, 0);
    EXPECT_EQ(cell.lastAnim, 0);
    EXPECT_EQ(cell.ball1X, 0);
    EXPECT_FALSE(cell.rolling);
    EXPECT_FALSE(cell.turning);
    EXPECT_EQ(cell.bloomImage, 322) << "the flower to bloom here is kept";
}

TEST_F(CellTaps, AFlowersBlockThatWouldCompleteThePathBecomesAStraight) {
    // The break at (5, 0) needs a horizontal: drawn, it turns vertical.
    PlaceActor(5, 0, true);
    SeedDrawing(Horizontal - 1);
    TapCellAt(5, 0);
    EXPECT_EQ(game.kinds[CellIndex(5, 0)], Vertical);
    EXPECT_FALSE(game.bloomPhase);
    EXPECT_FALSE(AnyMarkOnTheGrid());
    EXPECT_EQ(game.score, kJoinedOnBrokenPath);
}

TEST_F(CellTaps, ACreaturesBlockNeverCompletesThePath) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        LayBoard(kBrokenPath);
        PlaceActor(5, 0, false);
        crt::srand(seed);
        TapCellAt(5, 0);
        const std::int32_t kind = game.kinds[CellIndex(5, 0)];
        EXPECT_TRUE(kind >= Vertical && kind <= LeftUp) << "seed " << seed;
        EXPECT_NE(kind, Horizontal) << "seed " << seed;
        EXPECT_FALSE(AnyMarkOnTheGrid()) << "seed " << seed;
        EXPECT_FALSE(game.bloomPhase) << "seed " << seed;
    }
}

TEST_F(CellTaps, ACreatureWithNoBlockToAimAtStaysWhereItIs) {
    for (int x = 0; x < 12; ++x) {
        for (int y = 0; y < 12; ++y) {
            const bool corner = (x == 0 || x == 11) && (y == 0 || y == 11);
            if (!corner) PlaceActor(x, y, false);
        }
    }
    TapCellAt(3, 5);
    EXPECT_EQ(game.kinds[CellIndex(3, 5)], Bog);
    EXPECT_EQ(game.cells[CellIndex(3, 5)].nextAnim, FrogRise);
    EXPECT_EQ(game.score, 2) << "only the two homes";
}

TEST_F(CellTaps, FromTheCompletedPathToTheNextLevelTheBoardTakesNoTaps) {
    game.bankedScore = 30;
    TapCellAt(5, 0);
    Ticks(11);
    ASSERT_TRUE(game.bloomPhase);
    ASSERT_EQ(game.bankedScore, 30 + kJoinedOnBrokenPath + 50);
    const std::vector<std::int32_t> kinds(game.kinds, game.kinds + kCellCount);
    TapCellAt(3, 0);  // a lit block
    TapCellAt(3, 5);  // a bush of the meadow
    EXPECT_EQ(game.score, 30 + kJoinedOnBrokenPath) << "no recount to the two homes";
    EXPECT_EQ(std::vector<std::int32_t>(game.kinds, game.kinds + kCellCount), kinds);

    bool* phases[] = {&game.heroesWalking, &game.levelCompleteRunning};
    for (bool* phase : phases) {
        LayBoard(kBrokenPath);
        game.bloomPhase = game.heroesWalking = game.levelCompleteRunning = false;
        *phase = true;
        TapCellAt(3, 0);
        EXPECT_FALSE(AnyCellTurning());
    }
}

TEST_F(CellTaps, TapsDuringTheIntroStillPlay) {
    game.introRunning = true;
    TapCellAt(3, 0);
    EXPECT_TRUE(game.cells[CellIndex(3, 0)].turning);
    EXPECT_EQ(game.score, kJoinedOnBrokenPath);
}

}  // namespace
}  // namespace ui_test
