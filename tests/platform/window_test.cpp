// Window classes and windows: creation, default placement below the task bar,
// moves, visibility reports, the foreground, full screen and forced failures.
#include <gtest/gtest.h>

#include <vector>

#include "platform/aygshell/aygshell.h"
#include "platform/coredll/coredll.h"
#include "platform/platform.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"
#include "tests/support/resource_builder.h"

namespace {

using platform_test::CreateRecordingWindow;
using platform_test::ReceivedMessageNumbers;
using test_support::FakeHost;

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { host.Install(); }
    FakeHost host;
};

TEST_F(WindowTest, NewWindowGetsCreateMessageAndTheAreaBelowTheTaskBar) {
    const HWND window = CreateRecordingWindow(WS_VISIBLE);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ReceivedMessageNumbers(), std::vector<UINT>{WM_CREATE});
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    ExpectRect(rect, 0, 26, 240, 294);
    const platform::Status status = platform::CurrentStatus();
    EXPECT_TRUE(status.windowExists);
    EXPECT_TRUE(status.windowVisible);
    EXPECT_EQ(host.visibilityLog, std::vector<bool>{true});
}

TEST_F(WindowTest, TheGamesMoveToRowZeroCoversTheWholeScreen) {
    const HWND window = CreateRecordingWindow(WS_VISIBLE);
    RECT rect{};
    GetWindowRect(window, &rect);
    MoveWindow(window, rect.left, 0, rect.right, rect.bottom + rect.top, TRUE);
    ExpectRect(platform::CurrentStatus().windowRect, 0, 0, 240, 320);
}

TEST_F(WindowTest, WindowWithoutVisibleStyleStartsHidden) {
    const HWND window = CreateRecordingWindow(0);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(platform::CurrentStatus().windowVisible);
    EXPECT_TRUE(host.visibilityLog.empty());
    EXPECT_FALSE(ShowWindow(window, SW_SHOWNORMAL)) << "returns whether it was visible before";
    EXPECT_TRUE(ShowWindow(window, SW_SHOW));
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_EQ(host.visibilityLog, (std::vector<bool>{true, false}))
        << "only changes are reported";
}

TEST_F(WindowTest, SetWindowPosHidesShowsMovesAndSizesByItsFlags) {
    const HWND window = CreateRecordingWindow(WS_VISIBLE);
    // Focus loss: hidden to the bottom, size kept, moved to (0, 0).
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
    platform::Status status = platform::CurrentStatus();
    EXPECT_FALSE(status.windowVisible);
    EXPECT_TRUE(status.windowAtBottom);
    ExpectRect(status.windowRect, 0, 0, 240, 268);

    // Hand-over: shown on top at (0, 0), size still kept.
    SetWindowPos(window, HWND_TOP, 0, 0, 240, 320, SWP_NOSIZE | SWP_SHOWWINDOW);
    status = platform::CurrentStatus();
    EXPECT_TRUE(status.windowVisible);
    EXPECT_FALSE(status.windowAtBottom);
    ExpectRect(status.windowRect, 0, 0, 240, 268);

    SetWindowPos(window, HWND_TOP, 99, 99, 100, 50, SWP_NOMOVE);
    ExpectRect(platform::CurrentStatus().windowRect, 0, 0, 100, 50);
    SetWindowPos(window, HWND_TOP, 10, 20, 0, 0, SWP_NOSIZE);
    ExpectRect(platform::CurrentStatus().windowRect, 10, 20, 110, 70);
    EXPECT_EQ(host.visibilityLog, (std::vector<bool>{true, false, true}));
}

TEST_F(WindowTest, ExtremeSizesSaturateInsteadOfOverflowing) {
    const HWND window = CreateRecordingWindow(WS_VISIBLE);
    MoveWindow(window, 0x7FFFFF00, -0x7FFFFF00, 0x7FFFFFFF, -0x7FFFFFFF, TRUE);
    ExpectRect(platform::CurrentStatus().windowRect, 0x7FFFFF00, -0x7FFFFF00, 0x7FFFFFFF,
               static_cast<LONG>(0x80000000u));
}

TEST_F(WindowTest, ForegroundAcceptsTheHandleWithBitZeroSet) {
    const HWND window = CreateRecordingWindow(WS_VISIBLE);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
    const auto withOwned = reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(window) | 1);
    EXPECT_TRUE(SetForegroundWindow(withOwned));
    EXPECT_TRUE(SetForegroundWindow(window));
    EXPECT_EQ(host.broughtForward, 2);
    EXPECT_FALSE(platform::CurrentStatus().windowAtBottom);
    EXPECT_FALSE(SetForegroundWindow(reinterpret_cast<HWND>(std::uintptr_t{0x41})));
    EXPECT_EQ(host.broughtForward, 2);
}

