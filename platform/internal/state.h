// The platform stand-in's own bookkeeping: everything a process of the
// handheld keeps about its classes, windows, message queue, display and
// modules. One instance per process; the game has one thread.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/coredll/coredll.h"
#include "platform/internal/instance_channel.h"
#include "platform/platform.h"

namespace platform::internal {

struct WindowClass {
    std::u16string name;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
};

struct Window {
    std::u16string className;
    std::u16string title;
    WNDPROC procedure = nullptr;
    RECT rect{};
    bool visible = false;
    bool focused = false;  // the window has the input focus
    bool atBottom = false;
    std::unique_ptr<ChannelListener> listener;  // where other copies reach this window
};

// A window of another process, found through the instance channel.
struct RemoteWindow {
    InstanceKey key;
};

struct Module {
    ResourceTable table{};
};

struct Display {
    DisplayConfig config{};
    std::vector<std::uint8_t> memory;
    std::vector<std::uint8_t> lastPresented;  // display memory as the host last saw it
    DWORD orientation = DMDO_0;
    bool open = false;
    bool frameBegun = false;
    std::uint64_t presents = 0;
};

struct State {
    Host* host = nullptr;
    std::deque<WindowClass> classes;
    std::deque<Window> windows;
    std::deque<RemoteWindow> remoteWindows;
    std::deque<Module> modules;
    std::deque<MSG> queue;
    Display display;
    std::string instanceNamespace = "desktop";
    std::uint32_t randState = 1;
    bool fullScreen = false;
};

State& TheState();

// The host in use; a quiet stand-in (real clock, no input) before SetHost.
Host& ActiveHost();

// Handle checks: a handle the platform did not hand out is never dereferenced.
Window* FindWindowByHandle(HWND handle);
RemoteWindow* FindRemoteWindowByHandle(HWND handle);
Module* FindModule(HINSTANCE instance);
const ResourceEntry* FindResourceEntry(HINSTANCE instance, const char* type, std::uint32_t id);

// The window that paints and pen input go to: the first one created.
Window* MainWindow();

// Sizes display memory so that every pixel of the configured geometry, in
// either orientation, lies inside it.
void SizeDisplayMemory(Display& display);

// Shows or hides a window. A window that is shown takes the focus; one that
// is hidden while it has the focus loses it and is told so at once
// (WM_KILLFOCUS), as on the device.
void ReportVisibility(Window& window, bool visible);

// The focus leaves the window: WM_KILLFOCUS, once, if it had the focus.
void TakeFocusAway(Window& window);

std::u16string CopyWide(LPCWSTR text);
std::string WideToUtf8(std::u16string_view text);

}  // namespace platform::internal
