// The bog during play and the meadow after a win: strip timing, what follows
// each animation and its random draws, and the bloom's timeline.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/random.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kX = 3;
constexpr int kY = 5;

// A game past its intro with one actor at (3, 5) and nothing else alive: the
// portraits and the stones are put to sleep so that no other draw interferes.
class LivingBog : public BrokenPathGame {
protected:
    void SetUp() override {
        BrokenPathGame::SetUp();
        game.portraitCountdown[0] = game.portraitCountdown[1] = 100000;
        game.stoneTimer = 100000;
    }
    static Cell& Actor() { return game.cells[CellIndex(kX, kY)]; }
    void StartActor(std::int32_t anim, std::int32_t frameTicks) {
        PlaceActor(kX, kY, false);
        Actor().nextAnim = anim;
        Actor().frameTicks = frameTicks;
    }
    // The frame of `picture` the actor's cell shows, -1 for none.
    int ShownFrame(int picture, int frames) const {
        for (int f = 0; f < frames; ++f) {
            if (ScreenPixel(kX * 20 + 10, kY * 20 + 10) == ScreenColour(picture, f)) return f;
        }
        return -1;
    }
};

// The frames shown tick by tick until the strip reports its end, which draws
// nothing: the frame of the tick before stays.
std::vector<int> ExpectedFrames(int frames, int ticksPerFrame, int frameTicksAtStart) {
    std::vector<int> shown(static_cast<std::size_t>(1 + frameTicksAtStart), 0);
    for (int f = 1; f < frames; ++f) shown.insert(shown.end(), static_cast<std::size_t>(ticksPerFrame), f);
    shown.push_back(frames - 1);
    return shown;
}

TEST_F(LivingBog, AStripsFirstFrameLastsOneTickMoreForWhatTheLastOneLeft) {
    const struct {
        std::int32_t anim;
        int picture, frames, ticksPerFrame, frameTicksAtStart;
    } cases[] = {
        {FlowerOpen, 300, 13, 2, 1},  // after a strip of two ticks a frame
        {MoundRise, 314, 13, 2, 0},   // at a new level or where a ball landed
        {FrogDoze, 312, 7, 1, 0},     // the doze and the wake step every tick
        {FrogDoze, 312, 7, 1, 1},
        {FlowerFly, 345, 10, 2, 2},   // as a tapped flower starts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        StartActor(c.anim, c.frameTicksAtStart);
        // The doze does not count its ticks down: it shows each frame once.
        const int firstExtra = c.ticksPerFrame == 1 ? 0 : c.frameTicksAtStart;
        const std::vector<int> expected = ExpectedFrames(c.frames, c.ticksPerFrame, firstExtra);
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
            EXPECT_EQ(Actor().nextAnim, next);
            EXPECT_EQ(Actor().lastAnim, c.last);
            EXPECT_EQ(Actor().delay, delay);
            EXPECT_EQ(Actor().frame, 0);
            EXPECT_EQ(crt::rand(), following) << "no other draw";
        }
    }
}

TEST_F(LivingBog, AClosingFlowerComesBackMoreOftenTheHigherTheLevel) {
    const struct {
        std::int32_t level, odds;
    } cases[] = {{1, 20}, {2, 19}, {3, 19}, {4, 18}, {29, 6}, {30, 5}, {100, 5}};
    for (const auto& c : cases) {
        game.level = c.level;
        int flowersSeen = 0;
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            SCOPED_TRACE(testing::Message() << "level " << c.level << " seed " << seed);
            StartActor(FlowerClose, 0);
            Actor().frame = 13;
            crt::srand(seed);
            RandomBelow(200);
            const bool flower = RandomBelow(c.odds) == 3;
            crt::srand(seed);
            Ticks(1);
            ASSERT_EQ(Actor().nextAnim == FlowerOpen, flower);
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

TEST_F(LivingBog, CodesWithoutAPlayStripStayFrozenAndUndrawn) {
    for (const std::int32_t anim : {std::int32_t{BushGrow}, 7, std::int32_t{Bloom}, 14, -1}) {
        SCOPED_TRACE(anim);
        StartActor(anim, 0);
        Ticks(1);
        const std::uint16_t before = ScreenPixel(kX * 20 + 10, kY * 20 + 10);
        Ticks(3);
        EXPECT_EQ(Actor().frame, 0);
        EXPECT_EQ(Actor().frameTicks, 0);
        EXPECT_EQ(ScreenPixel(kX * 20 + 10, kY * 20 + 10), before);
    }
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
    Cell& thrower = game.cells[CellIndex(8, 8)];  // its ball in flight is forgotten
    thrower.rolling = true;
    thrower.originX = thrower.originY = thrower.ball1X = 8;
    thrower.ball1Y = 2;
    CompleteThePath();
    // Tick 1 is the tick of the win: frames 0, 2, 3, 5, 6, 8, 9, then the last.
    const int frames[8] = {0, 2, 3, 5, 6, 8, 9, 10};
    for (int tick = 0; tick < 7; ++tick) {
        SCOPED_TRACE(tick + 1);
        Ticks(1);
        EXPECT_TRUE(game.bloomPhase);
        EXPECT_FALSE(game.bloomStart);
        EXPECT_EQ(ShownFrame(321, 11), frames[tick]);
        EXPECT_FALSE(game.heroesWalking);
    }
    EXPECT_FALSE(game.cells[CellIndex(8, 8)].rolling);
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
        ASSERT_EQ(game.cells[i].delay, delay) << i;
        ASSERT_EQ(game.cells[i].bloomImage, flower) << i;
        ASSERT_EQ(game.cells[i].nextAnim, Bloom);
        ASSERT_EQ(game.cells[i].lastAnim, BushGrow);
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

}  // namespace
