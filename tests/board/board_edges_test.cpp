// What the long plays never reach on the board: the single-precision scaling
// of the draws, a choice between two finished paths, taps with rare boards
// (a block left by an actor that would finish the path, a wide bog, no block
// to aim at) and a pen lifted off the board.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "board/board.h"
#include "play/cell_taps.h"
#include "board/path.h"
#include "board/random.h"
#include "platform/coredll/coredll.h"
#include "state/game_state.h"
#include "tests/support/fresh_game.h"

namespace {

// Rows 0 to 11: '|' vertical, '-' horizontal, 'L' up-right, 'r' right-down,
// '7' down-left, 'J' left-up, '#' corner stone, '.' bog.
void Lay(const char* const rows[kBoardSize]) {
    const char* const kinds = ".|-Lr7J";
    test_support::FreshGame();
    for (int y = 0; y < kBoardSize; ++y) {
        for (int x = 0; x < kBoardSize; ++x) {
            const char c = rows[y][x];
            KindAt(x, y) = c == '#' ? CornerStone : static_cast<std::int32_t>(std::string_view(kinds).find(c));
        }
    }
}

// The homes joined along row 0 and down column 10 but for the vertical at
// (5, 0); a horizontal everywhere else joins none of it.
void LayBrokenPath() {
    const char* const middle = "----------|-";
    const char* const rows[kBoardSize] = {"r----|----7#", middle, middle, middle, middle, middle,
                                          middle,         middle, middle, middle, middle, "#---------LJ"};
    Lay(rows);
}

void PlaceActor(int x, int y, std::int32_t anim) {
    KindAt(x, y) = Bog;
    game.cells[CellIndex(x, y)].active = true;
    game.cells[CellIndex(x, y)].nextAnim = anim;
}

void SeedSoNextDrawIs(int draw) {
    unsigned seed = 0;
    for (crt::srand(seed); crt::rand() != draw; crt::srand(++seed)) {
    }
    crt::srand(seed);
}

// Both products are rounded to single precision: the largest draw gives the
// top value, not n, and a few draws come out one higher than in double.
TEST(RandomBelow, ScalesEachDrawInSinglePrecisionAndAnEmptyRangeStillDraws) {
    const struct { int draw, n, value; } cases[] = {
        {32767, 1, 0}, {32767, 6, 5}, {0, 12, 0}, {19196, 1200, 703}, {9598, 2400, 703},
        {28794, 2400, 2109}, {16384, 2, 1}, {5, 0, 0}, {5, -5, 0},
    };
    for (const auto& c : cases) {
        SeedSoNextDrawIs(c.draw);
        EXPECT_EQ(RandomBelow(c.n), c.value) << c.draw << " of " << c.n;
        SeedSoNextDrawIs(c.draw);
        crt::rand();
        const int following = crt::rand();
        SeedSoNextDrawIs(c.draw);
        RandomBelow(c.n);
        EXPECT_EQ(crt::rand(), following) << "one draw for " << c.n;
    }
}

// Both paths are lit; the heroes take the one that leaves the hero's home to
// the right, and turn down only where right is closed.
TEST(Route, OfTwoFinishedPathsTheHeroesTakeTheOneLeavingRight) {
    const char* const rows[kBoardSize] = {"r---------7#", "|.........|.", "|.........|.", "|.........|.",
                                          "|.........|.", "|.........|.", "|.........|.", "|.........|.",
                                          "|.........|.", "|.........L7", "L---------7|", "#.........LJ"};
    Lay(rows);
    ASSERT_TRUE(IsPathComplete());
    BuildRoute();
    ASSERT_EQ(game.routeMoves, 22);
    std::vector<std::int32_t> route;
    for (int m = 0; m <= 22; ++m) route.push_back((game.route[m].x - 10) / 20 * 100 + (game.route[m].y - 10) / 20);
    EXPECT_EQ(route, (std::vector<std::int32_t>{0,    100,  200,  300,  400,  500,  600,  700,  800,  900,  1000, 1001,
                                                1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1109, 1110, 1111}));
    EXPECT_EQ(KindAt(0, 5), Vertical + kLitOffset) << "the other path is lit too";
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
