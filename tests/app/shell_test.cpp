// The program's start-up, its window procedure and its loop, on a host
// without a window.
#include <gtest/gtest.h>

#include "app/win_main.h"
#include "gfx/display_device.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/support/fresh_game.h"
#include "tests/support/game_fixture.h"
#include "tests/support/platform_seam.h"

namespace {

using namespace test_support;

using Shell = GameFixture;

// Start-up as the runner's scenarios cannot see it: the title's own pixels
// beside the about page, the icon of the window class, and the seed: the
// clock at the start (1000), in the classic C runtime sequence.
TEST_F(Shell, StartUpShowsTheTitleUnderTheIconAndSeedsTheRandomSequenceWithTheClock) {
    EXPECT_EQ(host.iconWidth, 32u) << "the window class carries icon 101";
    EXPECT_TRUE(RectHolds(0, 0, 240, 7, ScreenColour(167)) && RectHolds(235, 0, 5, 240, ScreenColour(167)));
    EXPECT_EQ(crt::rand(), static_cast<int>((1000u * 214013u + 2531011u) >> 16 & 0x7FFF));
}

TEST_F(Shell, StartUpThatFailsEndsTheProgramBeforeTheLoopWithItsMessage) {
    TearDown();
    const struct {
        platform::Faults faults;
        int bitsPerPixel;
        const char* message;  // nullptr: silently
    } cases[] = {
        {{}, 8, "The display not less than 65536 colours is required."},
        {{.fullScreenFails = true}, 16, "Could not modify the window."},
        {{.registerClassFails = true}, 16, nullptr},
        {{.createWindowFails = true}, 16, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message ? c.message : "silently");
        FreshGame();
        host.Install({.bitsPerPixel = c.bitsPerPixel});
        host.messageBoxes.clear();
        platform::SetFaults(c.faults);
        EXPECT_EQ(WinMain(resources.Register(), nullptr, nullptr, SW_SHOW), 0);
        EXPECT_EQ(host.waitCalls, 0) << "the loop never ran";
        EXPECT_EQ(game.display, nullptr);
        EXPECT_FALSE(platform::CurrentStatus().displayOpen);
        std::vector<std::string> shown, expected;
        for (const auto& box : host.messageBoxes) shown.push_back(box.caption + ": " + box.text);
        if (c.message) expected.push_back(std::string("Error: ") + c.message);
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(Shell, MessagesAfterCloseNeverReachTheReleasedDisplay) {
    HWND window = game.mainWindow;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.display, nullptr);
    EXPECT_FALSE(platform::CurrentStatus().displayOpen);
    const std::uint64_t presents = host.framesPresented;
    for (UINT message : {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_USER, WM_KILLFOCUS, WM_DESTROY}) {
        EXPECT_EQ(SendMessageW(window, message, 0, MAKELPARAM(100, 100)), 0);
    }
    EXPECT_EQ(host.framesPresented, presents);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0)) {
    }
    EXPECT_EQ(message.message, WM_QUIT);
}

}  // namespace
