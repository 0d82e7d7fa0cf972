// The tick gate; the heroes' faces popping out of their corners, and their
// walk along the finished path until they meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "board/random.h"
#include "gfx/display_device.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

class GameTickTest : public BrokenPathGame {
protected:
    // Paints at `clock` and tells whether a tick ran before the frame reached
    // the screen: a tick draws the board, whose hero's home is at the top left.
    bool TickRanAt(std::uint32_t clock) {
        std::memset(game.display->backBuffer, 0, kScreenBytes);
        host.SetClock(clock);
        SendMessageW(game.mainWindow, WM_PAINT, 0, 0);
        return PresentedPixel(5, 5) == ScreenColour(337);
    }
};

TEST_F(GameTickTest, TheFirstPaintTicksAtOnceThenTheGateIsThirtyOneMsEvenAcrossTheWrap) {
    EXPECT_TRUE(TickRanAt(1000));
    EXPECT_FALSE(TickRanAt(1030)) << "30 ms is not enough";
    EXPECT_EQ(game.lastTickTime, 1000u) << "a refused paint changes no state";
    EXPECT_TRUE(TickRanAt(1031));
    EXPECT_TRUE(TickRanAt(900000));
    EXPECT_FALSE(TickRanAt(900000)) << "a long pause gives one tick, not the ticks it missed";

    game.lastTickTime = 0xFFFFFFF0u;
    EXPECT_FALSE(TickRanAt(0xFFFFFFFEu));
    EXPECT_FALSE(TickRanAt(0x0000000Eu));
    EXPECT_TRUE(TickRanAt(0x0000000Fu));
    EXPECT_EQ(game.lastTickTime, 0x0000000Fu);

    game.tickEnabled = false;
    EXPECT_FALSE(TickRanAt(5000)) << "nothing runs while the tick is disabled";
    EXPECT_EQ(game.lastTickTime, 0x0000000Fu);
}

class Portraits : public BrokenPathGame {
protected:
    void SetUp() override {
        BrokenPathGame::SetUp();
        game.portraitCountdown[0] = game.portraitCountdown[1] = 300;  // as at the start
    }
    // The frame of face `picture` shown at (x, y), -1 for none.
    int FaceFrame(int picture, int x, int y) const {
        for (int f = 0; f < 9; ++f) {
            if (ScreenPixel(x, y) == ScreenColour(picture, f)) return f;
        }
        return -1;
    }
    int HeroFrame() const { return FaceFrame(339, 30, 30); }
    int HeroineFrame() const { return FaceFrame(340, 209, 209); }
};

TEST_F(Portraits, TheFirstPopOutComesOnThe301stCallAndItsFirstFramesShowOneTickLonger) {
    Ticks(300);
    EXPECT_EQ(HeroFrame(), -1);
    // Growing 0 to 8, then shrinking 8 to 0; the first frame of each shows
    // four ticks, as the counters start at 3.
    std::vector<int> expected(4, 0);
    for (int f = 1; f < 9; ++f) expected.insert(expected.end(), 3, f);
    expected.insert(expected.end(), 4, 8);
    for (int f = 7; f >= 0; --f) expected.insert(expected.end(), 3, f);
    std::vector<int> hero, heroine;
    for (std::size_t tick = 0; tick < expected.size(); ++tick) {
        if (tick == 28) {
            // The growth ends: the pauses are drawn, the hero's first.
            const std::uint32_t seed = platform::CurrentStatus().randState;
            crt::srand(seed);
            const std::int32_t heroPause = 200 + RandomBelow(1200);
            const std::int32_t heroinePause = 200 + RandomBelow(1200);
            crt::srand(seed);
            Ticks(1);
            EXPECT_EQ(game.portraitCountdown[0], heroPause);
            EXPECT_EQ(game.portraitCountdown[1], heroinePause);
        } else {
            Ticks(1);
        }
        hero.push_back(HeroFrame());
        heroine.push_back(HeroineFrame());
    }
    EXPECT_EQ(hero, expected);
    EXPECT_EQ(heroine, expected);
    Ticks(1);
    EXPECT_FALSE(game.portraitShrinking[0]);
    EXPECT_EQ((std::vector{game.portraitGrowTicks[0], game.portraitShrinkTicks[0]}), (std::vector{2, 2}));
}

