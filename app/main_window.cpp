#include "app/win_main.h"
#include "gfx/display_device.h"
#include "play/game_tick.h"
#include "state/game_state.h"
#include "ui/buttons.h"
#include "ui/touch_dispatch.h"

namespace {

constexpr UINT kHideToBottom = SWP_NOSIZE | SWP_HIDEWINDOW;
constexpr UINT kShowAtTop = SWP_NOSIZE | SWP_SHOWWINDOW;

// Closing ends the game: the display is given up and the loop told to stop.
// Anything that arrives afterwards finds no display and draws nothing.
void ReleaseDisplayAndQuit() {
    if (game.display != nullptr) {
        game.display->Close();
        delete game.display;
        game.display = nullptr;
    }
    PostQuitMessage(0);
}

// Losing the focus hides the game with everything as it stands; the minimise
// button has already done so and asks for the focus change it causes to be
// ignored once.
void HideOnFocusLoss(HWND window) {
    if (game.skipNextKillFocus) {
        game.skipNextKillFocus = false;
        return;
    }
    if (game.display != nullptr) game.display->Close();
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, kHideToBottom);
}

// A second start of the program hands over to this one: show the window at
// the top of the screen, take the display back and show the picture as it was.
void ResumeOnHandOver(HWND window) {
    if (game.display == nullptr) return;
    SetWindowPos(window, HWND_TOP, 0, 0, kScreenWidth, kScreenHeight, kShowAtTop);
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(window) | 1));
    game.display->Open(window);
    game.display->Present();
}

// Every paint is a chance for a game tick; the window is never validated, so
// paints keep coming whenever the queue is empty.
void TickAndPresent() {
    if (game.display == nullptr) return;
    GameTick();
    game.display->Present();
}

void DispatchPen(UINT message, LPARAM lParam) {
    if (game.display == nullptr) return;
    const int x = LOWORD(static_cast<std::uintptr_t>(lParam));
    const int y = HIWORD(static_cast<std::uintptr_t>(lParam));
    if (message == WM_LBUTTONDOWN) {
        OnPenDown(x, y);
    } else {
        OnPenUp(x, y);
    }
}

}  // namespace

LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
        case WM_ACTIVATE:
        case WM_SETTINGCHANGE:
        case WM_COMMAND:
            return 0;
        case WM_DESTROY:
        case WM_CLOSE:
            ReleaseDisplayAndQuit();
            return 0;
        case WM_KILLFOCUS:
            HideOnFocusLoss(window);
            return 0;
        case WM_PAINT:
            TickAndPresent();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            DispatchPen(message, lParam);
            return 0;
        case WM_USER:
            ResumeOnHandOver(window);
            return 0;
        case WM_SYSCOMMAND:
            // The window's close button during a game asks first, as the
            // game's own "X" would; anything else closes as it always did.
            if ((wParam & 0xFFF0) == SC_CLOSE && game.display != nullptr && AskBeforeClosing()) return 0;
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
