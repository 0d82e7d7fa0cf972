// The hearts between two levels: the opening heart after the meeting, the
// bonus and the "Start new level" panel, the next level under the closing
// heart; and a page opened while a heart runs.
#include <gtest/gtest.h>

#include <vector>

#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kLovers = 351;

class Hearts : public BrokenPathGame {
protected:
    void SetUp() override {
        BrokenPathGame::SetUp();
        game.stoneTimer = 100000;
        game.portraitCountdown[0] = game.portraitCountdown[1] = 100000;
    }
    // From the tap that completes the path to the tick before the meeting.
    void WalkToTheMeeting() {
        LayBrokenPath();
        TapCellAt(5, 0);
        Ticks(10 + 7 + 99);
        ASSERT_TRUE(game.heroesWalking);
    }
    // The mask frame the heart shows: the lovers reach up to its edge.
    int HeartFrame(int row = 90) const {
        for (int f = 14; f >= 0; --f) {
            if (ScreenPixel(20 + HeartMaskEdge(f) - 1, row) == ScreenColour(kLovers)) return f;
        }
        return -1;
    }
    // Ticks until `running` clears, with the heart's frame after each.
    std::vector<int> RunHeart(const bool& running) {
        std::vector<int> frames;
        do {
            Ticks(1);
            frames.push_back(HeartFrame());
        } while (running && frames.size() < 40);
        return frames;
    }
    static std::vector<int> Opening(bool firstRun) {
        std::vector<int> frames(firstRun ? 1 : 2, 0);
        for (int f = 1; f < 15; ++f) frames.insert(frames.end(), 2, f);
        return frames;
    }
};

TEST_F(Hearts, TheHeartOpensBanksTheBonusAndOffersTheNextLevelUnderAClosingHeart) {
    WalkToTheMeeting();
    game.score = 122;
    EXPECT_EQ(RunHeart(game.levelCompleteRunning), Opening(true)) << "29 ticks on the first run";
    EXPECT_EQ(game.bankedScore, 172);
    EXPECT_EQ(game.score, 122);
    EXPECT_TRUE(game.modalShown && game.nextLevelRequested);
    EXPECT_FALSE(game.tickEnabled || game.bloomPhase);
    EXPECT_EQ(game.yesRect.left, 162);
    EXPECT_EQ(game.yesRect.bottom, 221);

    Tap(162, 200);
    EXPECT_FALSE(game.modalShown);
    EXPECT_EQ(game.level, 2);
    EXPECT_TRUE(game.levelStartRunning && game.tickEnabled && game.gamePlaying);

    int closing = 0;
    while (game.levelStartRunning && closing < 40) {
        Ticks(1);
        ++closing;
    }
    EXPECT_EQ(closing, 29) << "the closing heart's first run";

    // The next win: both hearts take 30 ticks from now on.
    for (Cell& cell : game.cells) cell = Cell{};
    WalkToTheMeeting();
    EXPECT_EQ(RunHeart(game.levelCompleteRunning), Opening(false));
    Tap(190, 210);
    closing = 0;
    while (game.levelStartRunning && closing < 40) {
        Ticks(1);
        ++closing;
    }
    EXPECT_EQ(closing, 30);
}

TEST_F(Hearts, AHelpPageOpenedDuringTheHeartLeavesItsMasksWhole) {
    WalkToTheMeeting();
    Ticks(1);
    ASSERT_EQ(HeartFrame(), 0);
    Tap(30, 253);    // Help decodes its page into the buffer the masks live in
    Tap(200, 230);   // and closes
    Ticks(1);
    EXPECT_EQ(HeartFrame(170), 1) << "the lowest rows of mask 1, where the page was decoded";
    EXPECT_EQ(HeartFrame(10), 1);
}

}  // namespace
