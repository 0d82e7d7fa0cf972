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

TEST_F(Shell, StartUpCoversTheScreenOpensTheDisplayAndShowsTheTitle) {
    ASSERT_TRUE(StartUp());
    const platform::Status status = Status();
    EXPECT_TRUE(status.fullScreen);
    EXPECT_TRUE(status.windowVisible);
    EXPECT_TRUE(status.displayOpen);
    EXPECT_EQ(status.windowRect.top, 0) << "the window moves up over the hidden task bar";
    EXPECT_EQ(status.windowRect.bottom, 320);
    EXPECT_EQ(status.windowRect.right, 240);
    EXPECT_GE(host.framesPresented, 1u);
    EXPECT_EQ(host.iconWidth, 32u) << "the window class carries icon 101";

    const std::uint16_t title = (kTitleRed >> 3) << 11 | (kTitleGreen >> 2) << 5 | kTitleBlue >> 3;
    EXPECT_EQ(BackBufferPixel(0, 0), title);
    EXPECT_EQ(BackBufferPixel(239, 239), title);
    ASSERT_FALSE(host.lastFrame.empty());
    EXPECT_EQ(std::memcmp(host.lastFrame.data(), game.display->backBuffer, kScreenBytes), 0);
}

TEST_F(Shell, StartUpSeedsTheRandomSequenceWithTheTickCount) {
    host.SetClock(123456);
    ASSERT_TRUE(StartUp());
    EXPECT_EQ(crt::rand(), FirstRandAfterSeed(123456));
}

TEST_F(Shell, ARefusedDisplayEndsTheProgramBeforeTheLoop) {
    display.bitsPerPixel = 8;
    host.Install(display);
    instance = resources.Register();
    EXPECT_EQ(WinMain(instance, nullptr, nullptr, SW_SHOW), 0);
    EXPECT_EQ(host.waitCalls, 0) << "the loop never ran";
    EXPECT_EQ(game.display, nullptr);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0].text, "The display not less than 65536 colours is required.");
    EXPECT_FALSE(Status().displayOpen);
}

TEST_F(Shell, AFailedFullScreenCallIsReportedAndEndsTheProgram) {
    platform::SetFaults({.fullScreenFails = true});
    EXPECT_EQ(WinMain(instance, nullptr, nullptr, SW_SHOW), 0);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0].caption, "Error");
    EXPECT_EQ(host.messageBoxes[0].text, "Could not modify the window.");
    EXPECT_EQ(game.display, nullptr);
}

TEST_F(Shell, AWindowThatCannotBeMadeEndsTheProgramSilently) {
    platform::SetFaults({.registerClassFails = true});
    EXPECT_FALSE(StartUp());
    platform::SetFaults({.createWindowFails = true});
    EXPECT_FALSE(StartUp());
    EXPECT_TRUE(host.messageBoxes.empty());
    EXPECT_EQ(game.display, nullptr);
}

TEST_F(Shell, FocusLossHidesTheGameAndTheHandOverBringsItBackAsItWas) {
    ASSERT_TRUE(StartUp());
    HWND window = game.mainWindow;
    game.display->backBuffer[1234] = 0x5A;

    SendMessageW(window, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(Status().windowVisible);
    EXPECT_FALSE(Status().displayOpen);
    const std::uint64_t presentsWhileHidden = host.framesPresented;

    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_TRUE(Status().windowVisible);
    EXPECT_TRUE(Status().displayOpen);
    EXPECT_EQ(Status().windowRect.top, 0);
    EXPECT_GE(host.broughtForward, 1);
    ASSERT_EQ(host.framesPresented, presentsWhileHidden + 1) << "the picture is presented at once";
    EXPECT_EQ(host.lastFrame[1234], 0x5A);

    // Already shown: handled the same way.
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(host.framesPresented, presentsWhileHidden + 2);
}

TEST_F(Shell, TheMinimiseButtonsFocusChangeIsIgnoredExactlyOnce) {
    ASSERT_TRUE(StartUp());
    game.skipNextKillFocus = true;
    SendMessageW(game.mainWindow, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(game.skipNextKillFocus);
    EXPECT_TRUE(Status().displayOpen);
    SendMessageW(game.mainWindow, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(Status().displayOpen);
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

TEST_F(Shell, TheLoopPresentsOnEveryPaintAndEndsWithTheWindow) {
    host.PushPaint(3);
    host.PushClose();
    host.whenIdle = FakeHost::WhenIdle::Close;
    std::uint64_t presentsBeforeTheLoop = 0;
    bool loopStarted = false;
    host.onWait = [&](bool) -> std::optional<platform::HostEvent> {
        if (!loopStarted) presentsBeforeTheLoop = host.framesPresented;
        loopStarted = true;
        return std::nullopt;
    };
    ASSERT_EQ(WinMain(instance, nullptr, nullptr, SW_SHOW), 0);
    EXPECT_EQ(host.framesPresented, presentsBeforeTheLoop + 3);
    EXPECT_EQ(game.display, nullptr) << "closing released the display";
}

}  // namespace
