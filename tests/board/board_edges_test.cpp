// What the long plays never reach on the board: the single-precision scaling
// of the draws and a choice between two finished paths.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "board/board.h"
#include "board/path.h"
#include "board/random.h"
#include "platform/coredll/coredll.h"
#include "state/game_state.h"
#include "tests/support/laid_board.h"

namespace {

using test_support::Lay;
using test_support::SeedSoNextDrawIs;

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

}  // namespace
