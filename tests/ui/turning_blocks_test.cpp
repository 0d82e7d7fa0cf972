// A tapped block's quarter turn over eleven ticks, and the turns cut short.
#include <gtest/gtest.h>

#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kFirstTurningStrip = 305;  // + kind

class TurningBlocks : public BrokenPathGame {
protected:
    std::uint16_t CellPixel(int x, int y) const { return ScreenPixel(x * 20 + 10, y * 20 + 10); }
};

// Each kind turns a quarter turn clockwise through its own strip.
TEST_F(TurningBlocks, ATurnShowsItsFiveFramesOverElevenTicksThenTheNextKind) {
    const std::int32_t next[] = {0, Horizontal, Vertical, RightDown, DownLeft, LeftUp, UpRight};
    const int blockPicture[] = {0, 185, 186, 187, 188, 189, 265};
    for (std::int32_t kind = Vertical; kind <= LeftUp; ++kind) {
        SCOPED_TRACE(kind);
        game.kinds[CellIndex(3, 5)] = kind;
        TapCellAt(3, 5);
        // Frame 0 on three ticks, frames 1 to 4 on two each.
        const int frames[11] = {0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4};
        for (int tick = 0; tick < 11; ++tick) {
            ASSERT_EQ(game.kinds[CellIndex(3, 5)], kind);
            Ticks(1);
            EXPECT_EQ(CellPixel(3, 5), ScreenColour(kFirstTurningStrip + kind, frames[tick])) << tick + 1;
        }
        EXPECT_EQ(game.kinds[CellIndex(3, 5)], next[kind]);
        EXPECT_FALSE(game.cells[CellIndex(3, 5)].turning);
        Ticks(1);
        EXPECT_EQ(CellPixel(3, 5), ScreenColour(blockPicture[next[kind]])) << "the block of its new kind";
    }
}

// The turn that completes the path banks the score of the latest tap plus
// 50 and lights the path; blocks still turning stop where they are.
TEST_F(TurningBlocks, BlocksStillTurningWhenThePathCompletesStopWhereTheyAre) {
    game.kinds[CellIndex(3, 5)] = UpRight;  // off the path
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
    EXPECT_EQ(game.kinds[CellIndex(7, 0)], Horizontal + kLitOffset);
    Ticks(1);
    EXPECT_EQ(CellPixel(7, 0), ScreenColour(316)) << "no turning frame over the lit path";
    Ticks(11);
    EXPECT_EQ(game.kinds[CellIndex(7, 0)], Horizontal + kLitOffset) << "a lit block never turns";
}

TEST_F(TurningBlocks, ATurnWhoseBlockIsGoneStopsWithoutDrawing) {
    TapCellAt(3, 5);
    Ticks(4);
    const std::uint16_t shown = CellPixel(3, 5);
    // A ball lands: the block becomes bog while it turns.
    game.kinds[CellIndex(3, 5)] = Bog;
    Ticks(1);
    EXPECT_FALSE(game.cells[CellIndex(3, 5)].turning);
    EXPECT_EQ(game.kinds[CellIndex(3, 5)], Bog);
    EXPECT_EQ(CellPixel(3, 5), shown);
}

}  // namespace
