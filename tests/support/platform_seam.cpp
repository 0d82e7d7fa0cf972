#include "tests/support/platform_seam.h"

#ifdef _WIN32
#include "platform/internal/win32_channel_system.h"
#else
#include <unistd.h>
#endif

#include "platform/internal/instance_channel.h"
#include "platform/internal/state.h"
#include "platform/internal/system_answers.h"

namespace platform {
namespace {

Faults& PlantedFaults() {
    static Faults faults;
    return faults;
}

bool& ChannelPretends() {
    static bool pretends = false;
    return pretends;
}

}  // namespace

namespace internal {

bool SystemHasResourcesFor(SystemCall call) {
    const Faults& faults = PlantedFaults();
    switch (call) {
        case SystemCall::kRegisterClass: return !faults.registerClassFails;
        case SystemCall::kCreateWindow: return !faults.createWindowFails;
        case SystemCall::kFullScreen: return !faults.fullScreenFails;
    }
    return true;
}

// Another user: the next user id, or on Windows the SID of nobody.
#ifdef _WIN32
ChannelUserId ChannelUser() { return ChannelPretends() ? "S-1-0-0" : win32::ProcessUser(); }
#else
ChannelUserId ChannelUser() { return ChannelPretends() ? getuid() + 1 : getuid(); }
#endif

void PretendChannelIsAnotherUser(bool pretend) { ChannelPretends() = pretend; }

}  // namespace internal

using internal::TheState;

void SetFaults(const Faults& faults) { PlantedFaults() = faults; }

void ResetForTesting() {
    internal::State& state = TheState();
    internal::ReleaseAllStartupLocks();
    state.classes.clear();
    state.windows.clear();  // closes their channel listeners
    state.remoteWindows.clear();
    state.modules.clear();
    state.queue.clear();
    PlantedFaults() = {};
    state.instanceNamespace = "desktop";
    state.randState = 1;
    state.fullScreen = false;
    internal::Display& display = state.display;
    display.open = false;
    display.frameBegun = false;
    display.presents = 0;
    display.orientation = display.config.rotated ? DMDO_90 : DMDO_0;
    internal::SizeDisplayMemory(display);
}

}  // namespace platform
