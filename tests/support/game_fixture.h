// The whole program started on a host without a window, with flat-colour
// pictures: every picture is filled with a colour of its own (each frame of a
// strip with a shade of its own), so a screen pixel tells which picture, and
// which frame, put it there. Only the masks are black and white. Start-up
// leaves the about page up, as on the device.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "board/board.h"  // KindAt
#include "state/game_state.h"
#include "tests/support/fake_host.h"
#include "tests/support/resource_builder.h"

namespace test_support {

// The 5-6-5 screen value that frame `frame` of picture `id` is filled with.
std::uint16_t ScreenColour(int id, int frame = 0);

// Heart mask frame `frame` is black (lets the lovers through) in its columns
// left of this one, white from it on. The title's heart mask is black in its
// left half.
int HeartMaskEdge(int frame);

// The board of BrokenPathGame.
void LayBrokenPath();
// A bog cell with a living actor: a flower when `flower`, else a frog.
void PlaceActor(int x, int y, bool flower);
// Seeds the random sequence so that its first RandomBelow(n) gives `value`.
void SeedFirstDraw(int n, int value);

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Pen messages through the window procedure, as the platform sends them.
    void Down(int x, int y);
    void Up(int x, int y);
    void Tap(int x, int y) {
        Down(x, y);
        Up(x, y);
    }
    void TapCellAt(int column, int row) { Tap(column * 20 + 10, row * 20 + 10); }
    // `count` paints, each one game tick later than the last.
    void Ticks(int count);

    // Closes the about page that start-up rolled in; and then starts a game.
    void CloseStartUpAboutPage();
    void StartAGame();

    // The 16-bit value at (x, y) of the back buffer, and of the last frame
    // that reached the host; at the middle of a cell.
    std::uint16_t ScreenPixel(int x, int y) const;
    std::uint16_t PresentedPixel(int x, int y) const;
    std::uint16_t CellPixel(int column, int row) const { return ScreenPixel(column * 20 + 10, row * 20 + 10); }
    // True when every pixel of the rectangle holds `value`.
    bool RectHolds(int x, int y, int width, int height, std::uint16_t value) const;

    FakeHost host;
    ResourceBuilder resources;
};

// A game under way, past its intro, on a board whose homes are joined along
// row 0 and down column 10 but for the vertical at (5, 0), which one quarter
// turn mends. Every other block is a horizontal that joins none of it, no
// cell holds an actor, and the faces and the stones sleep.
class BrokenPathGame : public GameFixture {
protected:
    void SetUp() override;
    static bool AnyCellTurning();
    // Bog in the first `count` cells away from the corners, column by
    // column, horizontal blocks in the rest.
    static void MakeBog(int count);
    // Joined on that board: (0..4, 0) to the hero, 17 cells to the heroine.
    static constexpr int kJoined = 22;
};

}  // namespace test_support
