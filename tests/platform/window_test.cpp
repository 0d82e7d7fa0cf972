// Window classes and windows: creation, moves, visibility reports, a
// damaged icon and failed creation.
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
using test_support::FakeHost;

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(std::vector<LONG>({rect.left, rect.top, rect.right, rect.bottom}),
              std::vector<LONG>({left, top, right, bottom}));
}

RECT WindowRect() { return platform::CurrentStatus().windowRect; }

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { host.Install(); }
    void TearDown() override { platform_test::Reaction() = nullptr; }
    FakeHost host;
};

TEST_F(WindowTest, NewWindowGetsCreateAndShowWindowReportsOnlyChanges) {
    const HWND window = CreateRecordingWindow(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(platform_test::CountReceived(WM_CREATE), 1);
    EXPECT_FALSE(platform::CurrentStatus().windowVisible);
    EXPECT_FALSE(ShowWindow(window, SW_SHOWNORMAL)) << "returns whether it was visible before";
    EXPECT_TRUE(ShowWindow(window, SW_SHOW));
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_EQ(host.visibilityLog, (std::vector<bool>{true, false}));
}

TEST_F(WindowTest, SetWindowPosMovesAndSizesByItsFlagsAndSaturates) {
    const HWND window = CreateRecordingWindow(WS_VISIBLE);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
    EXPECT_TRUE(platform::CurrentStatus().windowAtBottom);
    ExpectRect(WindowRect(), 0, 0, 240, 268);
    SetWindowPos(window, HWND_TOP, 99, 99, 100, 50, SWP_NOMOVE);
    EXPECT_FALSE(platform::CurrentStatus().windowAtBottom);
    ExpectRect(WindowRect(), 0, 0, 100, 50);
    SetWindowPos(window, HWND_TOP, 10, 20, 0, 0, SWP_NOSIZE);
    ExpectRect(WindowRect(), 10, 20, 110, 70);
    MoveWindow(window, 0x7FFFFF00, -0x7FFFFF00, 0x7FFFFFFF, -0x7FFFFFFF, TRUE);
    ExpectRect(WindowRect(), 0x7FFFFF00, -0x7FFFFF00, 0x7FFFFFFF, static_cast<LONG>(0x80000000u));
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

TEST_F(WindowTest, IncompleteDuplicateOrUnknownClassesAreRefused) {
    WNDCLASSW windowClass{};
    windowClass.lpszClassName = u"NOPROC";
    EXPECT_EQ(RegisterClassW(&windowClass), 0) << "a class needs a procedure";
    EXPECT_EQ(RegisterClassW(nullptr), 0);
    windowClass.lpfnWndProc = platform_test::RecordingWindowProc;
    EXPECT_NE(RegisterClassW(&windowClass), 0);
    EXPECT_EQ(RegisterClassW(&windowClass), 0) << "the same name twice";
    EXPECT_EQ(CreateWindowExW(0, u"UNKNOWN", u"x", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(WindowTest, FailedCreationLeavesNoWindow) {
    platform_test::Reaction() = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_CREATE ? -1 : 0;
    };
    EXPECT_EQ(CreateRecordingWindow(WS_VISIBLE), nullptr) << "the procedure refused creation";
    EXPECT_FALSE(platform::CurrentStatus().windowExists);
    host.Install();
    platform::SetFaults({.createWindowFails = true});
    EXPECT_EQ(CreateRecordingWindow(WS_VISIBLE), nullptr);
    EXPECT_TRUE(platform_test::Received().empty()) << "no WM_CREATE for a window never made";
    EXPECT_TRUE(host.visibilityLog.empty());
}

TEST_F(WindowTest, DamagedIconIsNotHandedToTheHost) {
    std::vector<std::uint8_t> shortIcon = test_support::RawPicture(4, 4, 0);
    shortIcon.pop_back();  // one byte short of its last pixel
    test_support::ResourceBuilder resources;
    resources.Add("ICON", 101, shortIcon);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = platform_test::RecordingWindowProc;
    windowClass.lpszClassName = u"BROKEN";
    windowClass.hIcon = LoadIconW(resources.Register(), MAKEINTRESOURCEW(101));
    EXPECT_NE(RegisterClassW(&windowClass), 0) << "the class itself is fine";
    EXPECT_TRUE(host.iconPixels.empty());
}

}  // namespace