// The heroes walk the broken path's 22 moves once its last block has turned.
class Walk : public Portraits {
protected:
    // The route: along row 0 to column 10, down column 10, into (11, 11).
    static Point RoutePoint(int i) {
        return i <= 10 ? Point{20 * i + 10, 10} : i < 22 ? Point{210, 20 * (i - 10) + 10} : Point{230, 230};
    }
    // The walker's top-left corner is at (x, y), not a pixel further.
    bool WalkerAt(int x, int y, int picture, int frame) const {
        const std::uint16_t colour = ScreenColour(picture, frame);
        return ScreenPixel(x, y) == colour && (x == 0 || ScreenPixel(x - 1, y) != colour) &&
               (y == 0 || ScreenPixel(x, y - 1) != colour);
    }
};

TEST_F(Walk, TheyStartOnTheBloomsEighthTickAndMeetAfterTenMovesEach) {
    TapCellAt(5, 0);
    Ticks(10 + 7);  // the turn, then the bloom's first seven ticks
    EXPECT_FALSE(game.heroesWalking);
    for (int k = 0; k < 100; ++k) {
        SCOPED_TRACE(k);
        Ticks(1);
        ASSERT_EQ(game.heroesWalking, k < 99);
        const int move = k / 10;
        const int step = k % 10;
        // Frame 0 on the first four ticks, then three ticks a frame.
        const int frame = k < 4 ? 0 : ((k - 4) / 3 + 1) % 2;
        const Point a = RoutePoint(move), b = RoutePoint(move + 1);
        const int hx = std::clamp(a.x + (b.x - a.x) * step / 10 - 15, 0, 225);
        const int hy = std::clamp(a.y + (b.y - a.y) * step / 10 - 30, 0, 225);
        const Point c = RoutePoint(21 - move), d = RoutePoint(20 - move);
        EXPECT_TRUE(WalkerAt(hx, hy, 328, frame)) << "the hero walks right, clamped to the top row";
        EXPECT_TRUE(WalkerAt(c.x + (d.x - c.x) * step / 10 - 15, c.y + (d.y - c.y) * step / 10 - 30,
                             c.x == d.x ? 335 : 336, frame));
        EXPECT_EQ(ScreenPixel(235, 235), ScreenColour(342)) << "her corner is empty";
    }
    EXPECT_TRUE(game.levelCompleteRunning);
    EXPECT_EQ(game.levelCompleteFrame, 1) << "the heart opens in the tick of the meeting";
    EXPECT_TRUE(game.walkRestart);
    EXPECT_EQ(game.heroMove + game.walkStep + game.heroFrame + game.heroineFrame, 0);
    EXPECT_EQ(game.heroineMove, 11) << "she stands one cell past him";
}

TEST_F(Walk, InTheRightColumnTheHeroineStandsOnHerPointCutAtTheScreensEdge) {
    // Along row 0 to column 11, then down it: she sets out from (230, 210).
    for (int i = 0; i <= 22; ++i) game.route[i] = i <= 11 ? Point{20 * i + 10, 10} : Point{230, 20 * (i - 11) + 10};
    game.routeMoves = 22;
    game.bloomPhase = game.heroesWalking = true;
    Ticks(1);
    EXPECT_TRUE(WalkerAt(215, 180, 335, 0));
    EXPECT_EQ(ScreenPixel(239, 209), ScreenColour(335, 0)) << "drawn up to the edge";
    EXPECT_NE(ScreenPixel(0, 181), ScreenColour(335, 0)) << "nothing of her on the next row's start";
}

TEST_F(Walk, ARouteTooShortToWalkEndsTheWalkAtOnce) {
    game.routeMoves = 0;
    game.bloomPhase = game.heroesWalking = true;
    Ticks(1);
    EXPECT_FALSE(game.heroesWalking);
    EXPECT_TRUE(game.levelCompleteRunning);
}

}  // namespace
