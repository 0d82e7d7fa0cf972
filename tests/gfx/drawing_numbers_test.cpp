#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
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
constexpr std::uint16_t kMarker = 0xABAB;

// Ten digits with a different colour in every pixel, and a blank of pure
// white, which the fields draw like any other colour.
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

    const std::vector<Pixel32> strip = DigitStrip();
};

// The score field at (177, 266) shows a number's first four digits, right
// aligned over blank cells; zero and negative numbers blank it.
TEST_F(NumberFieldTest, TheScoreFieldShowsLeadingDigitsRightAligned) {
    const std::pair<int, std::array<int, 4>> cases[] = {
        {0, {kBlank, kBlank, kBlank, kBlank}}, {7, {kBlank, kBlank, kBlank, 7}}, {305, {kBlank, 3, 0, 5}},
        {9999, {9, 9, 9, 9}},                  {12345, {1, 2, 3, 4}},           {2147483647, {2, 1, 4, 7}},
        {-56, {kBlank, kBlank, kBlank, kBlank}}};
    game.display->DrawNumber4(177, 266, strip.data(), kCellWidth, kCellHeight, 1234);
    for (const auto& [value, cells] : cases) {
        SCOPED_TRACE(value);
        game.display->DrawNumber4(177, 266, strip.data(), kCellWidth, kCellHeight, value);
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(CellShows(177 + k * kCellWidth, 266, cells[k])) << "cell " << k;
    }
    EXPECT_EQ(host.framesPresented, 8u) << "a field shows at once";
    for (const auto& [x, y] : {std::pair{176, 270}, std::pair{233, 270}, std::pair{200, 265}, std::pair{200, 290}}) {
        EXPECT_EQ(ScreenPixel(x, y), kMarker) << "outside the field at " << x << "," << y;
    }
}

TEST_F(NumberFieldTest, TheLevelFieldHasTwoCells) {
    game.display->DrawNumber(142, 266, strip.data(), kCellWidth, kCellHeight, 10, 2);
    EXPECT_TRUE(CellShows(142, 266, 1));
    EXPECT_TRUE(CellShows(156, 266, 0));
    game.display->DrawNumber(142, 266, strip.data(), kCellWidth, kCellHeight, 5, 2);
    EXPECT_TRUE(CellShows(142, 266, kBlank));
    EXPECT_TRUE(CellShows(156, 266, 5));
    EXPECT_EQ(ScreenPixel(170, 270), kMarker);
}

}  // namespace
}  // namespace board_test
