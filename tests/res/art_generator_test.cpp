// The art generator itself: what it takes from the script, turning drawn
// frames into the stored layout, and having a drawing for every picture.
#include <gtest/gtest.h>

#include <sstream>

#include "res/art/catalogue.h"
#include "res/art/picture.h"
#include "res/art/picture_line.h"
#include "tools/dbb/resource_script.h"

namespace {

std::vector<art::PictureLine> Lines(const std::string& text) {
    std::istringstream stream(text);
    return art::PicturesToDraw(dbb::ParseResourceScript(stream, "test.txt"));
}

TEST(PicturesToDraw, TakesTheIconThenThePicturesAndLeavesTheStrings) {
    const std::vector<art::PictureLine> lines = Lines(
        "# comment\n"
        "dbb 300 raw 20 260 13 flower opening\n"
        "string 1 \"Mirelink\"\n"
        "icon   101 32 24\n"
        "dbb 167 packed 240 240 1 title\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].kind, art::PictureKind::Icon);
    EXPECT_EQ(lines[0].FileName(), "icon101.dbb");
    EXPECT_EQ(lines[0].width, 32);
    EXPECT_EQ(lines[0].height, 24);
    EXPECT_EQ(lines[0].frames, 1);
    EXPECT_EQ(lines[1].kind, art::PictureKind::Picture);
    EXPECT_EQ(lines[1].FileName(), "300.dbb");
    EXPECT_EQ(lines[1].frames, 13);
    EXPECT_EQ(lines[1].FrameHeight(), 20);
    EXPECT_FALSE(lines[1].packed);
    EXPECT_EQ(lines[2].id, 167);
    EXPECT_TRUE(lines[2].packed);
}

// A drawing that marks what it draws: each frame a grey of its own, and a
// red top row, so the stored order can be read back.
void MarkFrames(const art::Frame& f) {
    const int grey = 40 + 50 * f.index;
    art::FillRect(f.cr, 0, 0, f.width, f.height, {grey, grey, grey});
    art::FillRect(f.cr, 0, 0, f.width, 1, {200, 0, 0});
}

TEST(Render, StoresFrameZeroFirstAndEachFrameBottomRowFirst) {
    const art::PictureLine line{art::PictureKind::Picture, 1, 3, 12, 3};
    const art::Picture picture = art::Render(line, {MarkFrames, {0, 0, 0}});
    ASSERT_EQ(picture.pixels.size(), 36u);
    for (int frame = 0; frame < 3; ++frame) {
        const std::size_t start = static_cast<std::size_t>(frame) * 3 * 4;
        const art::StoredPixel bottom = picture.pixels[start];
        const art::StoredPixel top = picture.pixels[start + 3 * 3];
        EXPECT_EQ(bottom.red, 40 + 50 * frame) << "frame " << frame;
        EXPECT_EQ(bottom.blue, 40 + 50 * frame);
        EXPECT_EQ(top.red, 200) << "frame " << frame;
        EXPECT_EQ(top.green, 0);
    }
}

// Pixel x of one row: left see-through, then opaque pure white, opaque black,
// and black at 60% over the matte.
void SeeThroughCases(const art::Frame& f) {
    art::FillRect(f.cr, 1, 0, 1, 1, {255, 255, 255});
    art::FillRect(f.cr, 2, 0, 1, 1, {0, 0, 0});
    art::SetColour(f.cr, {0, 0, 0}, 0.6);
    cairo_rectangle(f.cr, 3, 0, 1, 1);
    cairo_fill(f.cr);
    art::SetColour(f.cr, {0, 0, 0}, 0.3);
    cairo_rectangle(f.cr, 4, 0, 1, 1);
    cairo_fill(f.cr);
}

TEST(Render, KeepsPureWhiteForSeeThroughPixelsOnly) {
    const art::PictureLine line{art::PictureKind::Picture, 1, 5, 1, 1};
    const art::Picture picture = art::Render(line, {SeeThroughCases, {100, 100, 100}});
    auto rgb = [&](int x) {
        const art::StoredPixel p = picture.pixels[static_cast<std::size_t>(x)];
        return std::array<int, 4>{p.unused, p.red, p.green, p.blue};
    };
    EXPECT_EQ(rgb(0), (std::array<int, 4>{0, 255, 255, 255}));  // untouched: the key
    EXPECT_EQ(rgb(1), (std::array<int, 4>{0, 254, 254, 254}));  // drawn white is not the key
    EXPECT_EQ(rgb(2), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_NEAR(rgb(3)[1], 40, 1);                               // smoothed against the matte
    EXPECT_EQ(rgb(4), (std::array<int, 4>{0, 255, 255, 255}));  // too faint: see-through
}

TEST(EncodeRaw, WritesLittleEndianSizeThenZeroBlueGreenRed) {
    art::Picture picture{2, 1, 1, {{0, 1, 2, 3}, {0, 4, 5, 6}}};
    picture.width = 0x0102;
    picture.height = 1;
    const std::vector<std::uint8_t> bytes = art::EncodeRaw(picture);
    const std::vector<std::uint8_t> expected{0x02, 0x01, 0, 0, 1, 0, 0, 0, 0, 1, 2, 3, 0, 4, 5, 6};
    EXPECT_EQ(bytes, expected);
}

class Catalogue : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(art::LoadFonts(), ""); }

    static std::vector<art::PictureLine> ScriptLines() {
        return art::PicturesToDraw(dbb::LoadResourceScript(MIRELINK_RESOURCE_SCRIPT));
    }
};

TEST_F(Catalogue, HasADrawingForEveryPictureOfTheScript) {
    const std::vector<art::PictureLine> lines = ScriptLines();
    ASSERT_GT(lines.size(), 90u);
    for (const art::PictureLine& line : lines) {
        EXPECT_NE(art::TheCatalogue().Find(line), nullptr) << line.FileName();
    }
    const art::PictureLine unknown{art::PictureKind::Picture, 9999, 20, 20, 1};
    EXPECT_EQ(art::TheCatalogue().Find(unknown), nullptr);
}

// Runs every drawing (under the sanitizers in the test build) twice.
TEST_F(Catalogue, DrawsEveryPictureAtItsSizeTheSameEveryTime) {
    for (const art::PictureLine& line : ScriptLines()) {
        const art::Drawing& drawing = *art::TheCatalogue().Find(line);
        const std::vector<std::uint8_t> first = art::EncodeRaw(art::Render(line, drawing));
        EXPECT_EQ(first.size(), 8 + 4 * static_cast<std::size_t>(line.width) * line.height) << line.FileName();
        EXPECT_EQ(first, art::EncodeRaw(art::Render(line, drawing))) << line.FileName();
    }
}

}  // namespace
