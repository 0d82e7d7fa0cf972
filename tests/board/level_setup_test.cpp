// RandomBelow, and a level set up against the same draws taken by hand.
#include <gtest/gtest.h>

#include <cstdint>

#include "board/level_setup.h"
#include "board/random.h"
#include "platform/coredll/coredll.h"
#include "state/game_state.h"

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

// The handheld's random sequence and the game's scaling, written out again
// from their description, so the level can be rebuilt without the game's code.
struct ReferenceDraws {
    std::uint32_t state;
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    int Below(int n) {
        const int scaled = static_cast<int>(static_cast<float>(Next()) * 3.0518509e-5f * static_cast<float>(n));
        return scaled == n ? n - 1 : scaled;
    }
};

struct ReferenceLevel {
    std::int32_t kinds[144] = {};
    bool active[144] = {};
    std::int32_t nextAnim[144] = {};
    bool replacedNextToHome = false;
};

void PlaceReferenceActor(ReferenceDraws& draws, ReferenceLevel& level) {
    const int x = 1 + draws.Below(10);
    const int cell = x * 12 + 1 + draws.Below(10);
    level.kinds[cell] = 0;
    level.active[cell] = true;
    if (draws.Below(20) == 3) {
        level.nextAnim[cell] = 0;
    } else {
        const int creature = draws.Below(3);
        level.nextAnim[cell] = creature == 0 ? 2 : creature == 1 ? 9 : 11;
    }
}

ReferenceLevel BuildReferenceLevel(ReferenceDraws& draws, int levelNumber) {
    ReferenceLevel level;
    for (int corner : {0, 11, 132, 143}) level.kinds[corner] = 99;
    for (int cell = 0; cell < 144; ++cell) {
        if (level.kinds[cell] != 0) continue;
        level.kinds[cell] = draws.Below(2) == 0 ? 1 + draws.Below(2) : 3 + draws.Below(4);
    }
    for (int i = 0; i < levelNumber + 2; ++i) PlaceReferenceActor(draws, level);
    for (int cell : {1 * 12 + 1, 10 * 12 + 10}) {
        if (level.kinds[cell] != 0) continue;
        level.replacedNextToHome = true;
        level.kinds[cell] = 1 + draws.Below(6);
        level.active[cell] = false;
        PlaceReferenceActor(draws, level);
    }
    level.kinds[0] = 4;
    level.kinds[143] = 6;
    return level;
}

// The level from a known clock, against the same draws taken by hand; the
// draw that follows the level must also be the same, so no draw is missing
// or extra. Each level is built over the leftovers of a played board.
TEST(LevelSetupTest, LevelMatchesTheDrawsTakenInTheirOrder) {
    bool sawReplacement = false;
    for (std::uint32_t clock : {1000u, 5000u, 123456u, 0xFFFFFFFFu}) {
        for (int levelNumber : {1, 2, 7, 60}) {
            SCOPED_TRACE(::testing::Message() << "clock " << clock << " level " << levelNumber);
            for (Cell& cell : game.cells) {
                cell = Cell{true, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, true, 12, 13, 14, 15, 16, 17, true, true, 18, 19, 20};
            }
            crt::srand(clock);
            game.level = levelNumber;
            GenerateLevel();
            ReferenceDraws draws{clock};
            const ReferenceLevel expected = BuildReferenceLevel(draws, levelNumber);
            for (int i = 0; i < kCellCount; ++i) {
                const Cell& c = game.cells[i];
                EXPECT_EQ(game.kinds[i], expected.kinds[i]) << "cell " << i;
                EXPECT_EQ(c.active, expected.active[i]) << "cell " << i;
                if (expected.active[i]) {
                    EXPECT_EQ(c.nextAnim, expected.nextAnim[i]) << "cell " << i;
                }
                EXPECT_EQ(c.frame + c.delay + c.lastAnim + c.ball1X + c.turnFrame + c.bloomImage, 0) << "cell " << i;
                EXPECT_FALSE(c.rolling || c.ballSetUp || c.turning) << "cell " << i;
            }
            EXPECT_EQ(crt::rand(), draws.Next()) << "the level took a different number of draws";
            sawReplacement = sawReplacement || expected.replacedNextToHome;
        }
    }
    EXPECT_TRUE(sawReplacement) << "no case placed an actor beside a home";
}

}  // namespace
