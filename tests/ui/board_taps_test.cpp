// Taps on the board: which taps reach a cell, what each kind of cell does
// with one, the score recounted after every tap; a block's quarter turn; and
// the hearts between two levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/path.h"
#include "board/random.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"
#include "ui/touch_dispatch.h"

namespace {

using namespace test_support;

using CellTaps = BrokenPathGame;

TEST_F(CellTaps, APressReleasedAnywhereElseIsNoTap) {
    game.score = 999;
    Down(5, 10);
    OnPenUp(-5, 10);  // straight into the dispatcher: -5 / 20 is 0, yet the pen left the board
    Down(110, 10);
    Up(121, 10);      // the next cell
    Down(110, 10);
    Down(70, 110);    // a pen-down whose release never came only drops the press
    Up(70, 110);
    EXPECT_FALSE(game.cellPressed || AnyCellTurning());
    EXPECT_EQ(game.cells[0].delay, 0) << "the hero is not poked";
    EXPECT_EQ(game.score, 999) << "no tap, so no recount";
}

TEST_F(CellTaps, ASecondTapRestartsTheTurnAndTheHomesAndStonesOnlyRecount) {
    TapCellAt(3, 5);
    Ticks(5);
    TapCellAt(3, 5);
    Ticks(10);
    EXPECT_EQ(KindAt(3, 5), Horizontal) << "11 ticks from the second tap";
    Ticks(1);
    EXPECT_EQ(KindAt(3, 5), Vertical) << "turned once";

    TapCellAt(0, 0);
    TapCellAt(11, 11);
    EXPECT_EQ(game.cells[0].delay + game.cells[kCellCount - 1].delay, 2) << "both poked";
    game.score = 999;
    TapCellAt(11, 0);
    EXPECT_EQ(game.score, kJoined);
    Ticks(12);
    EXPECT_TRUE(KindAt(0, 0) == RightDown && KindAt(11, 11) == LeftUp && KindAt(11, 0) == CornerStone);
}

// A flower's block that would complete the path leaves a vertical block in
// its place, or a horizontal one where the vertical would complete it; a
// creature's block never completes it either.
TEST_F(CellTaps, ABlockLeftByAnActorNeverCompletesThePath) {
    const struct { int x, y; std::int32_t drawn, left; } cases[] = {
        {5, 0, Horizontal, Vertical},  {10, 4, Vertical, Horizontal}, {10, 0, DownLeft, Vertical},
        {10, 11, UpRight, Vertical},   {5, 0, UpRight, UpRight},      // joins nothing: kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " drew " << c.drawn);
        LayBrokenPath();
        KindAt(5, 0) = Horizontal;
        PlaceActor(c.x, c.y, true);
        SeedFirstDraw(6, c.drawn - 1);
        TapCellAt(c.x, c.y);
        EXPECT_EQ(KindAt(c.x, c.y), c.left);
        EXPECT_FALSE(IsPathComplete() || game.bloomPhase);
    }
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        LayBrokenPath();
        PlaceActor(5, 0, false);
        crt::srand(seed);
        TapCellAt(5, 0);
        const std::int32_t kind = KindAt(5, 0);
        EXPECT_TRUE(kind >= Vertical && kind <= LeftUp && kind != Horizontal) << "seed " << seed << ": " << kind;
        EXPECT_FALSE(game.bloomPhase || std::any_of(game.kinds, game.kinds + kCellCount, [](auto k) { return k > 100; }));
    }
}

// Its targets are drawn column then row until they name a block away from
// the corners; with more than 76 bog cells it throws only one ball.
TEST_F(CellTaps, ACreatureAimsTwoBallsAtBlocksOrOneWhenTheBogIsWide) {
    for (const int bog : {77, 76}) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(::testing::Message() << bog << " bog cells, seed " << seed);
            MakeBog(bog);
            PlaceActor(3, 5, false);
            crt::srand(seed);
            Point expected[2] = {};
            for (Point& target : expected) {
                do {
                    target = {RandomBelow(12), RandomBelow(12)};
                } while (KindAt(target.x, target.y) != Horizontal);
                if (bog > 76) break;
            }
            crt::srand(seed);
            TapCellAt(3, 5);
            const Cell& c = game.cells[CellIndex(3, 5)];
            EXPECT_EQ(c.nextAnim, FrogCurl);
            EXPECT_EQ(std::vector({c.ball1X, c.ball1Y, c.ball2X, c.ball2Y}),
                      std::vector({expected[0].x, expected[0].y, expected[1].x, expected[1].y}));
        }
    }
}

TEST_F(CellTaps, ACreatureWithNoBlockToAimAtStaysWhereItIs) {
    for (int i = 0; i < kCellCount; ++i) {
        if (game.kinds[i] != CornerStone && i != 0 && i != kCellCount - 1) PlaceActor(i / 12, i % 12, false);
    }
    TapCellAt(3, 5);
    EXPECT_EQ(game.cells[CellIndex(3, 5)].nextAnim, FrogRise);
    EXPECT_EQ(game.score, 2) << "only the two homes";
}

