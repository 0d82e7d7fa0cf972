// The message loop: queued messages first, paints whenever the queue is idle
// and the window is shown, pen and focus input from the host, and the end.
#include <gtest/gtest.h>

#include "platform/coredll/coredll.h"
#include "platform/platform.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"

namespace {

using platform_test::CountReceived;
using test_support::FakeHost;

void Hide(HWND window) { SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW); }
void Show(HWND window) { SetWindowPos(window, HWND_TOP, 0, 0, 240, 320, SWP_NOSIZE | SWP_SHOWWINDOW); }

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Install();
        window = platform_test::CreateRecordingWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { platform_test::Reaction() = nullptr; }
    MSG Next() {
        MSG message{};
        GetMessageW(&message, nullptr, 0, 0);
        return message;
    }
    FakeHost host;
    HWND window = nullptr;
};

TEST_F(MessageLoopTest, HiddenWindowGetsNoPaintsAndNoInputUntilShownAgain) {
    Hide(window);
    // The host is told nothing can be painted; a paint, pen or focus event it
    // reports anyway is dropped, and the loop waits for something that counts.
    host.PushPaint();
    host.PushPenDown(10, 10);
    host.PushPenUp(10, 10);
    host.PushFocusLost();
    host.PushNone();
    host.PushClose();
    EXPECT_EQ(Next().message, WM_CLOSE);
    EXPECT_FALSE(host.lastPaintable);
    EXPECT_EQ(host.waitCalls, 6);
    Show(window);
    EXPECT_EQ(Next().message, WM_PAINT);
}

TEST_F(MessageLoopTest, PenPositionsKeepTheirLow16Bits) {
    struct Case {
        std::int32_t x, y;
        WORD wantX, wantY;
    };
    const Case cases[] = {{35, 272, 35, 272}, {65535, 65535, 65535, 65535}, {65536 + 5, 131072 + 9, 5, 9},
                          {-1, -2, 0xFFFF, 0xFFFE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        host.PushPenDown(c.x, c.y);
        host.PushPenUp(c.x, c.y);
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
    // The minimise button hides the window itself and counts on the focus
    // change that follows.
    Hide(window);
    Hide(window);
    EXPECT_EQ(CountReceived(WM_KILLFOCUS), 1) << "a hidden window has no focus to lose";

    Show(window);  // shown again, the window has the focus
    host.PushFocusLost();
    host.PushFocusLost();
    host.PushClose();
    EXPECT_EQ(Next().hwnd, window);
    EXPECT_EQ(CountReceived(WM_KILLFOCUS), 2);
}

TEST_F(MessageLoopTest, DispatchAndSendReachTheProcedureAndReturnItsResult) {
    platform_test::Reaction() = [](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        return message == WM_USER ? static_cast<LRESULT>(wParam) * 2 : 0;
    };
    EXPECT_EQ(SendMessageW(window, WM_USER, 21, 0), 42);
    const MSG user{window, WM_USER, 5, 0, 0, {}};
    EXPECT_EQ(DispatchMessageW(&user), 10);

    const MSG stray{reinterpret_cast<HWND>(std::uintptr_t{0x1234}), WM_USER, 6, 0, 0, {}};
    EXPECT_EQ(DispatchMessageW(&stray), 0);
    EXPECT_EQ(SendMessageW(nullptr, WM_USER, 7, 0), 0);
    EXPECT_EQ(platform_test::Received().back().wParam, 5u) << "unknown handles reach no procedure";
}

TEST(MessageLoopWithoutWindow, CloseEndsTheLoopInsteadOfSpinning) {
    FakeHost host;
    host.Install();
    MSG message{};
    EXPECT_FALSE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_QUIT);
}

}  // namespace
