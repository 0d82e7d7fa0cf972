// What the long plays never reach in cell taps, on rare boards: a block left
// by an actor that would finish the path, a wide bog, no block to aim at,
// and a pen lifted off the board.
#include <gtest/gtest.h>

#include <cstdint>

#include "board/board.h"
#include "board/path.h"
#include "play/cell_taps.h"
#include "state/game_state.h"
#include "tests/support/laid_board.h"

namespace {

using test_support::SeedSoNextDrawIs;

// The homes joined along row 0 and down column 10 but for the vertical at
// (5, 0); a horizontal everywhere else joins none of it.
void LayBrokenPath() {
    const char* const middle = "----------|-";
    const char* const rows[kBoardSize] = {"r----|----7#", middle, middle, middle, middle, middle,
                                          middle,         middle, middle, middle, middle, "#---------LJ"};
    test_support::Lay(rows);
}

void PlaceActor(int x, int y, std::int32_t anim) {
    KindAt(x, y) = Bog;
    game.cells[CellIndex(x, y)].active = true;
    game.cells[CellIndex(x, y)].nextAnim = anim;
}

// A flower (closing, here: still a flower) flies away, and a block that would
// finish the path leaves a vertical in its place, or a horizontal where the
// vertical would finish it.
TEST(CellTaps, ABlockLeftByAFlowerNeverFinishesThePath) {
    const struct { int x, y; std::int32_t drawn, left; } cases[] = {
        {5, 0, Horizontal, Vertical}, {10, 4, Vertical, Horizontal},
        {10, 0, DownLeft, Vertical},  {5, 0, UpRight, UpRight},  // joins nothing: kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " drew " << c.drawn);
        LayBrokenPath();
        KindAt(5, 0) = Horizontal;
        PlaceActor(c.x, c.y, FlowerClose);
        SeedSoNextDrawIs((c.drawn - Vertical) * 5462 + 100);  // RandomBelow(6) gives drawn - Vertical
        TapCell(c.x, c.y);
        EXPECT_EQ(KindAt(c.x, c.y), c.left);
        EXPECT_EQ(game.cells[CellIndex(c.x, c.y)].nextAnim, FlowerFly);
        EXPECT_FALSE(IsPathComplete());
    }
}

// More than 76 bog cells and a curled creature throws one ball, not two; with
// no block left to aim at it stays as it is.
TEST(CellTaps, ACreatureThrowsOneBallOverAWideBogAndNoneWithNoBlockToAimAt) {
    for (const int bog : {77, 76, 140}) {
        SCOPED_TRACE(bog);
        LayBrokenPath();
        int left = bog - 1;  // and the creature's own cell
        for (int i = 0; i < kCellCount && left > 0; ++i) {
            if (game.kinds[i] != Horizontal || i == CellIndex(3, 5)) continue;
            game.kinds[i] = Bog;
            --left;
        }
        PlaceActor(3, 5, FrogDoze);
        if (bog == 140) {
            for (std::int32_t& kind : game.kinds) kind = kind == CornerStone ? CornerStone : Bog;
            KindAt(0, 0) = RightDown;
            KindAt(11, 11) = LeftUp;
        }
        TapCell(3, 5);
        const Cell& c = game.cells[CellIndex(3, 5)];
        EXPECT_EQ(c.nextAnim, bog == 140 ? FrogDoze : FrogCurl);
        EXPECT_EQ(c.ball2X != 0 || c.ball2Y != 0, bog <= 76) << "a second ball";
        EXPECT_EQ(KindAt(3, 5) == Bog, bog == 140);
    }
}

// -5 / 20 is 0: a pen lifted left of the board still names column 0.
TEST(CellTaps, APenLiftedOffTheBoardOrInAnotherCellTapsNothing) {
    LayBrokenPath();
    const struct { int x, y; bool tapped; } releases[] = {
        {-5, 10, false}, {10, -5, false}, {21, 10, false}, {240, 10, false}, {19, 19, true},
    };
    for (const auto& r : releases) {
        game.cellPressed = true;
        game.pressedCell = {};
        EXPECT_EQ(ReleaseCell(r.x, r.y), r.tapped) << r.x << "," << r.y;
        EXPECT_EQ(game.cells[0].delay, r.tapped ? 1 : 0) << "the hero poked";
        EXPECT_FALSE(game.cellPressed);
    }
}

}  // namespace
