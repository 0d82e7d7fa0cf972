#include <gtest/gtest.h>

#include "hosts/sdl/screen_geometry.h"

namespace sdlhost {
namespace {

TEST(SdlScale, LargestWholeScaleThatFitsButNeverBelowOne) {
    EXPECT_EQ(FitScale(1920, 1050), 3);  // height limits: 4 x 320 = 1280 > 1050
    EXPECT_EQ(FitScale(720, 2000), 3);   // width limits
    EXPECT_EQ(FitScale(960, 1280), 4);   // exact fit
    EXPECT_EQ(FitScale(959, 1280), 3);
    EXPECT_EQ(FitScale(200, 200), 1);
    EXPECT_EQ(FitScale(0, 0), 1);
}

TEST(SdlViewport, PictureIsCentredAtTheChosenScaleAtMost) {
    const struct { int width, height, chosen; Viewport expected; } cases[] = {
        {480, 640, 2, {0, 0, 2}},                                   // exact size: no border
        {1920, 1080, 0, {(1920 - 720) / 2, (1080 - 960) / 2, 3}},   // full screen: the largest scale
        {1000, 1000, 2, {(1000 - 480) / 2, (1000 - 640) / 2, 2}},   // an enlarged window, not picture
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
        const Viewport viewport = FitViewport(c.width, c.height, c.chosen);
        EXPECT_EQ(viewport.left, c.expected.left);
        EXPECT_EQ(viewport.top, c.expected.top);
        EXPECT_EQ(viewport.scale, c.expected.scale);
    }
}

TEST(SdlPenMapping, BorderPixelsAreOffScreen) {
    const Viewport letterboxed{600, 60, 3};
    EXPECT_TRUE(IsOnScreen(WindowToScreen(600, 60, letterboxed)));
    // One window pixel left of / above the picture must not round to 0.
    EXPECT_FALSE(IsOnScreen(WindowToScreen(599, 100, letterboxed)));
    EXPECT_FALSE(IsOnScreen(WindowToScreen(700, 59, letterboxed)));
    EXPECT_FALSE(IsOnScreen(WindowToScreen(600 + 720, 100, letterboxed)));
    EXPECT_FALSE(IsOnScreen(WindowToScreen(700, 60 + 960, letterboxed)));
}

TEST(SdlPenMapping, LiftOutsideIsClampedToTheNearestEdge) {
    const auto clamped = [](int x, int y) {
        const ScreenPoint point = ClampToScreen({x, y});
        return std::pair{point.x, point.y};
    };
    EXPECT_EQ(clamped(-5, -1), std::pair(0, 0));
    EXPECT_EQ(clamped(400, 320), std::pair(239, 319));
    EXPECT_EQ(clamped(17, 300), std::pair(17, 300));
}

}  // namespace
}  // namespace sdlhost
