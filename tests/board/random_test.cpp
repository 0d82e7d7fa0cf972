#include <gtest/gtest.h>

#include "board/random.h"
#include "platform/coredll/coredll.h"

namespace {

TEST(RandomBelowTest, TheLargestDrawGivesTheTopValueNotN) {
    unsigned seed = 0;
    for (crt::srand(seed); crt::rand() != 32767; crt::srand(++seed)) {
    }
    for (int n : {1, 2, 3, 6, 10, 12, 20, 1000}) {
        crt::srand(seed);
        EXPECT_EQ(RandomBelow(n), n - 1) << n;
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
