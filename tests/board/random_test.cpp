#include <gtest/gtest.h>

#include "board/random.h"
#include "platform/coredll/coredll.h"

namespace {

// A seed whose first draw is the largest value, 32767.
unsigned SeedOfTopDraw() {
    for (unsigned seed = 0;; ++seed) {
        crt::srand(seed);
        if (crt::rand() == 32767) return seed;
    }
}

TEST(RandomBelowTest, TheLargestDrawGivesTheTopValueNotN) {
    const unsigned seed = SeedOfTopDraw();
    for (int n : {1, 2, 3, 6, 10, 12, 20, 1000}) {
        crt::srand(seed);
        EXPECT_EQ(RandomBelow(n), n - 1) << n;
    }
}

TEST(RandomBelowTest, EachCallTakesExactlyOneDrawEvenForAnEmptyRange) {
    for (int n : {-5, 0, 1, 7}) {
        crt::srand(99);
        const int result = RandomBelow(n);
        const int following = crt::rand();
        crt::srand(99);
        crt::rand();
        EXPECT_EQ(following, crt::rand()) << n;
        if (n < 1) {
            EXPECT_EQ(result, 0) << n;
        }
    }
}

}  // namespace
