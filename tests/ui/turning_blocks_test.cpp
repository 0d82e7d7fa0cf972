// A tapped block's quarter turn over eleven ticks, and the turn that
// completes the path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "tests/ui/ui_fixture.h"

namespace ui_test {
namespace {

// The homes joined along row 0 and column 10 but for the vertical at (5, 0).
const std::vector<std::string> kBrokenPath = {
    "r----|----7#", "----------|-", "----------|-", "----------|-", "----------|-", "----------|-",
    "----------|-", "----------|-", "----------|-", "----------|-", "----------|-", "#---------LJ",
};

constexpr int kFirstTurningStrip = 305;  // + kind
constexpr int kLitHorizontalPicture = 316;

class TurningBlocks : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        StartAGame();
        game.introRunning = false;
        for (Cell& cell : game.cells) cell = Cell{};
        LayBoard(kBrokenPath);
    }

    std::uint16_t CellPixel(int x, int y) const { return ScreenPixel(x * 20 + 10, y * 20 + 10); }
    bool AnyCellTurning() const {
        return std::any_of(std::begin(game.cells), std::end(game.cells), [](const Cell& c) { return c.turning; });
    }
};

TEST_F(TurningBlocks, ATurnShowsItsFiveFramesOverElevenTicksThenTheNextKind) {
    game.kinds[CellIndex(3, 5)] = DownLeft;
    TapCellAt(3, 5);
    // Frame 0 on three ticks, frames 1 to 4 on two each.
    const int frames[11] = {0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4};
    for (int tick = 0; tick < 11; ++tick) {
        ASSERT_EQ(game.kinds[CellIndex(3, 5)], DownLeft) << "tick " << tick + 1;
        Ticks(1);
        EXPECT_EQ(CellPixel(3, 5), ScreenColour(kFirstTurningStrip + DownLeft, frames[tick])) << "tick " << tick + 1;
    }
    EXPECT_EQ(game.kinds[CellIndex(3, 5)], LeftUp);
    EXPECT_FALSE(game.cells[CellIndex(3, 5)].turning);
    Ticks(1);
    EXPECT_EQ(CellPixel(3, 5), ScreenColour(265)) << "the block of its new kind";
}

TEST_F(TurningBlocks, TheTurnThatCompletesThePathBanksTheScoreAndBuildsTheRoute) {
    game.bankedScore = 200;
    TapCellAt(5, 0);
    ASSERT_EQ(game.score, 222);
    game.bankedScore = 0;  // whatever was banked, the bonus goes on the latest tap's score
    Ticks(10);
    EXPECT_FALSE(game.bloomPhase);
    Ticks(1);
    EXPECT_TRUE(game.bloomPhase);
    EXPECT_EQ(game.bankedScore, 272);
    EXPECT_EQ(game.score, 222);
    EXPECT_EQ(game.kinds[CellIndex(5, 0)], Horizontal + kLitOffset);
    EXPECT_EQ(game.kinds[CellIndex(3, 5)], Bog) << "off the path the meadow grows";
    EXPECT_EQ(game.routeMoves, 22);
    EXPECT_EQ(game.route[game.routeMoves].x, 230);
    EXPECT_EQ(game.route[game.routeMoves].y, 230);
    // The score box shows the banked score at once: blank, 2, 7, 2.
    EXPECT_EQ(ScreenPixel(177 + 14 + 7, 278), ScreenColour(170, 2));
    EXPECT_EQ(ScreenPixel(177 + 28 + 7, 278), ScreenColour(170, 7));
    EXPECT_EQ(ScreenPixel(177 + 42 + 7, 278), ScreenColour(170, 2));
}

TEST_F(TurningBlocks, BlocksStillTurningWhenThePathCompletesStopWhereTheyAre) {
    game.kinds[CellIndex(3, 5)] = UpRight;  // off the path
    TapCellAt(5, 0);
    Ticks(3);
    TapCellAt(7, 0);  // on the path, already as the path needs it
    TapCellAt(3, 5);
    Ticks(8);
    ASSERT_TRUE(game.bloomPhase);
    EXPECT_FALSE(AnyCellTurning());
    EXPECT_EQ(game.kinds[CellIndex(7, 0)], Horizontal + kLitOffset);
    Ticks(1);
    EXPECT_EQ(CellPixel(7, 0), ScreenColour(kLitHorizontalPicture)) << "no turning frame over the lit path";
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

    // A frame the strip does not have is never read.
    TapCellAt(4, 5);
    game.cells[CellIndex(4, 5)].turnFrame = 9;
    Ticks(1);
    EXPECT_FALSE(game.cells[CellIndex(4, 5)].turning);
    EXPECT_EQ(game.kinds[CellIndex(4, 5)], Horizontal);
}

}  // namespace
}  // namespace ui_test
