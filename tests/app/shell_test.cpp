// The program's start-up, its window procedure and its loop, on a host
// without a window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/win_main.h"
#include "gfx/display_device.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/support/fake_host.h"
#include "tests/support/fresh_game.h"
#include "tests/support/resource_builder.h"

namespace {

using test_support::FakeHost;

// The title picture in the packed form, all literals: a flat colour.
constexpr std::uint8_t kTitleRed = 0x80, kTitleGreen = 0x40, kTitleBlue = 0x20;

// The classic C runtime sequence, computed here independently.
int FirstRandAfterSeed(std::uint32_t seed) {
    const std::uint32_t state = seed * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

std::uint16_t BackBufferPixel(int x, int y) {
    const std::uint8_t* p = game.display->backBuffer + game.display->PixelOffset(x, y);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::FreshGame();
        host.Install(display);
        const std::uint32_t colour = std::uint32_t{kTitleRed} << 24 | std::uint32_t{kTitleGreen} << 16 |
                                     std::uint32_t{kTitleBlue} << 8;
        resources.AddString(1, u"Mirelink")
            .AddString(2, u"MIRELINK")
            .AddIcon(101, 32, 32)
            .Add("DBB", 167, test_support::PackedLiteralsOnly(test_support::RawPicture(240, 240, colour)));
        instance = resources.Register();
    }

    void TearDown() override {
        delete game.display;
        game.display = nullptr;
    }

    BOOL StartUp() { return InitInstance(instance, SW_SHOW); }
    platform::Status Status() const { return platform::CurrentStatus(); }

    platform::DisplayConfig display{};
    FakeHost host;
    test_support::ResourceBuilder resources;
    HINSTANCE instance = nullptr;
};

// Start-up as the runner's scenarios cannot see it: the title's own pixels,
// the icon of the window class, and the seed.
TEST_F(Shell, StartUpShowsTheTitleUnderTheIconAndSeedsTheRandomSequenceWithTheClock) {
    host.SetClock(123456);
    ASSERT_TRUE(StartUp());
    EXPECT_EQ(host.iconWidth, 32u) << "the window class carries icon 101";
    const std::uint16_t title = (kTitleRed >> 3) << 11 | (kTitleGreen >> 2) << 5 | kTitleBlue >> 3;
    EXPECT_EQ(BackBufferPixel(0, 0), title);
    EXPECT_EQ(BackBufferPixel(239, 239), title);
    EXPECT_EQ(crt::rand(), FirstRandAfterSeed(123456));
}

TEST_F(Shell, StartUpThatFailsEndsTheProgramBeforeTheLoopWithItsMessage) {
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
        display.bitsPerPixel = c.bitsPerPixel;
        host.Install(display);
        host.messageBoxes.clear();
        platform::SetFaults(c.faults);
        EXPECT_EQ(WinMain(resources.Register(), nullptr, nullptr, SW_SHOW), 0);
        EXPECT_EQ(host.waitCalls, 0) << "the loop never ran";
        EXPECT_EQ(game.display, nullptr);
        EXPECT_FALSE(Status().displayOpen);
        ASSERT_EQ(host.messageBoxes.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(host.messageBoxes[0].caption, "Error");
            EXPECT_EQ(host.messageBoxes[0].text, c.message);
        }
    }
}

TEST_F(Shell, MessagesAfterCloseNeverReachTheReleasedDisplay) {
    ASSERT_TRUE(StartUp());
    HWND window = game.mainWindow;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.display, nullptr);
    EXPECT_FALSE(Status().displayOpen);
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
