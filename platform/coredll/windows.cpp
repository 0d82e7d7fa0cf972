// Window classes and the program's windows: creation, placement, visibility,
// and finding a window of this or another running copy.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/coredll/coredll.h"
#include "platform/internal/instance_channel.h"
#include "platform/internal/state.h"
#include "platform/internal/system_answers.h"

using namespace platform::internal;

namespace {

// The area a new window gets by default: below the task bar, above the menu bar.
constexpr RECT kDefaultWindowRect{0, 26, 240, 294};
constexpr ATOM kFirstClassAtom = 0xC000;

WindowClass* FindClass(const std::u16string& name) {
    for (WindowClass& windowClass : TheState().classes) {
        if (windowClass.name == name) return &windowClass;
    }
    return nullptr;
}

LONG Saturate(std::int64_t value) {
    return static_cast<LONG>(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                                      std::numeric_limits<LONG>::max()));
}

RECT PlaceNewWindow(int x, int y, int width, int height) {
    RECT rect = kDefaultWindowRect;
    if (x != CW_USEDEFAULT) {
        rect.left = x;
        rect.top = y;
        rect.right = Saturate(std::int64_t{x} + (kDefaultWindowRect.right - kDefaultWindowRect.left));
        rect.bottom = Saturate(std::int64_t{y} + (kDefaultWindowRect.bottom - kDefaultWindowRect.top));
    }
    if (width != CW_USEDEFAULT) {
        rect.right = Saturate(std::int64_t{rect.left} + width);
        rect.bottom = Saturate(std::int64_t{rect.top} + height);
    }
    return rect;
}

// Opens the channel through which later copies find this window, and lets a
// copy waiting in its own start-up go on.
void ListenForOtherCopies(Window& window) {
    const InstanceKey key{TheState().instanceNamespace, window.className, window.title};
    window.listener = ChannelListener::Listen(key);
    ReleaseStartupLock(key);
}

void SendIconToHost(HICON icon) {
    for (const Module& module : TheState().modules) {
        const auto& table = module.table;
        for (std::size_t i = 0; i < table.count; ++i) {
            const platform::ResourceEntry& entry = table.entries[i];
            if (reinterpret_cast<HICON>(const_cast<platform::ResourceEntry*>(&entry)) != icon) continue;
            if (entry.data == nullptr || entry.size < 8) return;
            const std::uint32_t width = entry.data[0] | entry.data[1] << 8 | entry.data[2] << 16 |
                                        static_cast<std::uint32_t>(entry.data[3]) << 24;
            const std::uint32_t height = entry.data[4] | entry.data[5] << 8 | entry.data[6] << 16 |
                                         static_cast<std::uint32_t>(entry.data[7]) << 24;
            // Damaged icons (pixels past the data) are not shown.
            if (width == 0 || height == 0 || (entry.size - 8) / 4 / width < height) return;
            ActiveHost().SetWindowIcon(entry.data + 8, width, height);
            return;
        }
    }
}

}  // namespace

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
    State& state = TheState();
    if (!SystemHasResourcesFor(SystemCall::kRegisterClass) || windowClass == nullptr ||
        windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr) {
        return 0;
    }
    const std::u16string name = CopyWide(windowClass->lpszClassName);
    if (name.empty() || FindClass(name) != nullptr) return 0;
    if (state.classes.size() >= 0x3FFF) return 0;
    state.classes.push_back({name, windowClass->lpfnWndProc, windowClass->hInstance, windowClass->hIcon});
    if (windowClass->hIcon != nullptr) SendIconToHost(windowClass->hIcon);
    return static_cast<ATOM>(kFirstClassAtom + state.classes.size() - 1);
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, void*) {
    State& state = TheState();
    if (!SystemHasResourcesFor(SystemCall::kCreateWindow) || className == nullptr) return nullptr;
    const WindowClass* windowClass = FindClass(CopyWide(className));
    if (windowClass == nullptr) return nullptr;

    Window& window = state.windows.emplace_back();
    window.className = windowClass->name;
    window.title = CopyWide(title);
    window.procedure = windowClass->procedure;
    window.rect = PlaceNewWindow(x, y, width, height);
    const HWND handle = reinterpret_cast<HWND>(&window);

    // As on the device: a procedure that answers WM_CREATE with -1 refuses the window.
    if (window.procedure(handle, WM_CREATE, 0, 0) == -1) {
        state.windows.pop_back();
        return nullptr;
    }
    ListenForOtherCopies(window);
    if ((style & WS_VISIBLE) != 0) ReportVisibility(window, true);
    return handle;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR title) {
    State& state = TheState();
    const std::u16string wantedClass = CopyWide(className);
    const std::u16string wantedTitle = CopyWide(title);
    for (Window& window : state.windows) {
        if ((className == nullptr || window.className == wantedClass) &&
            (title == nullptr || window.title == wantedTitle)) {
            return reinterpret_cast<HWND>(&window);
        }
    }
    // Other copies are found only by both names, which is how the program asks.
    if (className == nullptr || title == nullptr) return nullptr;
    const InstanceKey key{state.instanceNamespace, wantedClass, wantedTitle};
    // Wait for a copy that is starting right now, then keep others waiting
    // until this one has its window (or has found the running copy).
    AcquireStartupLock(key);
    if (!ProbeRunningInstance(key)) return nullptr;
    ReleaseStartupLock(key);
    for (RemoteWindow& remote : state.remoteWindows) {
        if (remote.key == key) return reinterpret_cast<HWND>(&remote);
    }
    return reinterpret_cast<HWND>(&state.remoteWindows.emplace_back(RemoteWindow{key}));
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* window = FindWindowByHandle(handle);
    if (window == nullptr) return FALSE;
    RECT& rect = window->rect;
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    if ((flags & SWP_NOMOVE) == 0) {
        rect.left = x;
        rect.top = y;
    }
    rect.right = Saturate(std::int64_t{rect.left} + ((flags & SWP_NOSIZE) ? width : cx));
    rect.bottom = Saturate(std::int64_t{rect.top} + ((flags & SWP_NOSIZE) ? height : cy));
    window->atBottom = insertAfter == HWND_BOTTOM;
    if (flags & SWP_HIDEWINDOW) ReportVisibility(*window, false);
    if (flags & SWP_SHOWWINDOW) ReportVisibility(*window, true);
    return TRUE;
}

BOOL SetForegroundWindow(HWND handle) {
    // Bit 0 set asks the device to bring the window's owned windows along too.
    const auto bits = reinterpret_cast<std::uintptr_t>(handle) & ~std::uintptr_t{1};
    Window* window = FindWindowByHandle(reinterpret_cast<HWND>(bits));
    if (window == nullptr) return FALSE;
    window->atBottom = false;
    if (window->visible) window->focused = true;
    ActiveHost().WindowBroughtForward();
    return TRUE;
}

BOOL ShowWindow(HWND handle, int showCommand) {
    Window* window = FindWindowByHandle(handle);
    if (window == nullptr) return FALSE;
    const bool wasVisible = window->visible;
    ReportVisibility(*window, showCommand != SW_HIDE);
    return wasVisible ? TRUE : FALSE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL) {
    Window* window = FindWindowByHandle(handle);
    if (window == nullptr) return FALSE;
    window->rect = {x, y, Saturate(std::int64_t{x} + width), Saturate(std::int64_t{y} + height)};
    return TRUE;
}

BOOL GetWindowRect(HWND handle, RECT* rect) {
    const Window* window = FindWindowByHandle(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    *rect = window->rect;
    return TRUE;
}
