// The game display interface and the screen's orientation.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/coredll/coredll.h"
#include "platform/gx/gx.h"
#include "platform/platform.h"
#include "tests/support/fake_host.h"

namespace {

using test_support::FakeHost;

DEVMODEW OrientationQuery() {
    DEVMODEW mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_DISPLAYORIENTATION;
    return mode;
}

TEST(GxDisplay, DrawingIsPossibleOnlyWhileTheDisplayIsOpen) {
    FakeHost host;
    host.Install();
    EXPECT_EQ(GXBeginDraw(), nullptr);
    EXPECT_EQ(GXEndDraw(), 0);
    EXPECT_EQ(host.framesPresented, 0u);

    EXPECT_EQ(GXOpenDisplay(nullptr, GX_FULLSCREEN), 1);
    EXPECT_TRUE(platform::CurrentStatus().displayOpen);
    auto* memory = static_cast<std::uint8_t*>(GXBeginDraw());
    ASSERT_NE(memory, nullptr);
    ASSERT_GE(platform::DisplayMemorySize(), 153600u);
    memory[0] = 0x12;
    memory[153599] = 0x34;
    EXPECT_EQ(GXEndDraw(), 1);
    EXPECT_EQ(GXEndDraw(), 0) << "no frame was begun";
    EXPECT_EQ(host.framesPresented, 1u);
    EXPECT_EQ(platform::CurrentStatus().presents, 1u);
    ASSERT_GE(host.lastFrame.size(), 153600u);
    EXPECT_EQ(host.lastFrame[0], 0x12);
    EXPECT_EQ(host.lastFrame[153599], 0x34);

    EXPECT_EQ(GXCloseDisplay(), 1);
    EXPECT_FALSE(platform::CurrentStatus().displayOpen);
    EXPECT_EQ(GXBeginDraw(), nullptr);
}

TEST(GxDisplay, ClosingInTheMiddleOfAFramePresentsNothing) {
    FakeHost host;
    host.Install();
    GXOpenDisplay(nullptr, GX_FULLSCREEN);
    ASSERT_NE(GXBeginDraw(), nullptr);
    GXCloseDisplay();
    GXOpenDisplay(nullptr, GX_FULLSCREEN);
    EXPECT_EQ(GXEndDraw(), 0);
    EXPECT_EQ(host.framesPresented, 0u);
}

TEST(GxDisplay, MemoryCoversTheWholeConfiguredGeometry) {
    FakeHost host;
    host.Install({.width = 480, .height = 640, .xPitch = 4, .yPitch = 1920, .bitsPerPixel = 32,
                  .format = kfDirect888});
    EXPECT_EQ(GXGetDisplayProperties().cbyPitch, 1920);
    EXPECT_GE(platform::DisplayMemorySize(), 1920u * 640u);
}

TEST(Orientation, TurnedScreenReportsSwappedSizeUntilTurnedBack) {
    FakeHost host;
    host.Install({.rotated = true});
    EXPECT_EQ(platform::CurrentStatus().orientation, DMDO_90);
    EXPECT_EQ(GXGetDisplayProperties().cxWidth, 320u);
    EXPECT_EQ(GXGetDisplayProperties().cyHeight, 240u);

    // The display device's start: ask, and when turned, apply the listed mode.
    DEVMODEW mode = OrientationQuery();
    EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr),
              DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(mode.dmDisplayOrientation, DMDO_90);
    ASSERT_TRUE(EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmDisplayOrientation, DMDO_0);
    EXPECT_EQ(mode.dmPelsWidth, 240u);
    EXPECT_EQ(mode.dmPelsHeight, 320u);
    EXPECT_EQ(mode.dmBitsPerPel, 16u);
    mode.dmFields = DM_DISPLAYORIENTATION;
    EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);

    EXPECT_EQ(platform::CurrentStatus().orientation, DMDO_0);
    EXPECT_EQ(GXGetDisplayProperties().cxWidth, 240u);
    EXPECT_EQ(GXGetDisplayProperties().cyHeight, 320u);
}

TEST(Orientation, UprightScreenAnswersZeroAndRejectsUnknownOrientations) {
    FakeHost host;
    host.Install();
    DEVMODEW mode = OrientationQuery();
    mode.dmDisplayOrientation = 77;
    ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr);
    EXPECT_EQ(mode.dmDisplayOrientation, DMDO_0);

    mode.dmDisplayOrientation = 3;
    EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr), DISP_CHANGE_BADMODE);
    mode.dmDisplayOrientation = DMDO_270;
    EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(GXGetDisplayProperties().cxWidth, 320u);
    mode.dmDisplayOrientation = DMDO_180;
    ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr);
    EXPECT_EQ(GXGetDisplayProperties().cxWidth, 240u);

    EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, nullptr, nullptr, CDS_TEST, nullptr),
              DISP_CHANGE_BADMODE);
    EXPECT_FALSE(EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, nullptr));
    EXPECT_FALSE(EnumDisplaySettings(nullptr, 5, &mode));
}

TEST(Orientation, ResetForgetsATurnAndReturnsToTheConfiguredOne) {
    FakeHost host;
    host.Install({.rotated = true});
    DEVMODEW mode = OrientationQuery();
    mode.dmDisplayOrientation = DMDO_0;
    ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr);
    platform::ResetForTesting();
    EXPECT_EQ(platform::CurrentStatus().orientation, DMDO_90);
}

}  // namespace
