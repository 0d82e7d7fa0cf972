// The host side of the platform stand-in: how a host plugs itself in, hands
// the program its resources, and looks at what the platform is doing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/coredll/coredll.h"
#include "platform/host.h"

namespace platform {

// One resource of the program file: a type ("DBB", "STRING", "ICON"), an
// integer id, and its bytes.
struct ResourceEntry {
    const char* type;
    std::uint32_t id;
    const std::uint8_t* data;
    std::uint32_t size;
};

struct ResourceTable {
    const ResourceEntry* entries;
    std::size_t count;
};

// Installs the host and the display it offers. Must come before WinMain.
void SetHost(Host* host, const DisplayConfig& display);
Host& CurrentHost();

// Registers the program's resources and returns the instance handle that
// WinMain receives.
HINSTANCE RegisterModule(const ResourceTable& table);

// Copies of the program started with the same namespace find one another;
// others never do. Default: "desktop".
void SetInstanceNamespace(const std::string& name);
const std::string& InstanceNamespace();

// What a host waits on to hear another copy knock on the main window's
// hand-over channel: a descriptor that turns readable on Unix, an event that
// turns signalled on Windows, carried as an integer either way so that no
// host's system header reaches this interface. kNoHandOver while there is none.
using HandOverHandle = std::intptr_t;
constexpr HandOverHandle kNoHandOver = -1;
HandOverHandle HandOverWaitable();

// What the platform is doing, for the hosts to show and record.
struct Status {
    bool windowExists = false;
    bool windowVisible = false;
    bool displayOpen = false;
    bool fullScreen = false;       // the shell made the window full screen
    DWORD orientation = 0;         // DMDO_* of the screen now
    std::uint64_t presents = 0;    // frames that reached the host
    RECT windowRect{};
    bool windowAtBottom = false;   // last placed at the bottom of the z-order
    std::uint32_t randState = 0;   // the C runtime's random sequence, before its next draw
};
Status CurrentStatus();

// Bytes of display memory, as handed to Host::PresentFrame: at least one
// 240x320 16-bit screen, and enough for the configured geometry.
std::size_t DisplayMemorySize();

}  // namespace platform
