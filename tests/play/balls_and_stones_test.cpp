// Frog balls from a curled creature and from the waking corner stones: their
// flight, their landing, and when the stones wake.
#include <gtest/gtest.h>

#include "board/random.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kBall = 305;

class Balls : public BrokenPathGame {
protected:
    void SetUp() override {
        BrokenPathGame::SetUp();
        game.portraitCountdown[0] = game.portraitCountdown[1] = 100000;
        game.stoneTimer = 100000;
    }
    static Cell& At(int x, int y) { return game.cells[CellIndex(x, y)]; }
    // Tap a frog at (3, 5); its balls go where the test says.
    void ThrowFromCreature(Point first, Point second) {
        PlaceActor(3, 5, false);
        TapCellAt(3, 5);
        At(3, 5).ball1X = first.x;
        At(3, 5).ball1Y = first.y;
        At(3, 5).ball2X = second.x;
        At(3, 5).ball2Y = second.y;
    }
    bool BallAt(int x, int y, int frame) const { return ScreenPixel(x, y) == ScreenColour(kBall, frame); }
};

TEST_F(Balls, ACurledFrogHidesItsBlockThenThrowsTwoBallsThatRollStraightAndLandTogether) {
    ThrowFromCreature({3, 9}, {1, 4});
    // The curl: frame 0 once, then three ticks a frame, over the bog tile.
    for (int tick = 1; tick <= 58; ++tick) {
        Ticks(1);
        ASSERT_EQ(ScreenPixel(70, 110), ScreenColour(304, tick == 1 ? 0 : (tick + 1) / 3)) << tick;
    }
    EXPECT_FALSE(At(3, 5).rolling);
    Ticks(1);
    const Cell& c = At(3, 5);
    ASSERT_TRUE(c.rolling);
    EXPECT_FALSE(c.active);
    EXPECT_EQ(c.lastAnim, FrogCurl);
    EXPECT_EQ(c.originX * 100 + c.originY, 305);
    EXPECT_EQ(c.ball1Steps, 20) << "five ticks a cell along the rows and columns";
    EXPECT_EQ(c.ball2Steps, 15);
    EXPECT_TRUE(BallAt(70, 110, 0)) << "the second ball, drawn last, at the start cell in the curl's last tick";

    // Step 1: down 4 pixels; up-left (-40, -20) / 15 truncated toward zero.
    Ticks(1);
    EXPECT_TRUE(BallAt(60, 123, 9));
    EXPECT_FALSE(BallAt(60, 103, 9));
    EXPECT_TRUE(BallAt(58, 99, 1));
    EXPECT_FALSE(BallAt(57, 99, 1));
    EXPECT_FALSE(BallAt(58, 98, 1));

    // The nearer target falls at step 15, and its frog is held at its first
    // frame until the other ball lands at step 20.
    Ticks(12);
    EXPECT_EQ(game.kinds[CellIndex(1, 4)], Horizontal);
    Ticks(1);
    EXPECT_EQ(game.kinds[CellIndex(1, 4)], Bog);
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(game.kinds[CellIndex(3, 9)], Horizontal);
        Ticks(1);
        EXPECT_EQ(At(1, 4).frame, 0);
        EXPECT_EQ(At(1, 4).nextAnim, FrogRise);
    }
    EXPECT_EQ(game.kinds[CellIndex(3, 9)], Bog);
    EXPECT_FALSE(c.rolling);
    EXPECT_EQ(c.ball1Step + c.ball2Step, 0) << "the record is free again";
    Ticks(1);
    EXPECT_EQ(At(1, 4).frame, 1) << "now both frogs rise";
    EXPECT_EQ(At(3, 9).frame, 1);
}

TEST_F(Balls, TwoBallsOnOneTargetLandInTheSameTick) {
    ThrowFromCreature({6, 5}, {6, 5});
    Ticks(59 + 13);
    EXPECT_TRUE(At(3, 5).rolling);
    Ticks(1);
    EXPECT_FALSE(At(3, 5).rolling);
    EXPECT_EQ(game.kinds[CellIndex(6, 5)], Bog);
    EXPECT_TRUE(At(6, 5).active);
}

TEST_F(Balls, ABallAimedOffTheBoardIsDroppedWithoutLanding) {
    At(4, 4).rolling = true;
    At(4, 4).originX = 4;
    At(4, 4).originY = 4;
    At(4, 4).ball1X = 12;
    At(4, 4).ball1Y = 4;
    Ticks(1);
    EXPECT_FALSE(At(4, 4).rolling);
    EXPECT_FALSE(At(4, 4).ballSetUp);
}

using CornerStones = Balls;

TEST_F(CornerStones, TheStonesSleepWhile106CellsAreBog) {
    game.stoneTimer = 50;
    MakeBog(106);
    Ticks(10);
    EXPECT_EQ(game.stoneTimer, 50);
    MakeBog(105);
    Ticks(10);
    EXPECT_EQ(game.stoneTimer, 40) << "the timer goes on from where it stood";
}

TEST_F(CornerStones, AStoneWakesOnThe301stCallSwellsAndThrowsOneBallAtABlock) {
    game.stoneTimer = 300;  // as at process start
    game.level = 7;
    Ticks(300);
    EXPECT_EQ(game.stoneTimer, 0);
    EXPECT_FALSE(game.stoneActive[0] || game.stoneActive[1]);
    const std::uint32_t seed = platform::CurrentStatus().randState;
    crt::srand(seed);
    const int side = RandomBelow(2);
    const std::int32_t timer = 200 + RandomBelow(2400) / 7;
    crt::srand(seed);
    Ticks(1);
    ASSERT_TRUE(game.stoneActive[side]);
    EXPECT_EQ(game.stoneTimer, timer);
    // Frame 0 on three ticks, the other eleven on two each.
    const int stonePicture = side == 0 ? 347 : 348;
    const int left = side == 0 ? 200 : 0;
    const int top = side == 0 ? 0 : 200;
    for (int call = 1; call <= 25; ++call) {
        if (call > 1) Ticks(1);
        ASSERT_EQ(ScreenPixel(left + 20, top + 20), ScreenColour(stonePicture, call <= 3 ? 0 : (call - 2) / 2)) << call;
    }
    const std::uint32_t beforeThrow = platform::CurrentStatus().randState;
    Ticks(1);
    EXPECT_FALSE(game.stoneActive[side]);
    const Cell& stone = game.cells[side == 0 ? CellIndex(11, 0) : CellIndex(0, 11)];
    EXPECT_TRUE(stone.rolling);
    EXPECT_EQ(stone.lastAnim, FrogCurl);
    EXPECT_EQ(stone.ball2X + stone.ball2Y, 0);
    crt::srand(beforeThrow);
    const int tx = RandomBelow(12);
    const int ty = RandomBelow(12);
    const bool cornerDrawn = (tx == 0 || tx == 11) && (ty == 0 || ty == 11);
    if (!cornerDrawn) {
        EXPECT_EQ(stone.ball1X * 100 + stone.ball1Y, tx * 100 + ty);
    }
    EXPECT_FALSE((stone.ball1X == 0 || stone.ball1X == 11) && (stone.ball1Y == 0 || stone.ball1Y == 11));
}

}  // namespace
