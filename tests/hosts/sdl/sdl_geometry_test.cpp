#include <gtest/gtest.h>

#include "hosts/sdl/screen_geometry.h"

namespace sdlhost {
namespace {

TEST(SdlScale, LargestWholeScaleThatFits) {
    EXPECT_EQ(FitScale(1920, 1050), 3);  // height limits: 4 x 320 = 1280 > 1050
    EXPECT_EQ(FitScale(720, 2000), 3);   // width limits
    EXPECT_EQ(FitScale(960, 1280), 4);   // exact fit
    EXPECT_EQ(FitScale(959, 1280), 3);
}

TEST(SdlScale, NeverBelowOne) {
    EXPECT_EQ(FitScale(200, 200), 1);
    EXPECT_EQ(FitScale(0, 0), 1);
}

TEST(SdlViewport, WindowOfExactSizeHasNoBorder) {
    const Viewport viewport = FitViewport(480, 640, 2);
    EXPECT_EQ(viewport.scale, 2);
    EXPECT_EQ(viewport.left, 0);
    EXPECT_EQ(viewport.top, 0);
}

TEST(SdlViewport, FullScreenCentresAtLargestScale) {
    const Viewport viewport = FitViewport(1920, 1080, 0);
    EXPECT_EQ(viewport.scale, 3);
    EXPECT_EQ(viewport.left, (1920 - 720) / 2);
    EXPECT_EQ(viewport.top, (1080 - 960) / 2);
}

TEST(SdlViewport, ChosenScaleIsAnUpperBound) {
    // A window manager that enlarges the window does not enlarge the picture.
    const Viewport viewport = FitViewport(1000, 1000, 2);
    EXPECT_EQ(viewport.scale, 2);
    EXPECT_EQ(viewport.left, (1000 - 480) / 2);
    EXPECT_EQ(viewport.top, (1000 - 640) / 2);
}

TEST(SdlPenMapping, WindowPixelsMapToScreenPixels) {
    const Viewport scaled{0, 0, 3};
    const ScreenPoint corner = WindowToScreen(719, 959, scaled);
    EXPECT_EQ(corner.x, 239);
    EXPECT_EQ(corner.y, 319);
    const ScreenPoint about = WindowToScreen(35 * 3 + 2, 272 * 3, scaled);
    EXPECT_EQ(about.x, 35);
    EXPECT_EQ(about.y, 272);
}

TEST(SdlPenMapping, LetterboxOffsetIsRemoved) {
    const Viewport letterboxed{600, 60, 3};
    const ScreenPoint origin = WindowToScreen(600, 60, letterboxed);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    EXPECT_TRUE(IsOnScreen(origin));
}

TEST(SdlPenMapping, BorderPixelsAreOffScreen) {
    const Viewport letterboxed{600, 60, 3};
    // One window pixel left of / above the picture must not round to 0.
    EXPECT_FALSE(IsOnScreen(WindowToScreen(599, 100, letterboxed)));
    EXPECT_FALSE(IsOnScreen(WindowToScreen(700, 59, letterboxed)));
    EXPECT_FALSE(IsOnScreen(WindowToScreen(600 + 720, 100, letterboxed)));
    EXPECT_FALSE(IsOnScreen(WindowToScreen(700, 60 + 960, letterboxed)));
}

TEST(SdlPenMapping, LiftOutsideIsClampedToTheNearestEdge) {
    const ScreenPoint leftAbove = ClampToScreen({-5, -1});
    EXPECT_EQ(leftAbove.x, 0);
    EXPECT_EQ(leftAbove.y, 0);
    const ScreenPoint rightBelow = ClampToScreen({400, 320});
    EXPECT_EQ(rightBelow.x, 239);
    EXPECT_EQ(rightBelow.y, 319);
    const ScreenPoint inside = ClampToScreen({17, 300});
    EXPECT_EQ(inside.x, 17);
    EXPECT_EQ(inside.y, 300);
}

}  // namespace
}  // namespace sdlhost
