// The pen routed to the controls and the panels; Start, Help and its pages,
// the window's close button (Stop and "X" are played by the scenarios); and
// the intro that opens every game.
#include <gtest/gtest.h>

#include <vector>

#include "board/level_setup.h"
#include "board/random.h"
#include "gfx/display_device.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kTitle = 167;
constexpr int kBlankDigit = 10;

using TouchDispatch = GameFixture;

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

using Buttons = GameFixture;

// Help opens at its release, even with the pen lifted over the board; "<"
// and ">" wrap round the three pages.
TEST_F(Buttons, EachShownHelpPageIsDrawnAndStagedForTheSlideOut) {
    const int pages[3] = {156, 289, 290};
    CloseStartUpAboutPage();
    Down(20, 250);
    EXPECT_FALSE(game.modalShown);
    const struct { int x, y, page; } taps[] = {{120, 120, 0}, {20, 230, 2}, {60, 230, 0}, {60, 230, 1}, {100, 100, 1}};
    for (const auto& tap : taps) {
        SCOPED_TRACE(::testing::Message() << "tap " << tap.x << "," << tap.y);
        // Spoil the page on screen: even a tap away from the arrows brings it back.
        if (game.helpPagesShown) game.display->backBuffer[game.display->PixelOffset(100, 100)] ^= 0xFF;
        if (game.helpPagesShown) Down(tap.x, tap.y);
        Up(tap.x, tap.y);
        EXPECT_EQ(game.helpPage, tap.page);
        EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(pages[tap.page]));
        EXPECT_EQ(game.display->workBuffer[0] | game.display->workBuffer[1] << 8, ScreenColour(pages[tap.page]))
            << "the slide-out takes the page now shown: its top left staged";
    }
    Tap(200, 230);
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle)) << "the slide-out restores the screen under it";
}

TEST_F(Buttons, StartBeginsTheFirstLevelUnderTheIntro) {
    CloseStartUpAboutPage();
    crt::srand(77);
    GenerateLevel();
    const std::vector<std::int32_t> levelOne(game.kinds, game.kinds + kCellCount);
    game.level = 9;  // where the last game stopped
    game.score = game.bankedScore = 40;
    crt::srand(77);
    Tap(100, 260);
    EXPECT_EQ(std::vector(game.kinds, game.kinds + kCellCount), levelOne) << "level 1's board, not level 9's";
    EXPECT_TRUE(game.gamePlaying && game.tickEnabled && game.introRunning && game.stopFaceShown);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score + game.bankedScore, 0);
    EXPECT_EQ(ScreenPixel(80, 250), ScreenColour(250)) << "the button reads Stop";
    // The digit in each cell of the level and score fields.
    for (const auto& [x, digit] : {std::pair{149, kBlankDigit}, std::pair{163, 1}, std::pair{184, kBlankDigit},
                                   std::pair{226, kBlankDigit}}) {
        EXPECT_EQ(ScreenPixel(x, 278), ScreenColour(170, digit)) << x;
    }
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle)) << "the intro draws over the title, not the start";
}

TEST_F(Buttons, APanelAnswersAtItsOwnRectangleWhenALostReleaseComesWithAnother) {
    StartAGame();   // the intro plays: Stop is refused
    Down(35, 272);  // About, its release lost
    Tap(100, 260);
    ASSERT_TRUE(game.modalShown);
    Tap(60, 200);  // where "Yes" of a question would be
    EXPECT_TRUE(game.modalShown);
    Tap(205, 230);  // the about page's "X"
    EXPECT_FALSE(game.modalShown);
}

// The desktop window's close button: during a game it asks as "X" does; with
// a panel up, or on the title, it closes.
void CloseButton() { SendMessageW(game.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }

TEST_F(Buttons, TheWindowsCloseButtonAsksOnlyDuringAGame) {
    StartAGame();
    CloseButton();
    EXPECT_TRUE(game.exitConfirmPending && game.modalShown && !game.tickEnabled);
    Tap(150, 200);  // "No"
    EXPECT_TRUE(game.tickEnabled && !game.modalShown);
    Tap(20, 250);  // Help: a page is up
    CloseButton();
    EXPECT_EQ(game.display, nullptr) << "closed";
}

TEST_F(Buttons, TheWindowsCloseButtonClosesTheTitleScreen) {
    CloseStartUpAboutPage();
    CloseButton();
    EXPECT_EQ(game.display, nullptr);
}

TEST_F(Buttons, YesToTheExitQuestionClosesAGame) {
    StartAGame();
    Tap(220, 300);  // "X"
    Tap(60, 200);   // "Yes"
    EXPECT_EQ(game.display, nullptr);
}

class Intro : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartAGame();
    }
};

