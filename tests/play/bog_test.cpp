// The bog during play and the meadow after a win: strip timing, what follows
// each animation and its random draws, the bloom's timeline; frog balls from
// a curled creature and from the waking corner stones.
#include <gtest/gtest.h>

#include <vector>

#include "board/random.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kX = 3;
constexpr int kY = 5;

// One actor at (3, 5) and nothing else alive, so that no other draw interferes.
class LivingBog : public BrokenPathGame {
protected:
    static Cell& At(int x, int y) { return game.cells[CellIndex(x, y)]; }
    static Cell& Actor() { return At(kX, kY); }
    void StartActor(std::int32_t anim, std::int32_t frameTicks) {
        PlaceActor(kX, kY, false);
        Actor().nextAnim = anim;
        Actor().frameTicks = frameTicks;
    }
    // The frame of `picture` the actor's cell shows, -1 for none.
    int ShownFrame(int picture, int frames) const {
        for (int f = 0; f < frames; ++f) {
            if (CellPixel(kX, kY) == ScreenColour(picture, f)) return f;
        }
        return -1;
    }
};

// The frames shown tick by tick until the strip reports its end, which draws
// nothing: the frame of the tick before stays. The first frame shows one
// tick more for what the last strip left in the counter; the doze does not
// count its ticks down, it shows each frame once.
TEST_F(LivingBog, AStripsFirstFrameLastsOneTickMoreForWhatTheLastOneLeft) {
    const struct { std::int32_t anim; int picture, frames, ticksPerFrame, frameTicksAtStart; } cases[] = {
        {FlowerOpen, 300, 13, 2, 1},  // after a strip of two ticks a frame
        {MoundRise, 314, 13, 2, 0},   // at a new level or where a ball landed
        {FrogDoze, 312, 7, 1, 0},     // the doze and the wake step every tick
        {FrogDoze, 312, 7, 1, 1},
        {FlowerFly, 345, 10, 2, 2},   // as a tapped flower starts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        StartActor(c.anim, c.frameTicksAtStart);
        std::vector<int> expected(1 + (c.ticksPerFrame == 1 ? 0 : c.frameTicksAtStart), 0);
        for (int f = 1; f < c.frames; ++f) expected.insert(expected.end(), c.ticksPerFrame, f);
        expected.push_back(c.frames - 1);
        Actor().lastAnim = -1;
        std::vector<int> shown;
        while (Actor().lastAnim != c.anim && shown.size() < 100) {
            Ticks(1);
            shown.push_back(ShownFrame(c.picture, c.frames));
        }
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(LivingBog, EachAnimationHandsOverWithItsDrawsInOrder) {
    const struct {
        std::int32_t finished, next, last;
        int wait;  // RandomBelow of this, 0 for none, -1 for the choice of a new actor
    } cases[] = {
        {FlowerOpen, FlowerClose, FlowerOpen, 100},   {FrogRise, FrogDoze, FrogRise, 100},
        {FrogDoze, FrogWake, FrogDoze, 0},            {FrogWake, FrogSink, FrogRise, 100},
        {MushroomGrow, MushroomShrink, MushroomGrow, 200}, {FrogSink, -1, FrogSink, -1},
        {MoundRise, -1, MoundRise, -1},               {MushroomShrink, -1, MushroomShrink, -1},
    };
    for (const auto& c : cases) {
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            SCOPED_TRACE(testing::Message() << c.finished << " seed " << seed);
            StartActor(c.finished, 0);
            Actor().frame = 50;  // past its last frame: it ends on the next tick
            crt::srand(seed);
            std::int32_t delay = c.wait > 0 ? RandomBelow(c.wait) : 0;
            std::int32_t next = c.next;
            if (c.wait < 0) {
                constexpr std::int32_t kCreatures[3] = {FrogRise, MoundRise, MushroomGrow};
                delay = RandomBelow(200);
                next = RandomBelow(20) == 3 ? FlowerOpen : kCreatures[RandomBelow(3)];
            }
            const int following = crt::rand();
            crt::srand(seed);
            Ticks(1);
            EXPECT_EQ((std::vector{Actor().nextAnim, Actor().lastAnim, Actor().delay, Actor().frame}),
                      (std::vector{next, c.last, delay, 0}));
            EXPECT_EQ(crt::rand(), following) << "no other draw";
        }
    }
}

TEST_F(LivingBog, AClosingFlowerComesBackMoreOftenTheHigherTheLevel) {
    const struct { std::int32_t level, odds; } cases[] = {{1, 20}, {3, 19}, {4, 18}, {29, 6}, {30, 5}, {100, 5}};
    for (const auto& c : cases) {
        game.level = c.level;
        int flowersSeen = 0;
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            StartActor(FlowerClose, 0);
            Actor().frame = 13;
            crt::srand(seed);
            RandomBelow(200);
            const bool flower = RandomBelow(c.odds) == 3;
            crt::srand(seed);
            Ticks(1);
            ASSERT_EQ(Actor().nextAnim == FlowerOpen, flower) << "level " << c.level << " seed " << seed;
            flowersSeen += flower ? 1 : 0;
        }
        EXPECT_GT(flowersSeen, 0);
    }
}

