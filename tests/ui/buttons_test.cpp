// The controls of the strip: Start/Stop, Help and its pages, About, minimise,
// exit, the two questions and the next level.
#include <gtest/gtest.h>

#include <vector>

#include "app/game_state.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "platform/platform.h"
#include "tests/ui/ui_fixture.h"

namespace ui_test {
namespace {

constexpr int kHelpPages[3] = {156, 289, 290};
constexpr int kTitle = 167;
constexpr int kDigits = 170;
constexpr int kBlankDigit = 10;

class Buttons : public UiFixture {
protected:
    // The digit frame shown in cell `cell` of a number field at (x, 266).
    bool FieldCellShows(int x, int cell, int frame) const {
        return ScreenPixel(x + cell * 14 + 7, 278) == ScreenColour(kDigits, frame);
    }
    bool ScoreCellShows(int cell, int frame) const { return FieldCellShows(177, cell, frame); }
    bool LevelCellShows(int cell, int frame) const { return FieldCellShows(142, cell, frame); }

    void ExpectHelpPage(int page) {
        EXPECT_EQ(game.helpPage, page);
        EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kHelpPages[page]));
        EXPECT_EQ(FirstWorkPixel(), ScreenColour(kHelpPages[page])) << "the slide-out takes the page now shown";
    }

    void TapNext() { Tap(60, 230); }
    void TapPrevious() { Tap(20, 230); }
    void TapHelp() { Tap(20, 250); }
    void TapStartStop() { Tap(100, 260); }
    void TapMinimise() { Tap(190, 300); }
    void TapYes() { Tap(60, 200); }
};

TEST_F(Buttons, EachTurnedHelpPageIsDrawnAndStagedForTheSlideOut) {
    CloseStartUpAboutPage();
    TapHelp();
    ExpectHelpPage(0);
    TapPrevious();
    ExpectHelpPage(2);
    TapNext();
    ExpectHelpPage(0);
    TapNext();
    ExpectHelpPage(1);
    Tap(200, 230);
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle)) << "the slide-out restores the screen under it";
}

TEST_F(Buttons, ATapOnAHelpPageAwayFromItsButtonsRedrawsTheSamePage) {
    CloseStartUpAboutPage();
    TapHelp();
    TapNext();
    // Spoil the page on screen: the tap must bring it back.
    game.display->backBuffer[game.display->PixelOffset(100, 100)] ^= 0xFF;
    Tap(100, 100);
    ExpectHelpPage(1);
    EXPECT_TRUE(game.helpPagesShown);
    EXPECT_TRUE(game.modalShown);
}

TEST_F(Buttons, StartBeginsTheFirstLevelUnderTheIntro) {
    CloseStartUpAboutPage();
    game.level = 9;
    game.score = 40;
    game.bankedScore = 40;
    TapStartStop();
    EXPECT_TRUE(game.gamePlaying && game.tickEnabled && game.introRunning && game.stopFaceShown);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.bankedScore, 0);
    EXPECT_EQ(game.kinds[CellIndex(0, 0)], RightDown);
    EXPECT_EQ(game.kinds[CellIndex(11, 11)], LeftUp);
    EXPECT_EQ(ScreenPixel(80, 250), ScreenColour(250)) << "the button reads Stop";
    EXPECT_TRUE(LevelCellShows(0, kBlankDigit) && LevelCellShows(1, 1));
    for (int cell = 0; cell < 4; ++cell) EXPECT_TRUE(ScoreCellShows(cell, kBlankDigit)) << cell;
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle)) << "the intro draws over the title, not the start";
}

TEST_F(Buttons, YesToTheStopQuestionEndsTheGameOnTheTitle) {
    StartAGame();
    game.introRunning = false;
    game.helpPage = 2;
    game.level = 7;
    game.score = 37;
    std::vector<std::uint16_t> levelField;
    for (int x = 137; x < 173; ++x) levelField.push_back(ScreenPixel(x, 275));
    Ticks(2);
    TapStartStop();
    TapYes();
    EXPECT_FALSE(game.gamePlaying);
    EXPECT_EQ(game.helpPage, 2) << "the help page survives the end of a game";
    EXPECT_EQ(CountKind(CornerStone), 4) << "the board is cleared";
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle));
    EXPECT_EQ(ScreenPixel(80, 250), ScreenColour(141)) << "the button reads Start";
    for (int cell = 0; cell < 4; ++cell) EXPECT_TRUE(ScoreCellShows(cell, kBlankDigit)) << cell;
    std::vector<std::uint16_t> levelFieldAfter;
    for (int x = 137; x < 173; ++x) levelFieldAfter.push_back(ScreenPixel(x, 275));
    EXPECT_EQ(levelFieldAfter, levelField) << "the level field keeps the last level";
    Ticks(3);
    EXPECT_EQ(ScreenPixel(100, 100), ScreenColour(kTitle)) << "nothing ticks on the title";
}

TEST_F(Buttons, MinimiseHidesTheGameAndASecondStartBringsItBackAsItWas) {
    StartAGame();
    game.introRunning = false;
    Ticks(3);
    TapMinimise();
    EXPECT_FALSE(platform::CurrentStatus().windowVisible);
    EXPECT_EQ(ScreenPixel(190, 300), ScreenColour(152)) << "the button is raised before the game hides";

    const std::vector<std::uint8_t> screen(game.display->backBuffer, game.display->backBuffer + kScreenBytes);
    const std::vector<std::int32_t> kinds(game.kinds, game.kinds + kCellCount);
    SendMessageW(game.mainWindow, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(game.skipNextKillFocus) << "the focus loss the hiding caused is ignored once";
    SendMessageW(game.mainWindow, WM_USER, 0, 0);
    EXPECT_TRUE(platform::CurrentStatus().displayOpen);
    ASSERT_GE(host.lastFrame.size(), screen.size());
    EXPECT_TRUE(std::equal(screen.begin(), screen.end(), host.lastFrame.begin())) << "the picture as it was";
    EXPECT_EQ(std::vector<std::int32_t>(game.kinds, game.kinds + kCellCount), kinds);
    EXPECT_TRUE(game.gamePlaying && game.tickEnabled);
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
    game.modalShown = true;
    game.nextLevelRequested = true;
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
    EXPECT_EQ(game.bankedScore, 173);
    EXPECT_TRUE(LevelCellShows(0, kBlankDigit) && LevelCellShows(1, 5));
    EXPECT_TRUE(ScoreCellShows(0, kBlankDigit) && ScoreCellShows(1, 1) && ScoreCellShows(2, 7) &&
                ScoreCellShows(3, 3));
    EXPECT_EQ(ScreenPixel(80, 250), ScreenColour(250));
}

}  // namespace
}  // namespace ui_test
