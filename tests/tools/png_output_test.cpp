// Pictures written as PNG, read back with libpng: the exported picture stands
// upright in its colours; the contact sheet shows each picture upright,
// magnified, its frames side by side from frame 0, see-through white over a
// grey checkerboard and its label to its left.
#include <gtest/gtest.h>

#include <png.h>
#include <unistd.h>

#include <filesystem>

#include "tools/dbb/png_export.h"
#include "tools/dbb/raw_picture.h"
#ifndef _WIN32
#include "tools/dbb/contact_sheet.h"
#endif

namespace {

struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kRed{230, 0, 0}, kGreen{0, 180, 0}, kBlue{0, 0, 230}, kYellow{200, 200, 0}, kMagenta{200, 0, 200};
constexpr Rgb kSeeThrough{255, 255, 255};

// A raw picture from its pixels in stored order: rows bottom-up.
std::vector<std::uint8_t> Raw(std::uint32_t width, std::uint32_t height, std::initializer_list<Rgb> pixels) {
    std::vector<std::uint8_t> raw;
    dbb::AppendU32(raw, width);
    dbb::AppendU32(raw, height);
    for (const Rgb& p : pixels) raw.insert(raw.end(), {0, p.blue, p.green, p.red});
    return raw;
}

const std::filesystem::path kPng = std::filesystem::temp_directory_path() / ("mirelink-png-" + std::to_string(::getpid()) + ".png");

// The PNG file read back as RGBA, top row first; the file is removed.
struct ReadBack {
    ReadBack() {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, kPng.string().c_str())) {
            image.format = PNG_FORMAT_RGBA;
            rgba.resize(PNG_IMAGE_SIZE(image));
            png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr);
        }
        std::filesystem::remove(kPng);
        width = static_cast<int>(image.width);
    }
    Rgb At(int x, int y) const {
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 4;
        return {rgba.at(at), rgba.at(at + 1), rgba.at(at + 2)};
    }
    // The first pixel of that colour, reading rows top-down.
    std::pair<int, int> Find(Rgb colour) const {
        for (int i = 0; i < static_cast<int>(rgba.size() / 4); ++i) {
            if (At(i % width, i / width) == colour) return {i % width, i / width};
        }
        return {-1, -1};
    }
    std::vector<std::uint8_t> rgba;
    int width = 0;
};

TEST(PngExport, FileReadsBackUprightAndBadInputIsAClearError) {
    // Stored bottom-up: a white bottom row under (blue 1, green 2, red 3) and black.
    dbb::WritePng(kPng, dbb::UprightRgba(Raw(2, 2, {kSeeThrough, kSeeThrough, {3, 2, 1}, {0, 0, 0}})));
    EXPECT_EQ(ReadBack().rgba,
              (std::vector<std::uint8_t>{3, 2, 1, 255, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
    EXPECT_THROW(dbb::UprightRgba(std::vector<std::uint8_t>{1, 0, 0, 0, 1, 0, 0, 0, 9}), dbb::Error);
    EXPECT_THROW(dbb::WritePng("/nonexistent-dir/x.png", dbb::RgbaImage{1, 1, {0, 0, 0, 255}}), dbb::Error);
}

// The contact sheet letters its labels with Cairo, which has no Windows build.
#ifndef _WIN32
TEST(ContactSheet, ShowsEachPictureUprightMagnifiedFrameByFrameWithItsLabel) {
    // Two frames of 2x2. Frame 0: red and see-through over green; frame 1:
    // blue over yellow. Then a one-pixel magenta picture with a longer label.
    constexpr int kScale = 3;
    dbb::WriteContactSheet(kPng, {{"7", 2, Raw(2, 4, {kGreen, kGreen, kRed, kSeeThrough, kYellow, kYellow, kBlue, kBlue})},
                                  {"icon 8", 1, Raw(1, 1, {kMagenta})}}, kScale);
    const ReadBack sheet;
    const auto [x, y] = sheet.Find(kRed);
    ASSERT_GE(x, 0);
    EXPECT_EQ(sheet.At(x + kScale - 1, y + kScale - 1), kRed);
    EXPECT_EQ(sheet.At(x, y + kScale), kGreen) << "the frame's top row is drawn on top";
    const Rgb seeThrough = sheet.At(x + kScale, y);
    EXPECT_TRUE(seeThrough.red == seeThrough.green && seeThrough.green == seeThrough.blue && seeThrough.red < 255)
        << "see-through shows the grey checkerboard, got " << int{seeThrough.red};
    bool label = false;  // dark pixels left of the picture
    for (int row = y; row < y + 14; ++row) {
        for (int column = 0; column < x; ++column) label = label || sheet.At(column, row).red < 100;
    }
    EXPECT_TRUE(label);
    const auto [blueX, blueY] = sheet.Find(kBlue);
    EXPECT_EQ(blueY, y) << "frames stand side by side";
    EXPECT_GE(blueX, x + 2 * kScale) << "frame 1 follows frame 0";
    const auto [magentaX, magentaY] = sheet.Find(kMagenta);
    EXPECT_EQ(magentaX, x) << "every row's pictures start in one column, past the widest label";
    EXPECT_GE(magentaY, y + 2 * kScale) << "the next picture is on a row of its own";
}
#endif

}  // namespace