TEST_F(LivingBog, AWaitShowsTheLastFrameAndAWaitOfZeroStartsTheNextAtOnce) {
    StartActor(MushroomShrink, 0);
    Actor().lastAnim = MoundRise;
    Actor().delay = 2;
    Ticks(1);
    EXPECT_EQ(ShownFrame(314, 13), 12) << "the pool";
    Ticks(1);
    EXPECT_EQ(Actor().delay, 0);
    Ticks(1);
    EXPECT_EQ(ShownFrame(344, 13), 0) << "the toadstool shrinks on the very next tick";
}

// The meadow after the completing turn of the broken path's last block.
class Meadow : public LivingBog {
protected:
    void CompleteThePath() {
        TapCellAt(5, 0);
        Ticks(10);
        ASSERT_FALSE(game.bloomPhase);
    }
};

TEST_F(Meadow, BushesGrowOnTheTickOfTheWinAndFinishTogetherOnTheEighth) {
    StartActor(FrogRise, 0);
    Cell& thrower = At(8, 8);  // its ball in flight is forgotten
    thrower.rolling = true;
    thrower.originX = thrower.originY = thrower.ball1X = 8;
    thrower.ball1Y = 2;
    CompleteThePath();
    // Tick 1 is the tick of the win: frames 0, 2, 3, 5, 6, 8, 9, then the last.
    const int frames[8] = {0, 2, 3, 5, 6, 8, 9, 10};
    for (int tick = 0; tick < 7; ++tick) {
        Ticks(1);
        EXPECT_TRUE(game.bloomPhase && !game.bloomStart && !game.heroesWalking) << tick + 1;
        EXPECT_EQ(ShownFrame(321, 11), frames[tick]) << tick + 1;
    }
    EXPECT_FALSE(At(8, 8).rolling);
    const std::uint32_t seedBefore = platform::CurrentStatus().randState;
    Ticks(1);
    EXPECT_EQ(ShownFrame(321, 11), 10);
    EXPECT_TRUE(game.heroesWalking) << "the first finished bush sets the heroes walking";
    // Every off-path cell, in index order: the wait, then the flower.
    crt::srand(seedBefore);
    for (int i = 0; i < kCellCount; ++i) {
        if (game.kinds[i] != Bog) continue;
        const std::int32_t delay = RandomBelow(200);
        const std::int32_t flower = 322 + RandomBelow(5);
        const Cell& c = game.cells[i];
        ASSERT_EQ((std::vector{c.delay, c.bloomImage, c.nextAnim, c.lastAnim}),
                  (std::vector{delay, flower, std::int32_t{Bloom}, std::int32_t{BushGrow}})) << i;
    }
}

