#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "tests/board/game_fixture.h"

namespace board_test {
namespace {

Pixel32 Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) { return {0, blue, green, red}; }
std::uint16_t As565(const Pixel32& p) { return board_test::As565(StoredPixel(p.red, p.green, p.blue)); }

const Pixel32 kWhite = Colour(255, 255, 255);
const Pixel32 kBlack = Colour(0, 0, 0);
constexpr std::uint16_t kMarker = 0xABAB;

// A picture whose every pixel differs, so that a test can find where each went.
std::vector<Pixel32> Distinct(int count, int salt = 0) {
    std::vector<Pixel32> pixels;
    for (int i = 0; i < count; ++i) {
        const int v = i + salt;
        pixels.push_back(Colour(static_cast<std::uint8_t>(8 * (v % 31)), static_cast<std::uint8_t>(4 * (v / 31 % 63)),
                                static_cast<std::uint8_t>(8 * (v / 1953 % 31) + 8)));
    }
    return pixels;
}

class DrawingTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        std::memset(game.display->backBuffer, 0xAB, kScreenBytes);
        std::memset(game.display->workBuffer, 0xAB, kScreenBytes);
    }
    DisplayDevice& device() { return *game.display; }
    std::uint16_t WorkElement(int e) const {
        return static_cast<std::uint16_t>(game.display->workBuffer[2 * e] | game.display->workBuffer[2 * e + 1] << 8);
    }
    // Back-buffer pixels that no longer hold the marker.
    int ChangedPixels() const {
        int changed = 0;
        for (int y = 0; y < kScreenHeight; ++y) {
            for (int x = 0; x < kScreenWidth; ++x) changed += ScreenPixel(x, y) != kMarker;
        }
        return changed;
    }
};

TEST_F(DrawingTest, StoredRowsGoBottomUpAndLeftToRight) {
    const std::vector<Pixel32> picture = Distinct(6);  // 3 wide, 2 high
    device().DrawImage(10, 20, picture.data(), 3, 2);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(ScreenPixel(10 + c, 21 - r), As565(picture[r * 3 + c])) << r << c;
    }
    EXPECT_EQ(ChangedPixels(), 6);
}

TEST_F(DrawingTest, PureWhiteIsSkippedAndNearWhiteIsDrawn) {
    const std::vector<Pixel32> picture = {kWhite, Colour(254, 255, 255), Colour(255, 254, 255),
                                          Colour(255, 255, 254)};
    device().DrawImage(0, 0, picture.data(), 4, 1);
    EXPECT_EQ(ScreenPixel(0, 0), kMarker);
    for (int c = 1; c < 4; ++c) EXPECT_EQ(ScreenPixel(c, 0), As565(picture[c])) << c;

    const std::vector<Pixel32> allWhite(400, kWhite);
    device().DrawImage(100, 100, allWhite.data(), 20, 20);
    EXPECT_EQ(ChangedPixels(), 3);
}

TEST_F(DrawingTest, EmptyRectanglesDrawNothing) {
    const std::vector<Pixel32> picture = Distinct(400);
    device().DrawImage(5, 5, picture.data(), 0, 20);
    device().DrawImage(5, 5, picture.data(), 20, 0);
    device().DrawImageMasked(5, 5, picture.data(), picture.data(), 0, 20);
    device().StageImage(5, 5, picture.data(), 20, 0);
    EXPECT_EQ(ChangedPixels(), 0);
    EXPECT_EQ(WorkElement(105), kMarker);
}

TEST_F(DrawingTest, TheMaskLetsThroughOnlyWhereItIsBlack) {
    const std::vector<Pixel32> picture = {kWhite, Colour(10, 20, 30), Colour(40, 50, 60), Colour(70, 80, 90)};
    const std::vector<Pixel32> allBlack(4, kBlack);
    device().DrawImageMasked(0, 0, picture.data(), allBlack.data(), 2, 2);
    EXPECT_EQ(ScreenPixel(0, 1), As565(kWhite)) << "white is copied through a black mask";
    EXPECT_EQ(ScreenPixel(1, 1), As565(picture[1]));
    EXPECT_EQ(ScreenPixel(0, 0), As565(picture[2]));

    // Near-black and white keep the screen.
    const std::vector<Pixel32> mixed = {kBlack, Colour(1, 0, 0), kWhite, Colour(0, 0, 1)};
    device().DrawImageMasked(100, 100, picture.data(), mixed.data(), 2, 2);
    EXPECT_EQ(ScreenPixel(100, 101), As565(kWhite));
    EXPECT_EQ(ScreenPixel(101, 101), kMarker);
    EXPECT_EQ(ScreenPixel(100, 100), kMarker);
    EXPECT_EQ(ScreenPixel(101, 100), kMarker);
}

TEST_F(DrawingTest, StagingFillsTheWorkBufferInThePicturesOwnRows) {
    std::vector<Pixel32> panel = Distinct(230 * 234);
    panel[7] = kWhite;
    device().StageImage(0, 0, panel.data(), 230, 234);
    EXPECT_EQ(WorkElement(0), As565(panel[0]));
    EXPECT_EQ(WorkElement(7), kMarker) << "white leaves the element as it was";
    EXPECT_EQ(WorkElement(53819), As565(panel[53819]));
    EXPECT_EQ(WorkElement(53820), kMarker);
    EXPECT_EQ(ChangedPixels(), 0) << "the back buffer is not touched";

    const std::vector<Pixel32> small = Distinct(8, 100);  // 4 wide, 2 high, at (3, 2)
    device().StageImage(3, 2, small.data(), 4, 2);
    EXPECT_EQ(WorkElement(2 * 4 + 3), As565(small[0]));
    EXPECT_EQ(WorkElement(3 * 4 + 3 + 3), As565(small[7]));
}

TEST(DrawingOn555Test, PrimitivesWriteThroughTheDisplaysWriter) {
    test_support::FakeHost host;
    platform::DisplayConfig display;
    display.format = 0x40;
    host.Install(display);
    auto device = std::make_unique<DisplayDevice>(nullptr);
    ASSERT_EQ(device->CheckFormat(), 0);
    const Pixel32 pixel = Colour(0xF8, 0xF8, 0xF8);
    device->DrawImage(0, 0, &pixel, 1, 1);
    EXPECT_EQ(device->backBuffer[0] | device->backBuffer[1] << 8, 0xFFFE);
}

using DrawingDeathTest = DrawingTest;

TEST_F(DrawingDeathTest, ARectangleOffItsBufferStopsTheTestBuild) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<Pixel32> picture = Distinct(400);
    EXPECT_DEATH(device().DrawImage(230, 0, picture.data(), 20, 20), "DrawImage");
    EXPECT_DEATH(device().DrawImage(0, -1, picture.data(), 20, 20), "DrawImage");
    EXPECT_DEATH(device().DrawImage(0, 310, picture.data(), 1, 11), "DrawImage");
    EXPECT_DEATH(device().DrawImageMasked(-5, 0, picture.data(), picture.data(), 20, 20), "DrawImageMasked");
    EXPECT_DEATH(device().StageImage(0, 3821, picture.data(), 20, 20), "StageImage");
    EXPECT_DEATH(device().DrawImage(0, 0, nullptr, 20, 20), "DrawImage");
    device().DrawImage(220, 300, picture.data(), 20, 20);  // the last cell of the screen is fine
    device().StageImage(0, 3820, picture.data(), 20, 20);  // the work buffer's last 400 elements
}

}  // namespace
}  // namespace board_test
