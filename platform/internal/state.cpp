#include "platform/internal/state.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace platform::internal {
namespace {

// Serves calls made before a host is installed: a real clock, no input, no
// screen, and message boxes that could not be shown.
class QuietHost final : public Host {
public:
    std::uint32_t TickCount() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    void Sleep(std::uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    HostEvent WaitForEvent(bool) override { return {HostEventKind::Close, 0, 0}; }
    void PresentFrame(const std::uint8_t*, const DisplayConfig&, bool) override {}
    int ShowMessageBox(std::string_view, std::string_view, std::uint32_t) override { return 0; }
    void WindowVisibilityChanged(bool) override {}
};

std::uint64_t Span(std::int64_t pitch, std::uint64_t count) {
    const std::uint64_t step = static_cast<std::uint64_t>(pitch < 0 ? -pitch : pitch);
    return step * count;
}

}  // namespace

State& TheState() {
    static State state;
    return state;
}

Host& ActiveHost() {
    static QuietHost quiet;
    Host* host = TheState().host;
    return host ? *host : quiet;
}

Window* FindWindowByHandle(HWND handle) {
    for (Window& window : TheState().windows) {
        if (reinterpret_cast<HWND>(&window) == handle) return &window;
    }
    return nullptr;
}

RemoteWindow* FindRemoteWindowByHandle(HWND handle) {
    for (RemoteWindow& window : TheState().remoteWindows) {
        if (reinterpret_cast<HWND>(&window) == handle) return &window;
    }
    return nullptr;
}

Module* FindModule(HINSTANCE instance) {
    auto& modules = TheState().modules;
    // A null instance means the program itself, as on the device.
    if (instance == nullptr) return modules.empty() ? nullptr : &modules.front();
    for (Module& module : modules) {
        if (reinterpret_cast<HINSTANCE>(&module) == instance) return &module;
    }
    return nullptr;
}

const ResourceEntry* FindResourceEntry(HINSTANCE instance, const char* type, std::uint32_t id) {
    const Module* module = FindModule(instance);
    if (module == nullptr || module->table.entries == nullptr) return nullptr;
    for (std::size_t i = 0; i < module->table.count; ++i) {
        const ResourceEntry& entry = module->table.entries[i];
        if (entry.id == id && entry.type != nullptr && std::string_view(entry.type) == type) {
            return &entry;
        }
    }
    return nullptr;
}

Window* MainWindow() {
    auto& windows = TheState().windows;
    return windows.empty() ? nullptr : &windows.front();
}

void SizeDisplayMemory(Display& display) {
    const DisplayConfig& config = display.config;
    // Both orientations are covered: the pitches stay as configured while the
    // reported width and height swap.
    const std::uint64_t longest = std::max(config.width, config.height);
    const std::uint64_t needed =
        Span(config.yPitch, longest) + Span(config.xPitch, longest) + 4;
    const std::uint64_t kScreenBytes = 240 * 320 * 2;
    // Absurd geometries get the plain screen's memory rather than gigabytes.
    const std::uint64_t kLargest = 64ull << 20;
    display.memory.assign(static_cast<std::size_t>(std::clamp(needed, kScreenBytes, kLargest)), 0);
    display.lastPresented.clear();
}

void ReportVisibility(Window& window, bool visible) {
    if (window.visible == visible) return;
    window.visible = visible;
    if (&window == MainWindow()) ActiveHost().WindowVisibilityChanged(visible);
    if (visible) {
        window.focused = true;
    } else {
        TakeFocusAway(window);
    }
}

void TakeFocusAway(Window& window) {
    if (!window.focused) return;
    window.focused = false;
    window.procedure(reinterpret_cast<HWND>(&window), WM_KILLFOCUS, 0, 0);
}

std::u16string CopyWide(LPCWSTR text) {
    if (text == nullptr) return {};
    return std::u16string(text);
}

std::string WideToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = text[i];
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        const bool low = code >= 0xDC00 && code <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (high || low) {
            code = 0xFFFD;  // a lone surrogate is not text
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

}  // namespace platform::internal
