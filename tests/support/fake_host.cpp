#include "tests/support/fake_host.h"

#include <unistd.h>

#include <string>

#include "tests/support/platform_seam.h"

namespace test_support {

FakeHost::~FakeHost() {
    // Never leave the platform holding a host that is gone.
    if (installed_ && &platform::CurrentHost() == this) platform::SetHost(nullptr, installedDisplay_);
}

void FakeHost::Install(const platform::DisplayConfig& display) {
    platform::ResetForTesting();
    platform::SetHost(this, display);
    static int installs = 0;
    platform::SetInstanceNamespace("test-" + std::to_string(getpid()) + "-" + std::to_string(++installs));
    installedDisplay_ = display;
    installed_ = true;
}

platform::HostEvent FakeHost::WaitForEvent(bool paintable) {
    ++waitCalls;
    lastPaintable = paintable;
    if (std::optional<platform::HostEvent> injected = onWait ? onWait(paintable) : std::nullopt) return *injected;
    if (events_.empty()) return {paintable ? platform::HostEventKind::Paint : platform::HostEventKind::Close, 0, 0};
    const platform::HostEvent event = events_.front();
    events_.pop_front();
    return event;
}

}  // namespace test_support
