#include <gtest/gtest.h>

#include <cstring>

#include "board/board.h"
#include "board/level_setup.h"
#include "gfx/display_device.h"
#include "state/game_state.h"
#include "tests/board/game_fixture.h"
#include "ui/control_strip.h"

namespace board_test {
namespace {

TEST(CellPredicateTest, KindTestsAnswerFalseOffTheBoard) {
    ClearBoard();
    game.kinds[CellIndex(11, 0)] = 104;
    EXPECT_TRUE(KindAbove(11, 0, ConnectedMark));
    EXPECT_FALSE(KindAbove(11, 0, 104));
    EXPECT_TRUE(KindIs(5, 5, Bog));
    const int offBoard[][2] = {{12, 0}, {-1, 0}, {0, 12}, {0, -1}, {5, 12}};
    for (const auto& at : offBoard) {
        EXPECT_FALSE(KindAbove(at[0], at[1], -1000)) << at[0] << "," << at[1];
        EXPECT_FALSE(KindIs(at[0], at[1], Bog)) << at[0] << "," << at[1];
    }
}

class DrawBoardTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SetUpGameScreen();
        ClearBoard();
        std::memset(game.display->backBuffer, 0xAB, kScreenBytes);
    }
    bool CellShows(int x, int y, int id) const { return RectHolds(20 * x, 20 * y, 20, 20, As565(PictureColour(id))); }
    static constexpr std::uint16_t kUntouched = 0xABAB;
};

// Every block and lit block shows its picture; the corners show the homes and
// the stones whatever their kinds; bog and kinds without a picture are left alone.
TEST_F(DrawBoardTest, EachCellShowsThePictureOfItsKind) {
    const int ids[12] = {185, 186, 187, 188, 189, 265, 315, 316, 317, 318, 319, 320};
    for (int kind = 1; kind <= 12; ++kind) game.kinds[CellIndex(kind % 10 + 1, kind / 10 + 3)] = kind;
    game.kinds[CellIndex(0, 0)] = Bog;
    game.kinds[CellIndex(11, 11)] = Horizontal;
    game.kinds[CellIndex(5, 5)] = CornerStone;
    game.kinds[CellIndex(6, 6)] = 50;
    game.kinds[CellIndex(7, 7)] = 104;
    DrawBoard();
    for (int kind = 1; kind <= 12; ++kind) {
        EXPECT_TRUE(CellShows(kind % 10 + 1, kind / 10 + 3, ids[kind - 1])) << kind;
    }
    EXPECT_TRUE(CellShows(0, 0, 337) && CellShows(11, 11, 338) && CellShows(0, 11, 349) && CellShows(11, 0, 350));
    for (int i : {5, 6, 7, 8}) EXPECT_TRUE(RectHolds(20 * i, 20 * i, 20, 20, kUntouched)) << i;
    EXPECT_TRUE(RectHolds(0, 240, 240, 80, kUntouched)) << "the control strip is not the board's";
}

}  // namespace
}  // namespace board_test
