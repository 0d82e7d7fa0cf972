// The art generator itself: its see-through key, a drawing for every
// picture of the script, and the desktop icons.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "res/art/catalogue.h"
#include "res/art/icon.h"
#include "res/art/picture.h"
#include "res/art/picture_line.h"
#include "tools/dbb/resource_script.h"

namespace {

// Left to right: untouched, opaque pure white, opaque black, black at 60%
// and at 30% over the matte.
void SeeThroughCases(const art::Frame& f) {
    art::FillRect(f.cr, 1, 0, 1, 1, {255, 255, 255});
    art::FillRect(f.cr, 2, 0, 1, 1, {0, 0, 0});
    for (const auto& [x, alpha] : {std::pair{3, 0.6}, std::pair{4, 0.3}}) {
        art::SetColour(f.cr, {0, 0, 0}, alpha);
        cairo_rectangle(f.cr, x, 0, 1, 1);
        cairo_fill(f.cr);
    }
}

TEST(Render, KeepsPureWhiteForSeeThroughPixelsOnly) {
    const art::Picture picture = art::Render({art::PictureKind::Picture, 1, 5, 1, 1}, {SeeThroughCases, {100, 100, 100}});
    auto pixel = [&](int x) {
        const art::StoredPixel p = picture.pixels[static_cast<std::size_t>(x)];
        return std::array<int, 4>{p.unused, p.red, p.green, p.blue};
    };
    EXPECT_EQ(pixel(0), (std::array<int, 4>{0, 255, 255, 255}));  // untouched: the key
    EXPECT_EQ(pixel(1), (std::array<int, 4>{0, 254, 254, 254}));  // drawn white is not the key
    EXPECT_EQ(pixel(2), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_NEAR(pixel(3)[1], 40, 1);                               // smoothed against the matte
    EXPECT_EQ(pixel(4), (std::array<int, 4>{0, 255, 255, 255}));  // too faint: see-through
}

// Runs every drawing (under the sanitizers in the test build) twice.
TEST(Catalogue, DrawsEveryPictureOfTheScriptTheSameEveryTime) {
    ASSERT_EQ(art::LoadFonts(), "");
    for (const art::PictureLine& line : art::PicturesToDraw(dbb::LoadResourceScript(MIRELINK_RESOURCE_SCRIPT))) {
        const art::Drawing* drawing = art::TheCatalogue().Find(line);
        ASSERT_NE(drawing, nullptr) << line.FileName();
        EXPECT_EQ(art::EncodeRaw(art::Render(line, *drawing)), art::EncodeRaw(art::Render(line, *drawing)))
            << line.FileName();
    }
}

// Each size drawn at that size: the tile reaches every edge, the heart
// sits in the middle, and the rounded-off corners are see-through.
TEST(DesktopIcons, AreDrawnAtEverySizeOnASeeThroughGround) {
    const std::filesystem::path folder = testing::TempDir() + "mirelink-icons-" + std::to_string(getpid());
    ASSERT_EQ(art::WriteDesktopIcons(folder.string()), "");
    for (const int size : art::kDesktopIconSizes) {
        SCOPED_TRACE(size);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> icon(
            cairo_image_surface_create_from_png((folder / name / "mirelink.png").c_str()), cairo_surface_destroy);
        ASSERT_EQ(cairo_surface_status(icon.get()), CAIRO_STATUS_SUCCESS);
        ASSERT_EQ(cairo_image_surface_get_format(icon.get()), CAIRO_FORMAT_ARGB32);
        ASSERT_EQ(cairo_image_surface_get_width(icon.get()), size);
        ASSERT_EQ(cairo_image_surface_get_height(icon.get()), size);
        const unsigned char* data = cairo_image_surface_get_data(icon.get());
        const int stride = cairo_image_surface_get_stride(icon.get());
        auto pixel = [&](int x, int y) { return *reinterpret_cast<const std::uint32_t*>(data + y * stride + 4 * x); };
        auto alpha = [&](int x, int y) { return pixel(x, y) >> 24; };
        const int last = size - 1, middle = size / 2;
        for (const std::uint32_t corner : {alpha(0, 0), alpha(last, 0), alpha(0, last), alpha(last, last)}) {
            EXPECT_LT(corner, 40u) << "no more than a faint edge of the rounding";
        }
        EXPECT_EQ((std::array{alpha(middle, 0), alpha(last, middle), alpha(middle, last), alpha(0, middle)}),
                  (std::array{255u, 255u, 255u, 255u}));
        const std::uint32_t heart = pixel(middle, middle);
        EXPECT_TRUE(((heart >> 16) & 0xff) > 150 && ((heart >> 8) & 0xff) < 100) << std::hex << heart;
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
