#include <gtest/gtest.h>

#include <cstring>

#include "app/game_state.h"
#include "board/board.h"
#include "board/level_setup.h"
#include "gfx/display_device.h"
#include "tests/board/game_fixture.h"

namespace board_test {
namespace {

TEST(CellPredicateTest, KindTestsAnswerFalseOffTheBoard) {
    ClearBoard();
    game.kinds[CellIndex(11, 0)] = 104;
    game.kinds[CellIndex(0, 5)] = 2;
    EXPECT_TRUE(KindAbove(11, 0, ConnectedMark));
    EXPECT_FALSE(KindAbove(11, 0, 104));
    EXPECT_FALSE(KindAbove(12, 0, ConnectedMark));
    EXPECT_FALSE(KindAbove(-1, 0, -1000));
    EXPECT_FALSE(KindAbove(0, 12, -1000));
    EXPECT_TRUE(KindIs(0, 5, 2));
    EXPECT_FALSE(KindIs(-1, 5, 2));
    EXPECT_FALSE(KindIs(0, -1, 0));
    EXPECT_FALSE(KindIs(5, 12, 0));
    EXPECT_TRUE(KindIs(5, 5, Bog));
}

class DrawBoardTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SetUpGameScreen();
        std::memset(game.display->backBuffer, 0xAB, kScreenBytes);
    }
    static constexpr std::uint16_t kUntouched = 0xABAB;
};

TEST_F(DrawBoardTest, EveryBlockAndLitBlockShowsItsPicture) {
    const int ids[12] = {185, 186, 187, 188, 189, 265, 315, 316, 317, 318, 319, 320};
    ClearBoard();
    for (int kind = 1; kind <= 12; ++kind) game.kinds[CellIndex(kind % 10 + 1, kind / 10 + 3)] = kind;
    DrawBoard();
    for (int kind = 1; kind <= 12; ++kind) {
        const int x = kind % 10 + 1;
        const int y = kind / 10 + 3;
        EXPECT_TRUE(RectHolds(20 * x, 20 * y, 20, 20, As565(PictureColour(ids[kind - 1])))) << kind;
    }
    EXPECT_TRUE(RectHolds(20 * 5, 20 * 8, 20, 20, kUntouched)) << "bog is left to the actors";
}

TEST_F(DrawBoardTest, CornersAlwaysShowTheHomesAndStones) {
    ClearBoard();
    game.kinds[CellIndex(0, 0)] = Bog;  // whatever the kinds, the corners show their pictures
    game.kinds[CellIndex(11, 11)] = Horizontal;
    game.kinds[CellIndex(5, 5)] = CornerStone;
    game.kinds[CellIndex(6, 6)] = 50;  // no picture: left alone
    game.kinds[CellIndex(7, 7)] = 104;
    DrawBoard();
    EXPECT_TRUE(RectHolds(0, 0, 20, 20, As565(PictureColour(337))));
    EXPECT_TRUE(RectHolds(220, 220, 20, 20, As565(PictureColour(338))));
    EXPECT_TRUE(RectHolds(0, 220, 20, 20, As565(PictureColour(349))));
    EXPECT_TRUE(RectHolds(220, 0, 20, 20, As565(PictureColour(350))));
    EXPECT_TRUE(RectHolds(100, 100, 20, 20, kUntouched));
    EXPECT_TRUE(RectHolds(120, 120, 20, 20, kUntouched));
    EXPECT_TRUE(RectHolds(140, 140, 20, 20, kUntouched));
    EXPECT_TRUE(RectHolds(0, 240, 240, 80, kUntouched)) << "the control strip is not the board's";
}

}  // namespace
}  // namespace board_test
