// Windows (moves, failed creation) and the message loop: paints only while
// the window is shown, pen and focus input from the host, and the end.
#include <gtest/gtest.h>

#include <vector>

#include "platform/coredll/coredll.h"
#include "platform/platform.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"
#include "tests/support/platform_seam.h"

namespace {

using platform_test::CountReceived;
using platform_test::CreateRecordingWindow;
using test_support::FakeHost;
using Kind = platform::HostEventKind;

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(std::vector<LONG>({rect.left, rect.top, rect.right, rect.bottom}),
              std::vector<LONG>({left, top, right, bottom}));
}

RECT WindowRect() { return platform::CurrentStatus().windowRect; }

void Hide(HWND window) { SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW); }
void Show(HWND window) { SetWindowPos(window, HWND_TOP, 0, 0, 240, 320, SWP_NOSIZE | SWP_SHOWWINDOW); }

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { host.Install(); }
    void TearDown() override { platform_test::Reaction() = nullptr; }
    MSG Next() {
        MSG message{};
        GetMessageW(&message, nullptr, 0, 0);
        return message;
    }
    FakeHost host;
};
using MessageLoopTest = WindowTest;

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

TEST_F(MessageLoopTest, HiddenWindowGetsNoPaintsAndNoInputUntilShownAgain) {
    const HWND window = CreateRecordingWindow();
    Hide(window);
    // The host is told nothing can be painted; a paint, pen or focus event it
    // reports anyway is dropped, and the loop waits for something that counts.
    host.Push({{Kind::Paint, 0, 0}, {Kind::PenDown, 10, 10}, {Kind::PenUp, 10, 10}, {Kind::FocusLost, 0, 0},
               {Kind::None, 0, 0}, {Kind::Close, 0, 0}});
    EXPECT_EQ(Next().message, WM_CLOSE);
    EXPECT_FALSE(host.lastPaintable);
    EXPECT_EQ(host.waitCalls, 6);
    Show(window);
    EXPECT_EQ(Next().message, WM_PAINT);
}

TEST_F(MessageLoopTest, PenPositionsKeepTheirLow16Bits) {
    ASSERT_NE(CreateRecordingWindow(), nullptr);
    struct Case {
        std::int32_t x, y;
        WORD wantX, wantY;
    };
    const Case cases[] = {{35, 272, 35, 272}, {65535, 65535, 65535, 65535}, {65536 + 5, 131072 + 9, 5, 9},
                          {-1, -2, 0xFFFF, 0xFFFE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        host.Push({{Kind::PenDown, c.x, c.y}, {Kind::PenUp, c.x, c.y}});
        const MSG down = Next();
        const MSG up = Next();
        EXPECT_EQ(down.message, WM_LBUTTONDOWN);
        EXPECT_EQ(up.message, WM_LBUTTONUP);
        EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(down.lParam)), c.wantX);
        EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(down.lParam)), c.wantY);
        EXPECT_EQ(up.lParam, down.lParam);
        EXPECT_GE(down.lParam, 0) << "packed as an unsigned 32-bit value";
    }
}

TEST_F(MessageLoopTest, FocusIsLostOnceWhetherTheWindowHidesOrTheHostReportsIt) {
    const HWND window = CreateRecordingWindow();
    // The minimise button hides the window itself and counts on the focus
    // change that follows.
    Hide(window);
    Hide(window);
    EXPECT_EQ(CountReceived(WM_KILLFOCUS), 1) << "a hidden window has no focus to lose";

    Show(window);  // shown again, the window has the focus
    host.Push({{Kind::FocusLost, 0, 0}, {Kind::FocusLost, 0, 0}, {Kind::Close, 0, 0}});
    EXPECT_EQ(Next().hwnd, window);
    EXPECT_EQ(CountReceived(WM_KILLFOCUS), 2);
}

TEST_F(MessageLoopTest, WithoutAWindowCloseEndsTheLoopInsteadOfSpinning) {
    MSG message{};
    EXPECT_FALSE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_QUIT);
}

}  // namespace