TEST_F(WindowTest, CallsWithUnknownHandlesFailHarmlessly) {
    const HWND stray = reinterpret_cast<HWND>(std::uintptr_t{0xDEAD0});
    RECT rect{1, 2, 3, 4};
    EXPECT_FALSE(GetWindowRect(stray, &rect));
    ExpectRect(rect, 1, 2, 3, 4);
    EXPECT_FALSE(MoveWindow(stray, 0, 0, 1, 1, TRUE));
    EXPECT_FALSE(ShowWindow(stray, SW_SHOW));
    EXPECT_FALSE(SetWindowPos(stray, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW));
    EXPECT_FALSE(SHFullScreen(stray, SHFS_HIDETASKBAR));
    EXPECT_FALSE(platform::CurrentStatus().windowExists);
    EXPECT_TRUE(host.visibilityLog.empty());
}

TEST_F(WindowTest, ClassesMustBeCompleteAndUnique) {
    WNDCLASSW windowClass{};
    windowClass.lpszClassName = u"NOPROC";
    EXPECT_EQ(RegisterClassW(&windowClass), 0) << "a class needs a procedure";
    EXPECT_EQ(RegisterClassW(nullptr), 0);
    windowClass.lpfnWndProc = platform_test::RecordingWindowProc;
    const ATOM first = RegisterClassW(&windowClass);
    EXPECT_NE(first, 0);
    EXPECT_EQ(RegisterClassW(&windowClass), 0) << "the same name twice";
    EXPECT_EQ(CreateWindowExW(0, u"UNKNOWN", u"x", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(WindowTest, ProcedureRefusingCreationLeavesNoWindow) {
    platform_test::Reaction() = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_CREATE ? -1 : 0;
    };
    EXPECT_EQ(CreateRecordingWindow(WS_VISIBLE), nullptr);
    platform_test::Reaction() = nullptr;
    EXPECT_FALSE(platform::CurrentStatus().windowExists);
    EXPECT_TRUE(host.visibilityLog.empty());
}

TEST_F(WindowTest, FaultsMakeStartUpCallsFail) {
    platform::SetFaults({.registerClassFails = true});
    EXPECT_EQ(CreateRecordingWindow(WS_VISIBLE), nullptr);

    host.Install();
    platform::SetFaults({.createWindowFails = true});
    EXPECT_EQ(CreateRecordingWindow(WS_VISIBLE), nullptr);
    EXPECT_TRUE(platform_test::Received().empty()) << "no WM_CREATE for a window never made";

    host.Install();
    platform::SetFaults({.fullScreenFails = true});
    const HWND window = CreateRecordingWindow(WS_VISIBLE);
    EXPECT_FALSE(SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON));
    EXPECT_FALSE(platform::CurrentStatus().fullScreen);
}

TEST_F(WindowTest, ClassIconReachesTheHost) {
    test_support::ResourceBuilder resources;
    resources.AddIcon(101, 16, 8, 0x11223300);
    const HINSTANCE instance = resources.Register();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = platform_test::RecordingWindowProc;
    windowClass.lpszClassName = u"ICONIC";
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(101));
    ASSERT_NE(windowClass.hIcon, nullptr);
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    EXPECT_EQ(host.iconWidth, 16u);
    EXPECT_EQ(host.iconHeight, 8u);
    ASSERT_EQ(host.iconPixels.size(), 16u * 8u * 4u);
    EXPECT_EQ(host.iconPixels[1], 0x33);
    EXPECT_EQ(host.iconPixels[3], 0x11);
}

TEST_F(WindowTest, DamagedIconIsNotHandedToTheHost) {
    test_support::ResourceBuilder resources;
    std::vector<std::uint8_t> shortIcon = test_support::RawPicture(4, 4, 0);
    shortIcon.resize(shortIcon.size() - 1);  // one byte short of its last pixel
    resources.Add("ICON", 101, shortIcon);
    const HINSTANCE instance = resources.Register();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = platform_test::RecordingWindowProc;
    windowClass.lpszClassName = u"BROKEN";
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(101));
    EXPECT_NE(RegisterClassW(&windowClass), 0) << "the class itself is fine";
    EXPECT_TRUE(host.iconPixels.empty());
}

}  // namespace
