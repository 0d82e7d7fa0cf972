// Pictures written as PNG, read back with libpng: the exported picture stands
// upright in its colours; the contact sheet shows each picture upright,
// magnified, its frames side by side from frame 0, see-through white over a
// grey checkerboard and its label to its left.
#include <gtest/gtest.h>

#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "tools/dbb/contact_sheet.h"
#include "tools/dbb/png_export.h"
#include "tools/dbb/raw_picture.h"

namespace {

struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kRed{230, 0, 0};
constexpr Rgb kGreen{0, 180, 0};
constexpr Rgb kBlue{0, 0, 230};
constexpr Rgb kYellow{200, 200, 0};
constexpr Rgb kMagenta{200, 0, 200};
constexpr Rgb kSeeThrough{255, 255, 255};

// A raw picture from its pixels in stored order: rows bottom-up.
std::vector<std::uint8_t> Raw(std::uint32_t width, std::uint32_t height, std::initializer_list<Rgb> pixels) {
    std::vector<std::uint8_t> raw;
    dbb::AppendU32(raw, width);
    dbb::AppendU32(raw, height);
    for (const Rgb& p : pixels) raw.insert(raw.end(), {0, p.blue, p.green, p.red});
    return raw;
}

std::filesystem::path TemporaryPng() {
    return std::filesystem::temp_directory_path() / ("mirelink-png-" + std::to_string(::getpid()) + ".png");
}

struct Point {
    int x, y;
};

// A PNG file read back as RGBA, top row first; the file is removed.
class ReadBack {
  public:
    explicit ReadBack(const std::filesystem::path& path) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, path.c_str())) {
            image.format = PNG_FORMAT_RGBA;
            rgba.resize(PNG_IMAGE_SIZE(image));
            png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr);
        }
        std::filesystem::remove(path);
        width_ = static_cast<int>(image.width);
        height_ = static_cast<int>(image.height);
    }

    Rgb At(int x, int y) const {
        const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 4;
        return {rgba.at(at), rgba.at(at + 1), rgba.at(at + 2)};
    }

    // The first pixel of that colour, reading rows top-down.
    std::optional<Point> Find(Rgb colour) const {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (At(x, y) == colour) return Point{x, y};
            }
        }
        return std::nullopt;
    }

    // Dark label pixels left of a picture whose top left is `at`.
    bool HasLabelLeftOf(Point at) const {
        for (int y = at.y; y < at.y + 14; ++y) {
            for (int x = 0; x < at.x; ++x) {
                if (At(x, y).red < 100) return true;
            }
        }
        return false;
    }

    std::vector<std::uint8_t> rgba;

  private:
    int width_ = 0;
    int height_ = 0;
};

TEST(PngExport, FileReadsBackUprightAndBadInputIsAClearError) {
    // Stored bottom-up: a white bottom row under (blue 1, green 2, red 3) and black.
    const auto path = TemporaryPng();
    dbb::WritePng(path, dbb::UprightRgba(Raw(2, 2, {kSeeThrough, kSeeThrough, {3, 2, 1}, {0, 0, 0}})));
    EXPECT_EQ(ReadBack(path).rgba,
              (std::vector<std::uint8_t>{3, 2, 1, 255, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
    EXPECT_THROW(dbb::UprightRgba(std::vector<std::uint8_t>{1, 0, 0, 0, 1, 0, 0, 0, 9}), dbb::Error);
    EXPECT_THROW(dbb::WritePng("/nonexistent-dir/x.png", dbb::RgbaImage{1, 1, {0, 0, 0, 255}}), dbb::Error);
}

TEST(ContactSheet, ShowsEachPictureUprightMagnifiedFrameByFrameWithItsLabel) {
    // Two frames of 2x2. Frame 0: red and see-through over green; frame 1:
    // blue over yellow. Then a one-pixel magenta picture with a longer label.
    const std::vector<dbb::SheetPicture> pictures{
        {"7", 2, Raw(2, 4, {kGreen, kGreen, kRed, kSeeThrough, kYellow, kYellow, kBlue, kBlue})},
        {"icon 8", 1, Raw(1, 1, {kMagenta})},
    };
    const auto path = TemporaryPng();
    constexpr int kScale = 3;
    dbb::WriteContactSheet(path, pictures, kScale);
    const ReadBack sheet(path);

    const std::optional<Point> red = sheet.Find(kRed);
    ASSERT_TRUE(red);
    EXPECT_EQ(sheet.At(red->x + kScale - 1, red->y + kScale - 1), kRed);
    EXPECT_EQ(sheet.At(red->x, red->y + kScale), kGreen) << "the frame's top row is drawn on top";
    const Rgb seeThrough = sheet.At(red->x + kScale, red->y);
    EXPECT_TRUE(seeThrough.red == seeThrough.green && seeThrough.green == seeThrough.blue && seeThrough.red < 255)
        << "see-through shows the grey checkerboard, got " << int{seeThrough.red};
    EXPECT_TRUE(sheet.HasLabelLeftOf(*red));

    const std::optional<Point> blue = sheet.Find(kBlue);
    ASSERT_TRUE(blue);
    EXPECT_EQ(blue->y, red->y) << "frames stand side by side";
    EXPECT_GE(blue->x, red->x + 2 * kScale) << "frame 1 follows frame 0";

    const std::optional<Point> magenta = sheet.Find(kMagenta);
    ASSERT_TRUE(magenta);
    EXPECT_EQ(magenta->x, red->x) << "every row's pictures start in one column, past the widest label";
    EXPECT_GE(magenta->y, red->y + 2 * kScale) << "the next picture is on a row of its own";
}

TEST(ContactSheet, RefusesWhatItCannotDrawWithAClearError) {
    const auto path = TemporaryPng();
    const auto errorOf = [&path](std::vector<dbb::SheetPicture> pictures, int scale = 1) {
        try {
            dbb::WriteContactSheet(path, pictures, scale);
        } catch (const dbb::Error& error) {
            return std::string(error.what());
        }
        return std::string("(no error)");
    };
    const auto pixel = Raw(1, 1, {kRed});
    EXPECT_EQ(errorOf({{"5", 1, {1, 0, 0, 0, 1, 0, 0, 0, 9}}}), "picture 5 is not a whole picture");
    EXPECT_EQ(errorOf({{"5", 2, Raw(1, 3, {kRed, kRed, kRed})}}), "picture 5: height 3 is not 2 whole frames");
    EXPECT_EQ(errorOf({{"5", 0, pixel}}), "picture 5: height 1 is not 0 whole frames");
    EXPECT_NE(errorOf({{"5", 1, pixel}}, 0).find("scale"), std::string::npos);
    // 20000 pixels wide is drawable; twice that is more than Cairo takes.
    std::vector<std::uint8_t> wide;
    dbb::AppendU32(wide, 20000);
    dbb::AppendU32(wide, 1);
    wide.resize(8 + 4 * 20000, 0);
    EXPECT_NE(errorOf({{"5", 1, wide}}, 2).find("lower the scale"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(errorOf({{"5", 1, pixel}}), "(no error)");
    std::filesystem::remove(path);
    EXPECT_THROW(dbb::WriteContactSheet("/nonexistent-dir/sheet.png", {{"5", 1, pixel}}), dbb::Error);
}

}  // namespace
