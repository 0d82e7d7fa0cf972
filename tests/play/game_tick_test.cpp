#include <gtest/gtest.h>

#include <cstring>

#include "app/game_state.h"
#include "board/level_setup.h"
#include "gfx/display_device.h"
#include "play/game_tick.h"
#include "play/tick_phase.h"
#include "tests/board/game_fixture.h"

namespace board_test {
namespace {

class GameTickTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SetUpGameScreen();
        ClearBoard();
        game.tickEnabled = true;
    }

    // Paints at `clock` and tells whether a tick ran: it draws the board,
    // whose hero's home shows at the top left.
    bool TickRanAt(std::uint32_t clock) {
        std::memset(game.display->backBuffer, 0, kScreenBytes);
        host.SetClock(clock);
        GameTick();
        return ScreenPixel(5, 5) == As565(PictureColour(337));
    }
};

TEST_F(GameTickTest, TheFirstPaintTicksAtOnceThenTheGateIsThirtyOneMs) {
    ASSERT_EQ(game.lastTickTime, 0u);
    EXPECT_TRUE(TickRanAt(1000));
    EXPECT_EQ(game.lastTickTime, 1000u);
    EXPECT_FALSE(TickRanAt(1029));
    EXPECT_FALSE(TickRanAt(1030)) << "30 ms is not enough";
    EXPECT_EQ(game.lastTickTime, 1000u) << "a refused paint changes no state";
    EXPECT_TRUE(TickRanAt(1031));
    EXPECT_EQ(game.lastTickTime, 1031u);
}

TEST_F(GameTickTest, AClockThatWrapsKeepsTheRate) {
    game.lastTickTime = 0xFFFFFFF0u;
    EXPECT_FALSE(TickRanAt(0x0000000Eu));  // 30 ms later, across the wrap
    EXPECT_TRUE(TickRanAt(0x0000000Fu));   // 31 ms later
    EXPECT_EQ(game.lastTickTime, 0x0000000Fu);
}

TEST_F(GameTickTest, ALongPauseGivesOneTickAndIsNotMadeUp) {
    game.lastTickTime = 1000;
    EXPECT_TRUE(TickRanAt(600000));
    EXPECT_EQ(game.lastTickTime, 600000u);
    EXPECT_FALSE(TickRanAt(600010));
}

TEST_F(GameTickTest, NothingRunsWhileTheTickIsDisabled) {
    game.tickEnabled = false;
    EXPECT_FALSE(TickRanAt(5000));
    EXPECT_EQ(game.lastTickTime, 0u);
}

TEST(TickPhaseTest, EachPhaseRunsItsOwnSteps) {
    struct Case {
        const char* phase;
        bool intro, levelStart, bloom, walking, hearts;
        bool actors, held, bloomStep;
    };
    const Case cases[] = {
        {"play", false, false, false, false, false, true, true, false},
        {"intro", true, false, false, false, false, true, false, false},
        {"start of a next level", false, true, false, false, false, true, false, false},
        {"path finished", false, false, true, false, false, false, false, true},
        {"heroes walking", false, false, true, true, false, false, false, true},
        {"heroes met", false, false, true, false, true, false, false, true},
        {"walking without the bloom", false, false, false, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        game.introRunning = c.intro;
        game.levelStartRunning = c.levelStart;
        game.bloomPhase = c.bloom;
        game.heroesWalking = c.walking;
        game.levelCompleteRunning = c.hearts;
        const TickPhase phase = ReadTickPhase();
        EXPECT_EQ(phase.actors, c.actors) << c.phase;
        EXPECT_EQ(phase.heldSteps, c.held) << c.phase;
        EXPECT_EQ(phase.bloom, c.bloomStep) << c.phase;
    }
}

}  // namespace
}  // namespace board_test