TEST_F(CellTaps, NoTapCountsFromTheWinToTheNextLevel) {
    PlaceActor(3, 5, false);
    for (bool* phase : {&game.bloomPhase, &game.heroesWalking, &game.levelCompleteRunning}) {
        game.bloomPhase = game.heroesWalking = game.levelCompleteRunning = false;
        *phase = true;
        game.score = 999;
        TapCellAt(3, 0);
        TapCellAt(3, 5);
        EXPECT_FALSE(AnyCellTurning() || KindAt(3, 5) != Bog || game.score != 999);
    }
}

using TurningBlocks = BrokenPathGame;

// Each kind turns a quarter turn clockwise through its own strip (305 + kind):
// frame 0 on three ticks, frames 1 to 4 on two each.
TEST_F(TurningBlocks, ATurnShowsItsFiveFramesOverElevenTicksThenTheNextKind) {
    const std::int32_t next[] = {0, Horizontal, Vertical, RightDown, DownLeft, LeftUp, UpRight};
    const int blockPicture[] = {0, 185, 186, 187, 188, 189, 265};
    const int frames[11] = {0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4};
    for (std::int32_t kind = Vertical; kind <= LeftUp; ++kind) {
        SCOPED_TRACE(kind);
        KindAt(3, 5) = kind;
        TapCellAt(3, 5);
        for (int tick = 0; tick < 11; ++tick) {
            ASSERT_EQ(KindAt(3, 5), kind);
            Ticks(1);
            EXPECT_EQ(CellPixel(3, 5), ScreenColour(305 + kind, frames[tick])) << tick + 1;
        }
        EXPECT_EQ(KindAt(3, 5), next[kind]);
        EXPECT_FALSE(game.cells[CellIndex(3, 5)].turning);
        Ticks(1);
        EXPECT_EQ(CellPixel(3, 5), ScreenColour(blockPicture[next[kind]])) << "the block of its new kind";
    }
}

// The turn that completes the path banks the score of the latest tap (the
// board as it was before the turn) plus 50 and lights the path; blocks still
// turning stop where they are.
TEST_F(TurningBlocks, BlocksStillTurningWhenThePathCompletesStopWhereTheyAre) {
    KindAt(3, 5) = UpRight;  // off the path
    game.bankedScore = 100;
    TapCellAt(5, 0);
    EXPECT_EQ(game.score, 100 + kJoined);
    game.bankedScore = 0;
    Ticks(3);
    TapCellAt(7, 0);  // on the path, already as the path needs it
    TapCellAt(3, 5);
    Ticks(8);
    ASSERT_TRUE(game.bloomPhase);
    EXPECT_EQ(game.bankedScore, kJoined + 50);
    EXPECT_FALSE(AnyCellTurning());
    EXPECT_EQ(KindAt(7, 0), Horizontal + kLitOffset);
    Ticks(1);
    EXPECT_EQ(CellPixel(7, 0), ScreenColour(316)) << "no turning frame over the lit path";
    Ticks(11);
    EXPECT_EQ(KindAt(7, 0), Horizontal + kLitOffset) << "a lit block never turns";
}

TEST_F(TurningBlocks, ATurnWhoseBlockIsGoneStopsWithoutDrawing) {
    TapCellAt(3, 5);
    Ticks(4);
    const std::uint16_t shown = CellPixel(3, 5);
    KindAt(3, 5) = Bog;  // a ball lands: the block becomes bog while it turns
    Ticks(1);
    EXPECT_FALSE(game.cells[CellIndex(3, 5)].turning);
    EXPECT_EQ(KindAt(3, 5), Bog);
    EXPECT_EQ(CellPixel(3, 5), shown);
}

class Hearts : public BrokenPathGame {
protected:
    // From the tap that completes the path to the tick before the meeting.
    void WalkToTheMeeting() {
        for (Cell& cell : game.cells) cell = Cell{};
        LayBrokenPath();
        TapCellAt(5, 0);
        Ticks(10 + 7 + 99);
        ASSERT_TRUE(game.heroesWalking);
    }
    // The mask frame the heart shows: the lovers (351) reach up to its edge.
    int HeartFrame(int row = 90) const {
        for (int f = 14; f >= 0; --f) {
            if (ScreenPixel(20 + HeartMaskEdge(f) - 1, row) == ScreenColour(351)) return f;
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
    EXPECT_TRUE(game.modalShown && game.nextLevelRequested);
    EXPECT_FALSE(game.tickEnabled || game.bloomPhase);

    Tap(161, 200);
    EXPECT_TRUE(game.modalShown) << "just left of OK";
    Tap(162, 200);
    EXPECT_FALSE(game.modalShown);
    EXPECT_EQ(game.level, 2);
    EXPECT_EQ(game.score, 122) << "the score waits for the next tap";
    EXPECT_EQ(ScreenPixel(163, 278), ScreenColour(170, 2)) << "the level field shows 2";
    EXPECT_TRUE(game.levelStartRunning && game.tickEnabled && game.gamePlaying);
    EXPECT_EQ(RunHeart(game.levelStartRunning).size(), 29u) << "the closing heart's first run";

    // The next win: both hearts take 30 ticks from now on.
    WalkToTheMeeting();
    EXPECT_EQ(RunHeart(game.levelCompleteRunning), Opening(false));
    Tap(190, 210);
    EXPECT_EQ(RunHeart(game.levelStartRunning).size(), 30u);
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
