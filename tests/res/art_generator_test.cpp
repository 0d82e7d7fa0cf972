// The art generator's see-through key. (The build draws every picture of the
// script, under the sanitizers in the test build, and the golden plays
// compare what they show.)
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "res/art/picture.h"

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

}  // namespace
