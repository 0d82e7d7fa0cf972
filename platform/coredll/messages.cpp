// The thread's message queue and the loop that feeds it: posted messages
// first, then hand-overs from other copies, then what the host reports. An
// idle queue with a shown window yields a paint, which is the game's loop.
#include "platform/coredll/coredll.h"
#include "platform/internal/instance_channel.h"
#include "platform/internal/state.h"

using namespace platform::internal;

namespace {

void ServiceOtherCopies() {
    auto& windows = TheState().windows;
    // By index: a procedure may create windows while it handles the message.
    for (std::size_t i = 0; i < windows.size(); ++i) {
        Window& window = windows[i];
        if (!window.listener) continue;
        const HWND handle = reinterpret_cast<HWND>(&window);
        window.listener->Service([&window, handle](UINT message, WPARAM wParam, LPARAM lParam) {
            const LRESULT result = window.procedure(handle, message, wParam, lParam);
            ActiveHost().HandOverReceived();
            return result;
        });
    }
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LONG x = 0, LONG y = 0) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ActiveHost().TickCount();
    msg.pt = {x, y};
    return msg;
}

// Turns one host event into a message for the main window; false when the
// event means nothing now (a pen on a hidden window, a paint nobody can see).
bool TranslateHostEvent(const platform::HostEvent& event, MSG* out) {
    Window* window = MainWindow();
    const HWND handle = reinterpret_cast<HWND>(window);
    const bool shown = window != nullptr && window->visible;
    using Kind = platform::HostEventKind;
    switch (event.kind) {
        case Kind::Paint:
            if (!shown) return false;
            *out = MakeMessage(handle, WM_PAINT, 0, 0);
            return true;
        case Kind::PenDown:
        case Kind::PenUp: {
            if (!shown) return false;
            // The device keeps the low 16 bits of each coordinate.
            const WORD x = LOWORD(static_cast<std::uint32_t>(event.x));
            const WORD y = LOWORD(static_cast<std::uint32_t>(event.y));
            const UINT message = event.kind == Kind::PenDown ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            *out = MakeMessage(handle, message, 0, MAKELPARAM(x, y), x, y);
            return true;
        }
        case Kind::FocusLost:
            // Delivered at once, like every focus change; nothing to queue.
            if (window != nullptr) TakeFocusAway(*window);
            return false;
        case Kind::Close:
            // With no window left to close, closing ends the loop instead of
            // asking again for ever.
            *out = window ? MakeMessage(handle, WM_CLOSE, 0, 0) : MakeMessage(nullptr, WM_QUIT, 0, 0);
            return true;
        case Kind::CloseRequest:
            // The window's own close command; unhandled, it closes the window.
            *out = window ? MakeMessage(handle, WM_SYSCOMMAND, SC_CLOSE, 0) : MakeMessage(nullptr, WM_QUIT, 0, 0);
            return true;
        case Kind::Restore:
            // Exactly what a second start of the program sends.
            if (window == nullptr) return false;
            *out = MakeMessage(handle, WM_USER, 0, 0);
            return true;
        case Kind::None:
            return false;
    }
    return false;
}

}  // namespace

BOOL GetMessageW(MSG* message, HWND, UINT, UINT) {
    if (message == nullptr) return FALSE;
    State& state = TheState();
    for (;;) {
        if (!state.queue.empty()) {
            *message = state.queue.front();
            state.queue.pop_front();
            return message->message == WM_QUIT ? FALSE : TRUE;
        }
        // This is where the device handles messages sent from other processes.
        ServiceOtherCopies();
        if (!state.queue.empty()) continue;
        const Window* window = MainWindow();
        const bool paintable = window != nullptr && window->visible;
        if (TranslateHostEvent(ActiveHost().WaitForEvent(paintable), message)) {
            return message->message == WM_QUIT ? FALSE : TRUE;
        }
    }
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageW(const MSG* message) {
    if (message == nullptr) return 0;
    Window* window = FindWindowByHandle(message->hwnd);
    if (window == nullptr) return 0;
    return window->procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Window* window = FindWindowByHandle(handle)) {
        return window->procedure(handle, message, wParam, lParam);
    }
    // Another copy takes only the hand-over message.
    if (RemoteWindow* remote = FindRemoteWindowByHandle(handle); remote && message == WM_USER) {
        LRESULT result = 0;
        return SendToRunningInstance(remote->key, message, wParam, lParam, &result) ? result : 0;
    }
    return 0;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM) {
    // The close command closes the window unless its procedure took it.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return SendMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

void PostQuitMessage(int exitCode) {
    TheState().queue.push_back(MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0));
}
