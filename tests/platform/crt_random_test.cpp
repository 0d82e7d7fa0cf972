// The C runtime's random sequence, which the game's determinism rests on.
#include <gtest/gtest.h>

#include <vector>

#include "platform/coredll/coredll.h"
#include "platform/platform.h"

namespace {

std::vector<int> Draw(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) values.push_back(crt::rand());
    return values;
}

TEST(CrtRandom, FollowsTheClassicSequence) {
    platform::ResetForTesting();
    EXPECT_EQ(Draw(5), (std::vector<int>{41, 18467, 6334, 26500, 19169})) << "unseeded starts at 1";
    crt::srand(1);
    EXPECT_EQ(Draw(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    crt::srand(1000);
    EXPECT_EQ(Draw(3), (std::vector<int>{3304, 8221, 26849}));
    crt::srand(0xFFFFFFFFu);  // the state wraps at 32 bits
    EXPECT_EQ(Draw(3), (std::vector<int>{35, 29739, 3374}));
    platform::ResetForTesting();
    EXPECT_EQ(crt::rand(), 41) << "a fresh start begins the sequence again";
}

}  // namespace
