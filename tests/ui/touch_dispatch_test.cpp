// Pen-down and pen-up routed to the controls, the panels and the board.
#include <gtest/gtest.h>

#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kAboutPage = 296;
constexpr int kTitle = 167;

using TouchDispatch = GameFixture;

TEST_F(TouchDispatch, StartUpOpensOnTheAboutPageOverTheTitle) {
    // The page covers rows 7 to 240 from column 5 to 234; the title shows around it.
    EXPECT_EQ(ScreenPixel(5, 7), ScreenColour(kAboutPage));
    EXPECT_EQ(ScreenPixel(234, 240), ScreenColour(kAboutPage));
    EXPECT_EQ(ScreenPixel(120, 6), ScreenColour(kTitle));
    EXPECT_EQ(ScreenPixel(4, 100), ScreenColour(kTitle));
    EXPECT_EQ(ScreenPixel(10, 270), ScreenColour(146)) << "the About button is raised again";
    Tap(181, 216);
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle));
}

TEST_F(TouchDispatch, RightAndBottomEdgesLieOutsideTheirRectangles) {
    CloseStartUpAboutPage();
    Down(65, 250);
    EXPECT_FALSE(game.helpHeld) << "x = 65 is the Help button's right edge";
    Up(65, 250);
    EXPECT_FALSE(game.modalShown);
    Down(64, 261);
    EXPECT_TRUE(game.helpHeld);
    EXPECT_EQ(ScreenPixel(10, 250), ScreenColour(145)) << "the pressed face";
    Up(64, 261);
    EXPECT_TRUE(game.helpPagesShown);

    Tap(200, 230);
    Tap(100, 260);  // Start
    ASSERT_TRUE(game.gamePlaying);
    Down(240, 100);
    EXPECT_FALSE(game.cellPressed) << "x = 240 is off the board";
    Up(240, 100);
    Down(239, 239);
    ASSERT_TRUE(game.cellPressed);
    EXPECT_EQ(game.pressedCell.row, 11);
    EXPECT_EQ(game.pressedCell.column, 11);
}

TEST_F(TouchDispatch, WithoutAGameTheBoardTakesNoPressAndALonePenUpDoesNothing) {
    CloseStartUpAboutPage();
    Down(50, 50);
    EXPECT_FALSE(game.cellPressed);
    Up(50, 50);
    Up(100, 260);  // over Start, never pressed
    Up(20, 250);   // over Help, never pressed
    EXPECT_FALSE(game.gamePlaying || game.modalShown || game.tickEnabled);
}

}  // namespace
