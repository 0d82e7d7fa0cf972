#include "hosts/headless/screenshot.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

using Rgb = std::array<std::uint8_t, 3>;

TEST(ScreenDecoding, Reads565WithEachChannelWidenedToFullRange) {
    EXPECT_EQ(DecodeRgb565(0xFFFF), (Rgb{255, 255, 255}));
    EXPECT_EQ(DecodeRgb565(0xF800), (Rgb{255, 0, 0}));
    EXPECT_EQ(DecodeRgb565(0x07E0), (Rgb{0, 255, 0}));
    EXPECT_EQ(DecodeRgb565(0x001F), (Rgb{0, 0, 255}));
    // Top bits repeat into the low ones: 10000 -> 10000100, 100000 -> 10000010.
    EXPECT_EQ(DecodeRgb565((0x10 << 11) | (0x20 << 5) | 0x01), (Rgb{132, 130, 8}));
}

TEST(ScreenDecoding, ReadsTheGames555LayoutWithBlueInBitsOneToFive) {
    EXPECT_EQ(DecodeRgb555((31 << 11) | (31 << 6) | (31 << 1)), (Rgb{255, 255, 255}));
    EXPECT_EQ(DecodeRgb555(31 << 1), (Rgb{0, 0, 255}));
    EXPECT_EQ(DecodeRgb555(31 << 6), (Rgb{0, 255, 0}));
    EXPECT_EQ(DecodeRgb555(0x0001), (Rgb{0, 0, 0}));  // bit 0 carries nothing
    EXPECT_EQ(DecodeRgb555(0x0020), (Rgb{0, 0, 132}));  // bit 5 is blue's top bit
}

PresentedFrame TwoByTwo(std::uint32_t format) {
    PresentedFrame frame;
    frame.config.width = 2;
    frame.config.height = 2;
    frame.config.xPitch = 2;
    frame.config.yPitch = 4;
    frame.config.format = format;
    // (0,0) white, (1,0) pure blue in 5-5-5, (0,1) pure red, (1,1) pure blue in 5-6-5.
    frame.memory = {0xFF, 0xFF, 0x3E, 0x00, 0x00, 0xF8, 0x1F, 0x00};
    return frame;
}

TEST(ScreenDecoding, FrameFollowsTheFormatTheGameChose) {
    const PresentedFrame as565 = TwoByTwo(0x80);
    const RgbPicture picture = DecodeFrame(&as565);
    ASSERT_EQ(picture.rgb.size(), 12u);
    EXPECT_EQ(std::vector<std::uint8_t>(picture.rgb.begin(), picture.rgb.end()),
              (std::vector<std::uint8_t>{255, 255, 255, 0, 4, 247, 255, 0, 0, 0, 0, 255}));

    const PresentedFrame as555 = TwoByTwo(0x40);
    EXPECT_EQ(DecodeFrame(&as555).rgb[5], 255);  // (1,0) blue
    EXPECT_EQ(DecodeFrame(&as555).rgb[11], 123);  // (1,1) half blue here

    const PresentedFrame both = TwoByTwo(0xC0);  // the game prefers 5-6-5
    EXPECT_EQ(DecodeFrame(&both).rgb[11], 255);
}

TEST(ScreenDecoding, PixelsBeyondTheCopiedMemoryStayBlack) {
    PresentedFrame frame = TwoByTwo(0x80);
    frame.memory.resize(5);
    const RgbPicture picture = DecodeFrame(&frame);
    EXPECT_EQ(picture.rgb[0], 255);
    EXPECT_EQ(picture.rgb[5], 247);
    EXPECT_EQ(picture.rgb[6], 0);
    EXPECT_EQ(picture.rgb[11], 0);
}

TEST(ScreenDecoding, NothingPresentedIsABlackPortraitScreen) {
    const RgbPicture picture = DecodeFrame(nullptr);
    EXPECT_EQ(picture.width, 240u);
    EXPECT_EQ(picture.height, 320u);
    EXPECT_EQ(std::count(picture.rgb.begin(), picture.rgb.end(), 0), 240 * 320 * 3);
    EXPECT_EQ(DisplayMemoryBytes(platform::DisplayConfig{}), 153600u);
}

class PngFiles : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) /
                                ("headless-png-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(PngFiles, HoldTheDecodedPixels) {
    const PresentedFrame frame = TwoByTwo(0x80);
    const RgbPicture written = DecodeFrame(&frame);
    const std::string path = (dir / "shot.png").string();
    ASSERT_EQ(WritePng(path, written), "");

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0);
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 2u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> read(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, read.data(), 0, nullptr), 0);
    EXPECT_EQ(read, written.rgb);
}

}  // namespace
