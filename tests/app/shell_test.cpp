// Start-up that fails, and the window procedure at and after close: what the
// runner's scripts cannot reach (the platform refusing a class, a window or
// the full screen), the page a slide-out takes, on the program's own pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win_main.h"
#include "gfx/display_device.h"
#include "platform/platform.h"
#include "res/resources.h"
#include "state/game_state.h"
#include "tests/support/fake_host.h"
#include "tests/support/fresh_game.h"
#include "tests/support/platform_seam.h"

namespace {

TEST(Shell, StartUpThatFailsEndsTheProgramBeforeTheLoopWithItsMessage) {
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
        test_support::FakeHost host;
        test_support::FreshGame();
        host.Install({.bitsPerPixel = c.bitsPerPixel});
        platform::SetFaults(c.faults);
        EXPECT_EQ(WinMain(platform::RegisterModule(MirelinkResources()), nullptr, nullptr, SW_SHOW), 0);
        EXPECT_EQ(host.waitCalls, 0) << "the loop never ran";
        EXPECT_EQ(game.display, nullptr);
        EXPECT_FALSE(platform::CurrentStatus().displayOpen);
        std::vector<std::string> shown, expected;
        for (const auto& box : host.messageBoxes) shown.push_back(box.caption + ": " + box.text);
        if (c.message) expected.push_back(std::string("Error: ") + c.message);
        EXPECT_EQ(shown, expected);
    }
}

TEST(Shell, TheCloseButtonOverAPageClosesAndLaterMessagesNeverReachTheDisplay) {
    test_support::FakeHost host;
    test_support::FreshGame();
    host.Install();
    ASSERT_TRUE(InitInstance(platform::RegisterModule(MirelinkResources()), SW_SHOW));
    EXPECT_GT(host.iconWidth, 0u) << "the window class carries the program's icon";
    HWND window = game.mainWindow;
    // The about page's "X", Start, then Help: with a page up during a game the
    // window's close button closes without asking.
    for (const LPARAM at : {MAKELPARAM(200, 230), MAKELPARAM(100, 260), MAKELPARAM(20, 250)}) {
        SendMessageW(window, WM_LBUTTONDOWN, 0, at);
        SendMessageW(window, WM_LBUTTONUP, 0, at);
    }
    ASSERT_TRUE(game.gamePlaying && game.helpPagesShown);
    // The slide-out takes the page now shown: each turn stages its page.
    const auto staged = [] {
        const std::uint8_t* work = game.display->StagedPage();
        return std::vector<std::uint8_t>(work, work + kScreenBytes);
    };
    std::vector<std::vector<std::uint8_t>> pages;
    for (const int x : {63, 63, 28}) {  // ">", ">", "<"
        SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(x, 230));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, 230));
        pages.push_back(staged());
    }
    EXPECT_TRUE(pages[0] != pages[1] && pages[0] == pages[2]);
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
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
