// What the board and the control strip put on the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "board/board.h"
#include "board/level_setup.h"
#include "gfx/display_device.h"
#include "tests/support/game_fixture.h"
#include "ui/control_strip.h"

namespace {

using namespace test_support;

class BoardDrawing : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        std::memset(game.display->backBuffer, 0xAB, kScreenBytes);
    }
    bool CellShows(int x, int y, int id) const { return RectHolds(20 * x, 20 * y, 20, 20, ScreenColour(id)); }
    static constexpr std::uint16_t kUntouched = 0xABAB;
};

// Every block and lit block shows its picture; the corners show the homes and
// the stones whatever their kinds; bog and kinds without a picture are left alone.
TEST_F(BoardDrawing, EachCellShowsThePictureOfItsKind) {
    ClearBoard();
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

TEST_F(BoardDrawing, EveryPictureOfTheStripLandsAtItsPlaceInItsOrder) {
    std::memset(game.display->backBuffer, 0, kScreenBytes);
    SetUpGameScreen();
    // {id, x, y, width, height} as they remain visible: the logo covers the About button's lowest row.
    const int visible[][5] = {
        {141, 70, 245, 60, 35}, {144, 5, 245, 60, 17},  {146, 5, 264, 60, 16},  {150, 175, 245, 58, 18},
        {299, 137, 264, 36, 28}, {353, 135, 244, 40, 18}, {151, 175, 264, 60, 28}, {152, 182, 294, 24, 24},
        {154, 211, 294, 24, 24}, {162, 5, 280, 128, 38},
    };
    for (const auto& e : visible) EXPECT_TRUE(RectHolds(e[1], e[2], e[3], e[4], ScreenColour(e[0]))) << e[0];
    const std::pair<int, int> uncovered[] = {{0, 240}, {239, 319}, {134, 300}, {68, 250}, {236, 270}};
    for (auto [x, y] : uncovered) EXPECT_EQ(ScreenPixel(x, y), ScreenColour(138)) << x << "," << y;
    EXPECT_TRUE(RectHolds(0, 0, 240, 240, 0)) << "the board area is left to the next tick";
}

}  // namespace
