#include <gtest/gtest.h>

#include "board/random.h"
#include "platform/coredll/coredll.h"

namespace {

// Seeds the sequence so that its next draw is `draw`.
void SeedFor(int draw) {
    unsigned seed = 0;
    for (crt::srand(seed); crt::rand() != draw; crt::srand(++seed)) {
    }
    crt::srand(seed);
}

// Both products are rounded to single precision: the largest draw gives the
// top value, not n, and a few draws come out one higher than in double
// precision (the portraits' and the stones' pauses).
TEST(RandomBelowTest, ScalesEachDrawInSinglePrecision) {
    const struct {
        int draw, n, value;
    } cases[] = {{32767, 1, 0},     {32767, 2, 1},      {32767, 6, 5},        {32767, 1000, 999}, {0, 12, 0},
                 {19196, 1200, 703}, {9598, 2400, 703}, {28794, 2400, 2109}, {16384, 2, 1}};
    for (const auto& c : cases) {
        SeedFor(c.draw);
        EXPECT_EQ(RandomBelow(c.n), c.value) << c.draw << " of " << c.n;
    }
}

TEST(RandomBelowTest, AnEmptyRangeGivesZeroAndStillTakesOneDraw) {
    for (int n : {-5, 0}) {
        crt::srand(99);
        EXPECT_EQ(RandomBelow(n), 0) << n;
        const int following = crt::rand();
        crt::srand(99);
        crt::rand();
        EXPECT_EQ(following, crt::rand()) << n;
    }
}

}  // namespace
