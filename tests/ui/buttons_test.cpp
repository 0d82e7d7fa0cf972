// The controls of the strip: Start/Stop, Help and its pages, minimise and the
// next level.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/level_setup.h"
#include "board/random.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kTitle = 167;
constexpr int kBlankDigit = 10;

class Buttons : public GameFixture {
protected:
    // The digit frames shown in the cells of the number field at (x, 266).
    std::vector<int> FieldShows(int x, int cells) const {
        std::vector<int> frames;
        for (int cell = 0; cell < cells; ++cell) {
            int shown = -1;
            for (int frame = 0; frame <= kBlankDigit; ++frame) {
                if (ScreenPixel(x + cell * 14 + 7, 278) == ScreenColour(170, frame)) shown = frame;
            }
            frames.push_back(shown);
        }
        return frames;
    }
    std::vector<int> ScoreShows() const { return FieldShows(177, 4); }
    std::vector<int> LevelShows() const { return FieldShows(142, 2); }
    std::uint16_t StartStopFace() const { return ScreenPixel(80, 250); }
};

const std::vector<int> kBlankScore{kBlankDigit, kBlankDigit, kBlankDigit, kBlankDigit};

TEST_F(Buttons, EachShownHelpPageIsDrawnAndStagedForTheSlideOut) {
    const int pages[3] = {156, 289, 290};
    CloseStartUpAboutPage();
    const struct {
        int x, y, page;
    } taps[] = {{20, 250, 0}, {20, 230, 2}, {60, 230, 0}, {60, 230, 1}, {100, 100, 1}};
    for (const auto& tap : taps) {
        SCOPED_TRACE(::testing::Message() << "tap " << tap.x << "," << tap.y);
        // Spoil the page on screen: even a tap away from the arrows brings it back.
        if (game.helpPagesShown) game.display->backBuffer[game.display->PixelOffset(100, 100)] ^= 0xFF;
        Tap(tap.x, tap.y);
        EXPECT_EQ(game.helpPage, tap.page);
        EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(pages[tap.page]));
        EXPECT_EQ(FirstWorkPixel(), ScreenColour(pages[tap.page])) << "the slide-out takes the page now shown";
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
    EXPECT_EQ(StartStopFace(), ScreenColour(250)) << "the button reads Stop";
    EXPECT_EQ(LevelShows(), (std::vector<int>{kBlankDigit, 1}));
    EXPECT_EQ(ScoreShows(), kBlankScore);
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle)) << "the intro draws over the title, not the start";
}

TEST_F(Buttons, YesToTheStopQuestionEndsTheGameOnTheTitle) {
    StartAGame();
    game.introRunning = false;
    game.level = 7;
    game.score = 37;
    const std::vector<int> levelField = LevelShows();
    Ticks(2);
    Tap(100, 260);
    Tap(60, 200);  // Yes
    EXPECT_EQ(std::count(game.kinds, game.kinds + kCellCount, CornerStone), 4) << "the board is cleared";
    EXPECT_EQ(StartStopFace(), ScreenColour(141)) << "the button reads Start";
    EXPECT_EQ(ScoreShows(), kBlankScore);
    EXPECT_EQ(LevelShows(), levelField) << "the level field keeps the last level";
    Ticks(3);
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle)) << "nothing ticks on the title";
}

TEST_F(Buttons, YesDuringTheBloomEndsItAndTheNextGamePlays) {
    StartAGame();
    game.introRunning = false;
    LayBrokenPath();
    TapCellAt(5, 0);
    Ticks(14);
    ASSERT_TRUE(game.bloomPhase);
    Tap(100, 260);
    ASSERT_TRUE(game.stopConfirmPending);
    Tap(60, 200);  // Yes
    EXPECT_FALSE(game.gamePlaying || game.bloomPhase || game.bloomStart);
    Tap(100, 260);
    game.kinds[CellIndex(1, 1)] = Vertical;
    TapCellAt(1, 1);
    Ticks(11);
    EXPECT_EQ(game.kinds[CellIndex(1, 1)], Horizontal);
}

TEST_F(Buttons, OkOnTheLevelCompletePanelStartsTheNextLevel) {
    StartAGame();
    game.introRunning = false;
    game.level = 4;
    game.score = 120;
    game.bankedScore = 173;
    // The panel as the end of the hearts puts it up.
    game.yesRect = game.noRect = RECT{162, 197, 229, 221};
    game.tickEnabled = false;
    game.modalShown = game.nextLevelRequested = true;
    LoadPackedImage(game.instance, 158, &game.panelImage);
    game.display->RollInPanel(5, 240, game.panelImage.pixels, 230, 60);

    Tap(161, 200);
    EXPECT_TRUE(game.modalShown) << "just left of OK";
    Down(162, 200);
    EXPECT_FALSE(game.modalShown);
    EXPECT_TRUE(game.tickEnabled);
    EXPECT_EQ(game.level, 4) << "the level is built at pen-up";
    Up(162, 200);
    EXPECT_FALSE(game.nextLevelRequested);
    EXPECT_TRUE(game.levelStartRunning && game.gamePlaying);
    EXPECT_EQ(game.level, 5);
    EXPECT_EQ(game.score, 120) << "the score waits for the next tap";
    EXPECT_EQ(LevelShows(), (std::vector<int>{kBlankDigit, 5}));
    EXPECT_EQ(ScoreShows(), (std::vector<int>{kBlankDigit, 1, 7, 3}));
    EXPECT_EQ(StartStopFace(), ScreenColour(250));
}

TEST_F(Buttons, APanelAnswersAtItsOwnRectangleWhenALostReleaseComesWithAnother) {
    StartAGame();  // the intro plays: Stop is refused
    Down(35, 272);  // About, its release lost
    Tap(100, 260);
    ASSERT_TRUE(game.modalShown);
    Tap(60, 200);  // where "Yes" of a question would be
    EXPECT_TRUE(game.modalShown);
    Tap(205, 230);  // the about page's "X"
    EXPECT_FALSE(game.modalShown);
}

// The desktop window's close button: during a game it asks as the "X" does;
// with a panel up, or on the title, it closes.
void CloseButton() { SendMessageW(game.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }

TEST_F(Buttons, TheWindowsCloseButtonAsksDuringAGame) {
    StartAGame();
    CloseButton();
    EXPECT_TRUE(game.exitConfirmPending && game.modalShown);
    EXPECT_FALSE(game.tickEnabled);
    EXPECT_EQ(game.yesRect.left, 34);
    Tap(150, 200);  // "No"
    EXPECT_FALSE(game.modalShown);
    EXPECT_TRUE(game.tickEnabled);
    Tap(20, 250);   // Help: a page is up
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

}  // namespace
