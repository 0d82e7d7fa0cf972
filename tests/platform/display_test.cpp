// The game display interface and the screen's orientation.
#include <gtest/gtest.h>

#include "platform/coredll/coredll.h"
#include "platform/gx/gx.h"
#include "platform/platform.h"
#include "tests/support/fake_host.h"

namespace {

using test_support::FakeHost;

TEST(GxDisplay, OnlyAFrameBegunOnAnOpenDisplayIsPresented) {
    FakeHost host;
    host.Install();
    EXPECT_EQ(GXBeginDraw(), nullptr);
    EXPECT_EQ(GXOpenDisplay(nullptr, GX_FULLSCREEN), 1);
    EXPECT_EQ(GXEndDraw(), 0) << "no frame was begun";
    ASSERT_NE(GXBeginDraw(), nullptr);
    EXPECT_EQ(GXCloseDisplay(), 1);
    EXPECT_EQ(GXBeginDraw(), nullptr);
    GXOpenDisplay(nullptr, GX_FULLSCREEN);
    EXPECT_EQ(GXEndDraw(), 0) << "a frame begun before the close presents nothing";
    EXPECT_EQ(host.framesPresented, 0u);
}

TEST(GxDisplay, TheHostLearnsWhichFramesChanged) {
    FakeHost host;
    host.Install();
    GXOpenDisplay(nullptr, GX_FULLSCREEN);
    const auto present = [](std::uint8_t firstByte) {
        static_cast<std::uint8_t*>(GXBeginDraw())[0] = firstByte;
        GXEndDraw();
    };
    present(0);  // the first frame is news even when black
    present(0);
    present(7);
    present(7);
    present(0);
    EXPECT_EQ(host.framesPresented, 5u);
    EXPECT_EQ(host.framesChanged, 3u);
}

TEST(GxDisplay, MemoryCoversTheWholeConfiguredGeometry) {
    FakeHost host;
    host.Install({.width = 480, .height = 640, .xPitch = 4, .yPitch = 1920, .bitsPerPixel = 32,
                  .format = kfDirect888});
    EXPECT_GE(platform::DisplayMemorySize(), 1920u * 640u);
}

DEVMODEW OrientationMode(DWORD orientation) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_DISPLAYORIENTATION;
    mode.dmDisplayOrientation = orientation;
    return mode;
}

LONG ChangeOrientation(DWORD orientation, DWORD flags = 0) {
    DEVMODEW mode = OrientationMode(orientation);
    return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, flags, nullptr);
}

TEST(Orientation, TurnsReportSwappedSizesAndUnknownOnesAreRefused) {
    FakeHost host;
    host.Install({.rotated = true});
    DEVMODEW mode = OrientationMode(77);
    EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(mode.dmDisplayOrientation, DMDO_90) << "the query answers the current turn";
    EXPECT_EQ(GXGetDisplayProperties().cxWidth, 320u);

    const std::pair<DWORD, DWORD> turns[] = {{DMDO_0, 240}, {DMDO_270, 320}, {DMDO_180, 240}};
    for (const auto& [turn, width] : turns) {
        EXPECT_EQ(ChangeOrientation(turn), DISP_CHANGE_SUCCESSFUL);
        EXPECT_EQ(GXGetDisplayProperties().cxWidth, width) << turn;
    }
    EXPECT_EQ(ChangeOrientation(3), DISP_CHANGE_BADMODE);
    EXPECT_EQ(platform::CurrentStatus().orientation, DMDO_180);
    EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, nullptr, nullptr, CDS_TEST, nullptr), DISP_CHANGE_BADMODE);
    EXPECT_FALSE(EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, nullptr));
    EXPECT_FALSE(EnumDisplaySettings(nullptr, 5, &mode));

    platform::ResetForTesting();
    EXPECT_EQ(platform::CurrentStatus().orientation, DMDO_90) << "a reset returns to the configured turn";
}

}  // namespace