TEST_F(Intro, ItsPhasesFollowEachOtherWithoutAnEmptyTick) {
    const struct {
        int tick;
        bool running, spell, shift, flight, shrinking;
        int counter;  // the running phase's counter after the tick
    } expected[] = {
        {12, true, true, false, false, false, 3},    // the spell's third pass done
        {13, true, false, true, false, false, 1},    // the first colour step
        {32, true, false, true, false, false, 20},
        {33, true, false, false, true, false, 1},    // the faces at point 0
        {87, true, false, false, true, false, 55},
        {88, false, false, false, false, true, 1},   // home: the shrinking's frame 0
        {97, false, false, false, false, true, 10},
        {98, false, true, false, false, false, 0},   // over; the spell armed again
    };
    int tick = 0;
    for (const auto& e : expected) {
        SCOPED_TRACE(e.tick);
        Ticks(e.tick - tick);
        tick = e.tick;
        EXPECT_EQ((std::vector{game.introRunning, game.introSpellArmed, game.introShiftRunning,
                               game.introFlightRunning, game.introShrinking}),
                  (std::vector{e.running, e.spell, e.shift, e.flight, e.shrinking}));
        const int counter = e.spell ? game.introSpellPass
                            : e.shift ? game.introShiftStep
                            : e.flight ? game.introFlightPoint
                                       : game.introShrinkFrame;
        EXPECT_EQ(counter, e.counter);
    }
}

// The title's flat colour is (56, 20, 8); its heart is the left half.
TEST_F(Intro, TheSpellThenTheColoursShiftOutsideTheHeartAndWrapPast255) {
    const auto rgb565 = [](int r, int g, int b) {
        return static_cast<std::uint16_t>((r & 0xF8) << 8 | (g & 0xFC) << 3 | (b & 0xF8) >> 3);
    };
    Ticks(1);
    EXPECT_EQ(ScreenPixel(10, 10), ScreenColour(kTitle));
    EXPECT_EQ(ScreenPixel(60, 20), ScreenColour(359, 0)) << "spell frame 0 on the first tick";
    Ticks(12);
    EXPECT_EQ(ScreenPixel(60, 20), ScreenColour(kTitle)) << "inside the heart: unchanged, the spell gone";
    EXPECT_EQ(ScreenPixel(200, 20), rgb565(68, 32, 20));
    Ticks(19);
    EXPECT_EQ(ScreenPixel(200, 20), rgb565(56 + 240 - 256, 20 + 240 - 256, 8 + 240)) << "bytes past 255 wrap";
    Ticks(1);
    EXPECT_EQ(ScreenPixel(22, 70), ScreenColour(354)) << "the hero's face flies from its place on the title";
}

TEST_F(Intro, StopIsRefusedUntilTheFacesAreHomeAndAStoppedShrinkingEndsInTheNextGame) {
    Ticks(87);
    Tap(100, 260);
    EXPECT_FALSE(game.modalShown) << "still flying: no question";
    Ticks(3);  // frame 2 of the shrinking is drawn
    Tap(100, 260);
    ASSERT_TRUE(game.stopConfirmPending);
    Tap(60, 200);  // "Yes"
    EXPECT_FALSE(game.gamePlaying);
    EXPECT_TRUE(game.introShrinking);

    Tap(100, 260);  // a new game: the old shrinking ends first
    Ticks(7);
    EXPECT_EQ(ScreenPixel(5, 5), ScreenColour(357, 9));
    Ticks(1);
    EXPECT_FALSE(game.introShrinking);
    EXPECT_EQ(game.introSpellPass, 0);
    Ticks(1);
    EXPECT_EQ(ScreenPixel(60, 20), ScreenColour(359, 0)) << "then the new game's spell";
}

}  // namespace
