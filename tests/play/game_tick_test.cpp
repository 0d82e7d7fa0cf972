#include <gtest/gtest.h>

#include <cstring>

#include "gfx/display_device.h"
#include "play/tick_phase.h"
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

TEST(TickPhaseTest, EachPhaseRunsItsOwnSteps) {
    const struct {
        const char* phase;
        bool intro, levelStart, bloom, walking, hearts;
        bool actors, held, bloomStep;
    } cases[] = {
        {"play", false, false, false, false, false, true, true, false},
        {"intro", true, false, false, false, false, true, false, false},
        {"start of a next level", false, true, false, false, false, true, false, false},
        {"path finished", false, false, true, false, false, false, false, true},
        {"heroes walking", false, false, true, true, false, false, false, true},
        {"heroes met", false, false, true, false, true, false, false, true},
        {"walking without the bloom", false, false, false, true, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phase);
        game.introRunning = c.intro;
        game.levelStartRunning = c.levelStart;
        game.bloomPhase = c.bloom;
        game.heroesWalking = c.walking;
        game.levelCompleteRunning = c.hearts;
        const TickPhase phase = ReadTickPhase();
        EXPECT_EQ(phase.actors, c.actors);
        EXPECT_EQ(phase.heldSteps, c.held);
        EXPECT_EQ(phase.bloom, c.bloomStep);
    }
}

}  // namespace
