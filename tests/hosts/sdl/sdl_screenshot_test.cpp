#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "hosts/sdl/screenshot.h"

namespace sdlhost {
namespace {

namespace fs = std::filesystem;

class SdlScreenshotFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "mirelink-shots-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
    }
    void TearDown() override { fs::remove_all(directory_); }
    fs::path directory_;
};

TEST_F(SdlScreenshotFiles, NamesCarryDateTimeAndANumberAndNeverOverwrite) {
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 2;  // March
    when.tm_mday = 7;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 3;
    EXPECT_EQ(ScreenshotFileName(when, 12), "mirelink-20240307-090503-12.png");

    int number = 1;
    std::ofstream(directory_ / "mirelink-20240307-090503-1.png") << "taken earlier";
    std::ofstream(directory_ / "mirelink-20240307-090503-2.png") << "taken earlier";
    EXPECT_EQ(NextScreenshotPath(directory_, when, number).filename(), "mirelink-20240307-090503-3.png");
    EXPECT_EQ(number, 4);
    EXPECT_EQ(NextScreenshotPath(directory_, when, number).filename(), "mirelink-20240307-090503-4.png");
}

TEST_F(SdlScreenshotFiles, PngHoldsThePictureAsShown) {
    std::vector<std::uint32_t> picture(kScreenPixels, 0x000000u);
    picture[0] = 0xFF0000u;
    picture[kScreenPixels - 1] = 0x0000FFu;
    picture[272 * kScreenWidth + 35] = 0x12AB34u;
    const fs::path path = directory_ / "shot.png";
    ASSERT_TRUE(SavePng(path, std::span<const std::uint32_t, kScreenPixels>(picture)));
    EXPECT_FALSE(SavePng(directory_ / "missing" / "shot.png", std::span<const std::uint32_t, kScreenPixels>(picture)));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0);
    EXPECT_EQ(image.width, 240u);
    EXPECT_EQ(image.height, 320u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    auto pixel = [&](std::size_t x, std::size_t y) {
        const std::size_t at = (y * 240 + x) * 3;
        return std::array<int, 3>{rgb[at], rgb[at + 1], rgb[at + 2]};
    };
    EXPECT_EQ(pixel(0, 0), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(pixel(239, 319), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(pixel(35, 272), (std::array<int, 3>{0x12, 0xAB, 0x34}));
    EXPECT_EQ(pixel(1, 0), (std::array<int, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace sdlhost