TEST_F(Meadow, AFlowerOpensFastThenStaysOpenFor40000Ticks) {
    CompleteThePath();
    Ticks(8);
    Actor().delay = 0;
    Actor().bloomImage = 324;
    // Left at 1 by the bush: frames 0, 1, 3, 4, 6, then the last alone.
    for (const int frame : {0, 1, 3, 4, 6, 6}) {
        Ticks(1);
        EXPECT_EQ(ShownFrame(324, 7), frame);
    }
    EXPECT_EQ(Actor().delay, 40000);
    EXPECT_EQ(Actor().lastAnim, Bloom);
    Ticks(1);
    EXPECT_EQ(ShownFrame(324, 7), 6) << "the open flower while it waits";
}

class Balls : public LivingBog {
protected:
    // Tap a frog at (3, 5); its balls go where the test says.
    void ThrowFromCreature(Point first, Point second) {
        PlaceActor(3, 5, false);
        TapCellAt(3, 5);
        At(3, 5).ball1X = first.x;
        At(3, 5).ball1Y = first.y;
        At(3, 5).ball2X = second.x;
        At(3, 5).ball2Y = second.y;
    }
    bool BallAt(int x, int y, int frame) const { return ScreenPixel(x, y) == ScreenColour(305, frame); }
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
    EXPECT_TRUE(BallAt(60, 123, 9) && !BallAt(60, 103, 9));
    EXPECT_TRUE(BallAt(58, 99, 1) && !BallAt(57, 99, 1) && !BallAt(58, 98, 1));

    // The nearer target falls at step 15, and its frog is held at its first
    // frame until the other ball lands at step 20.
    Ticks(12);
    EXPECT_EQ(KindAt(1, 4), Horizontal);
    Ticks(1);
    EXPECT_EQ(KindAt(1, 4), Bog);
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(KindAt(3, 9), Horizontal);
        Ticks(1);
        EXPECT_TRUE(At(1, 4).frame == 0 && At(1, 4).nextAnim == FrogRise);
    }
    EXPECT_EQ(KindAt(3, 9), Bog);
    EXPECT_FALSE(c.rolling);
    EXPECT_EQ(c.ball1Step + c.ball2Step, 0) << "the record is free again";
    Ticks(1);
    EXPECT_TRUE(At(1, 4).frame == 1 && At(3, 9).frame == 1) << "now both frogs rise";
}

TEST_F(Balls, ABallAimedOffTheBoardIsDroppedWithoutLanding) {
    Cell& offBoard = At(4, 4);
    offBoard.rolling = true;
    offBoard.originX = offBoard.originY = offBoard.ball1Y = 4;
    offBoard.ball1X = 12;
    Ticks(1);
    EXPECT_FALSE(offBoard.rolling || offBoard.ballSetUp);
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
    // Frame 0 on three ticks, the other eleven on two each, the strip's top
    // left at (200, 0) or (0, 200).
    for (int call = 1; call <= 25; ++call) {
        if (call > 1) Ticks(1);
        ASSERT_EQ(ScreenPixel(side == 0 ? 220 : 20, side == 0 ? 20 : 220),
                  ScreenColour(347 + side, call <= 3 ? 0 : (call - 2) / 2)) << call;
    }
    const std::uint32_t beforeThrow = platform::CurrentStatus().randState;
    Ticks(1);
    EXPECT_FALSE(game.stoneActive[side]);
    const Cell& stone = game.cells[side == 0 ? CellIndex(11, 0) : CellIndex(0, 11)];
    EXPECT_TRUE(stone.rolling && stone.lastAnim == FrogCurl && stone.ball2X + stone.ball2Y == 0);
    crt::srand(beforeThrow);
    const int tx = RandomBelow(12);
    const int ty = RandomBelow(12);
    if ((tx != 0 && tx != 11) || (ty != 0 && ty != 11)) {
        EXPECT_EQ(stone.ball1X * 100 + stone.ball1Y, tx * 100 + ty);
    }
    EXPECT_FALSE((stone.ball1X == 0 || stone.ball1X == 11) && (stone.ball1Y == 0 || stone.ball1Y == 11));
}

}  // namespace
