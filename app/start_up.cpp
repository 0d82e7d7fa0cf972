#include <new>

#include "app/win_main.h"
#include "gfx/control_strip.h"
#include "gfx/display_device.h"
#include "gfx/screen_pictures.h"
#include "platform/aygshell/aygshell.h"
#include "state/game_state.h"

namespace {

constexpr UINT kTitleString = 1;
constexpr UINT kClassNameString = 2;
constexpr int kStringCapacity = 100;
constexpr unsigned kIconId = 101;
constexpr DWORD kFullScreenFlags = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;
// The About button, tapped on the player's behalf: x = 35, y = 272.
constexpr LPARAM kAboutButtonTap = 0x01100023;

// A copy already running gets the hand-over message and this one ends.
bool HandOverToRunningCopy(LPCWSTR className, LPCWSTR title) {
    HWND running = FindWindowW(className, title);
    if (running == nullptr) return false;
    SendMessageW(running, WM_USER, 0, 0);
    return true;
}

bool MakeFullScreen(HWND window) {
    if (SHFullScreen(window, kFullScreenFlags)) return true;
    MessageBoxW(nullptr, u"Could not modify the window.", u"Error", MB_OK);
    return false;
}

// The window was placed below the task bar; with the bar hidden it grows
// upwards to cover the whole screen.
void CoverTaskBar(HWND window, const RECT& placed) {
    MoveWindow(window, placed.left, 0, placed.right, placed.bottom + placed.top, TRUE);
}

void ReleaseDisplayDevice() {
    delete game.display;
    game.display = nullptr;
}

bool CreateDisplayDevice(HWND window) {
    game.display = new (std::nothrow) DisplayDevice(window);
    if (game.display == nullptr) return false;
    if (game.display->CheckFormat() == S_OK) return true;
    ReleaseDisplayDevice();
    return false;
}

void ShowTitlePicture() {
    DrawTitlePicture();
    game.display->Present();
}

}  // namespace

ATOM RegisterMainClass(HINSTANCE instance, LPCWSTR className) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass);
}

BOOL InitInstance(HINSTANCE instance, int showCommand) {
    game.instance = instance;
    WCHAR title[kStringCapacity] = {};
    WCHAR className[kStringCapacity] = {};
    LoadStringW(instance, kTitleString, title, kStringCapacity);
    LoadStringW(instance, kClassNameString, className, kStringCapacity);

    if (HandOverToRunningCopy(className, title)) return FALSE;
    if (!RegisterMainClass(instance, className)) return FALSE;
    HWND window = CreateWindowExW(0, className, title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return FALSE;
    game.mainWindow = window;

    RECT placed{};
    GetWindowRect(window, &placed);
    if (!MakeFullScreen(window)) return FALSE;
    CoverTaskBar(window, placed);
    ShowWindow(window, showCommand);

    // The one seed of every random draw of the game.
    crt::srand(GetTickCount());

    if (!CreateDisplayDevice(window)) return FALSE;
    game.display->Open(window);
    SetUpGameScreen();
    ShowTitlePicture();

    SendMessageW(window, WM_LBUTTONDOWN, 0, kAboutButtonTap);
    SendMessageW(window, WM_LBUTTONUP, 0, kAboutButtonTap);
    return TRUE;
}
