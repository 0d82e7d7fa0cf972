#include "tests/support/fake_host.h"

#include <unistd.h>

#include <string>

namespace test_support {

using platform::HostEvent;
using platform::HostEventKind;

FakeHost::~FakeHost() {
    // Never leave the platform holding a host that is gone.
    if (installed_ && &platform::CurrentHost() == this) {
        platform::SetHost(nullptr, installedDisplay_);
    }
}

void FakeHost::Install(const platform::DisplayConfig& display) {
    platform::ResetForTesting();
    platform::SetHost(this, display);
    static int installs = 0;
    platform::SetInstanceNamespace("test-" + std::to_string(getpid()) + "-" + std::to_string(++installs));
    installedDisplay_ = display;
    installed_ = true;
}

void FakeHost::Sleep(std::uint32_t milliseconds) {
    clock_ += milliseconds;
    totalSleptMs += milliseconds;
    ++sleepCalls;
}

HostEvent FakeHost::WaitForEvent(bool paintable) {
    ++waitCalls;
    lastPaintable = paintable;
    HostEvent event;
    if (std::optional<HostEvent> injected = onWait ? onWait(paintable) : std::nullopt) {
        event = *injected;
    } else if (!events_.empty()) {
        event = events_.front();
        events_.pop_front();
    } else {
        event = {paintable ? HostEventKind::Paint : HostEventKind::Close, 0, 0};
    }
    return event;
}

void FakeHost::PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig&, bool changed) {
    ++framesPresented;
    if (changed) ++framesChanged;
    lastFrame.assign(memory, memory + platform::DisplayMemorySize());
}

int FakeHost::ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) {
    messageBoxes.push_back({std::string(caption), std::string(text), type});
    return messageBoxResult;
}

void FakeHost::SetWindowIcon(const std::uint8_t* pixels, std::uint32_t width,
                             std::uint32_t height) {
    iconPixels.assign(pixels, pixels + std::size_t{width} * height * 4);
    iconWidth = width;
}

}  // namespace test_support
