// The message loop: queued messages first, paints whenever the queue is idle
// and the window is shown, pen and focus input from the host, and the end.
#include <gtest/gtest.h>

#include "platform/coredll/coredll.h"
#include "platform/platform.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"

namespace {

using platform::HostEventKind;
using platform_test::CreateRecordingWindow;
using test_support::FakeHost;

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Install();
        window = CreateRecordingWindow();
        ASSERT_NE(window, nullptr);
    }
    MSG Next() {
        MSG message{};
        lastResult = GetMessageW(&message, nullptr, 0, 0);
        return message;
    }
    FakeHost host;
    HWND window = nullptr;
    BOOL lastResult = FALSE;
};

TEST_F(MessageLoopTest, IdleShownWindowGetsPaintsForEver) {
    for (int i = 0; i < 5; ++i) {
        const MSG message = Next();
        EXPECT_TRUE(lastResult);
        EXPECT_EQ(message.message, WM_PAINT);
        EXPECT_EQ(message.hwnd, window);
    }
    EXPECT_TRUE(host.lastPaintable);
}

TEST_F(MessageLoopTest, PostedMessagesComeBeforePaintsAndQuitEndsTheLoop) {
    PostQuitMessage(7);
    const MSG quit = Next();
    EXPECT_FALSE(lastResult);
    EXPECT_EQ(quit.message, WM_QUIT);
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_EQ(host.waitCalls, 0) << "the host is asked only when the queue is empty";
}

TEST_F(MessageLoopTest, HiddenWindowGetsNoPaintsAndNoInput) {
    ShowWindow(window, SW_HIDE);
    // The host is told nothing can be painted; a paint, pen or focus event it
    // reports anyway is dropped, and the loop waits for something that counts.
    host.whenIdle = FakeHost::WhenIdle::Close;
    host.PushPaint();
    host.PushPenDown(10, 10);
    host.PushPenUp(10, 10);
    host.PushFocusLost();
    host.PushNone();
    const MSG message = Next();
    EXPECT_EQ(message.message, WM_CLOSE);
    EXPECT_FALSE(host.lastPaintable);
    EXPECT_EQ(host.waitCalls, 6);
}

TEST_F(MessageLoopTest, ShowingTheWindowAgainResumesPaints) {
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
    host.PushPaint();
    host.PushClose();
    EXPECT_EQ(Next().message, WM_CLOSE);
    SetWindowPos(window, HWND_TOP, 0, 0, 240, 320, SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_EQ(Next().message, WM_PAINT);
}

TEST_F(MessageLoopTest, PenPositionsKeepTheirLow16Bits) {
    struct Case {
        std::int32_t x, y;
        WORD wantX, wantY;
    };
    const Case cases[] = {
        {35, 272, 35, 272},
        {65535, 65535, 65535, 65535},
        {65536 + 5, 131072 + 9, 5, 9},
        {-1, -2, 0xFFFF, 0xFFFE},
    };
    for (const Case& c : cases) {
        host.PushPenDown(c.x, c.y);
        host.PushPenUp(c.x, c.y);
        const MSG down = Next();
        const MSG up = Next();
        EXPECT_EQ(down.message, WM_LBUTTONDOWN);
        EXPECT_EQ(up.message, WM_LBUTTONUP);
        EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(down.lParam)), c.wantX) << c.x;
        EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(down.lParam)), c.wantY) << c.y;
        EXPECT_EQ(up.lParam, down.lParam);
        EXPECT_GE(down.lParam, 0) << "packed as an unsigned 32-bit value";
    }
}

int FocusLossesReceived() {
    int count = 0;
    for (UINT message : platform_test::ReceivedMessageNumbers()) count += message == WM_KILLFOCUS;
    return count;
}

TEST_F(MessageLoopTest, FocusLossReachesTheWindowOnceAndCloseBecomesItsMessage) {
    host.PushFocusLost();
    host.PushFocusLost();  // the focus is already gone: nothing more to lose
    host.PushClose();
    const MSG close = Next();
    EXPECT_EQ(close.message, WM_CLOSE);
    EXPECT_EQ(close.hwnd, window);
    EXPECT_EQ(FocusLossesReceived(), 1);
}

TEST_F(MessageLoopTest, HidingTheFocusedWindowTakesItsFocusAtOnce) {
    // The minimise button hides the window itself and counts on the focus
    // change that follows.
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
    EXPECT_EQ(FocusLossesReceived(), 1);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
    EXPECT_EQ(FocusLossesReceived(), 1) << "a hidden window has no focus to lose";

    SetWindowPos(window, HWND_TOP, 0, 0, 240, 320, SWP_NOSIZE | SWP_SHOWWINDOW);
    host.PushFocusLost();
    host.PushClose();
    Next();
    EXPECT_EQ(FocusLossesReceived(), 2) << "shown again, the window has the focus";
}

TEST_F(MessageLoopTest, DispatchAndSendReachTheProcedureAndReturnItsResult) {
    platform_test::Reaction() = [](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        return message == WM_USER ? static_cast<LRESULT>(wParam) * 2 : 0;
    };
    EXPECT_EQ(SendMessageW(window, WM_USER, 21, 0), 42);
    const MSG user{window, WM_USER, 5, 0, 0, {}};
    EXPECT_EQ(DispatchMessageW(&user), 10);
    platform_test::Reaction() = nullptr;

    const MSG stray{reinterpret_cast<HWND>(std::uintptr_t{0x1234}), WM_USER, 5, 0, 0, {}};
    EXPECT_EQ(DispatchMessageW(&stray), 0);
    EXPECT_EQ(SendMessageW(nullptr, WM_USER, 1, 0), 0);
    EXPECT_EQ(platform_test::Received().back().wParam, 5u) << "unknown handles reach no procedure";
}

TEST_F(MessageLoopTest, WindowProcedureThatQuitsEndsTheLoopAfterItsMessage) {
    // The game's WM_CLOSE handling: the procedure posts the quit message.
    platform_test::Reaction() = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_CLOSE) PostQuitMessage(0);
        return 0;
    };
    host.PushClose();
    MSG message{};
    int paints = 0;
    while (GetMessageW(&message, nullptr, 0, 0)) {
        if (message.message == WM_PAINT) ++paints;
        DispatchMessageW(&message);
    }
    platform_test::Reaction() = nullptr;
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(paints, 0);
}

TEST_F(MessageLoopTest, FakeHostCanBoundAnIdleLoopAndStepItsClock) {
    host.idlePaintLimit = 3;
    host.paintStepMs = 31;
    host.SetClock(1000);
    int paints = 0;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) && message.message == WM_PAINT) ++paints;
    EXPECT_EQ(paints, 3);
    EXPECT_EQ(message.message, WM_CLOSE);
    EXPECT_EQ(host.Clock(), 1093u);
}

TEST(MessageLoopWithoutWindow, CloseEndsTheLoopInsteadOfSpinning) {
    FakeHost host;
    host.Install();
    MSG message{};
    EXPECT_FALSE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_FALSE(host.lastPaintable);
}

}  // namespace
