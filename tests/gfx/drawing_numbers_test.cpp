#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "tests/board/game_fixture.h"

namespace board_test {
namespace {

constexpr int kCellWidth = 14;
constexpr int kCellHeight = 24;
constexpr int kCellPixels = kCellWidth * kCellHeight;
constexpr int kBlank = 10;

// Eleven cells: a different colour in every pixel of the ten digits, and a
// blank of pure white, which the fields draw like any other colour.
std::vector<Pixel32> DigitStrip() {
    std::vector<Pixel32> strip;
    for (int i = 0; i < 10 * kCellPixels; ++i) {
        strip.push_back({0, static_cast<std::uint8_t>(8 * (i % 31)), static_cast<std::uint8_t>(4 * (i / 31 % 60)),
                         static_cast<std::uint8_t>(8 * (i / 1860) + 8)});
    }
    strip.insert(strip.end(), kCellPixels, Pixel32{0, 255, 255, 255});
    return strip;
}

class NumberFieldTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        game.display->Open(nullptr);
        std::memset(game.display->backBuffer, 0xAB, kScreenBytes);
    }

    // True when the cell at (x, y) shows `frame` of the strip, stored rows bottom-up.
    bool CellShows(int x, int y, int frame) const {
        for (int r = 0; r < kCellHeight; ++r) {
            for (int c = 0; c < kCellWidth; ++c) {
                const Pixel32& p = strip[frame * kCellPixels + r * kCellWidth + c];
                if (ScreenPixel(x + c, y + kCellHeight - 1 - r) != As565(StoredPixel(p.red, p.green, p.blue))) {
                    return false;
                }
            }
        }
        return true;
    }

    // The frames the score field at (177, 266) shows, one per cell.
    void ExpectScoreCells(std::initializer_list<int> frames) {
        int k = 0;
        for (int frame : frames) {
            EXPECT_TRUE(CellShows(177 + k * kCellWidth, 266, frame)) << "cell " << k << " frame " << frame;
            ++k;
        }
    }

    void DrawScore(int value) { game.display->DrawNumber4(177, 266, strip.data(), kCellWidth, kCellHeight, value); }

    const std::vector<Pixel32> strip = DigitStrip();
};

TEST_F(NumberFieldTest, ZeroBlanksTheFieldAndTouchesNothingElse) {
    DrawScore(0);
    ExpectScoreCells({kBlank, kBlank, kBlank, kBlank});
    EXPECT_EQ(ScreenPixel(176, 270), 0xABAB);
    EXPECT_EQ(ScreenPixel(233, 270), 0xABAB);
    EXPECT_EQ(ScreenPixel(200, 265), 0xABAB);
    EXPECT_EQ(ScreenPixel(200, 290), 0xABAB);
    EXPECT_EQ(host.framesPresented, 1u) << "a field shows at once";
}

TEST_F(NumberFieldTest, DigitsSitRightAlignedOverBlankCells) {
    DrawScore(7);
    ExpectScoreCells({kBlank, kBlank, kBlank, 7});
    EXPECT_TRUE(CellShows(219, 266, 7));
    DrawScore(305);
    ExpectScoreCells({kBlank, 3, 0, 5});
    DrawScore(9999);
    ExpectScoreCells({9, 9, 9, 9});
}

TEST_F(NumberFieldTest, ALongerNumberShowsItsLeadingDigits) {
    DrawScore(12345);
    ExpectScoreCells({1, 2, 3, 4});
    DrawScore(2147483647);
    ExpectScoreCells({2, 1, 4, 7});
}

TEST_F(NumberFieldTest, TheLevelFieldHasTwoCells) {
    game.display->DrawNumber(142, 266, strip.data(), kCellWidth, kCellHeight, 10, 2);
    EXPECT_TRUE(CellShows(142, 266, 1));
    EXPECT_TRUE(CellShows(156, 266, 0));
    game.display->DrawNumber(142, 266, strip.data(), kCellWidth, kCellHeight, 5, 2);
    EXPECT_TRUE(CellShows(142, 266, kBlank));
    EXPECT_TRUE(CellShows(156, 266, 5));
    EXPECT_EQ(ScreenPixel(170, 270), 0xABAB);
}

TEST_F(NumberFieldTest, ANegativeValueLeavesTheFieldBlank) {
    DrawScore(1234);
    DrawScore(-56);
    ExpectScoreCells({kBlank, kBlank, kBlank, kBlank});
}

}  // namespace
}  // namespace board_test
