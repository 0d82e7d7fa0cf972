// PNG export: the picture upright with its colours, read back with libpng.
#include <gtest/gtest.h>

#include <png.h>

#include <filesystem>
#include <unistd.h>

#include "tools/dbb/png_export.h"
#include "tools/dbb/raw_picture.h"

namespace {

TEST(PngExport, FileReadsBackUpright) {
    // 2x2, stored bottom-up: a white bottom row under (blue 1, green 2, red 3) and black.
    std::vector<std::uint8_t> raw;
    dbb::AppendU32(raw, 2);
    dbb::AppendU32(raw, 2);
    raw.insert(raw.end(), {0, 255, 255, 255, 0, 255, 255, 255, 0, 1, 2, 3, 0, 0, 0, 0});
    const auto path = std::filesystem::temp_directory_path() / ("mirelink-png-" + std::to_string(::getpid()) + ".png");
    dbb::WritePng(path, dbb::UprightRgba(raw));

    png_image read{};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
    read.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr));
    std::filesystem::remove(path);
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{3, 2, 1, 255, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
}

TEST(PngExport, BadInputIsAClearError) {
    EXPECT_THROW(dbb::UprightRgba(std::vector<std::uint8_t>{1, 0, 0, 0, 1, 0, 0, 0, 9}), dbb::Error);
    const dbb::RgbaImage image{1, 1, {0, 0, 0, 255}};
    EXPECT_THROW(dbb::WritePng("/nonexistent-dir/x.png", image), dbb::Error);
}

}  // namespace
