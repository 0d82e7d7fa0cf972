#include "tests/support/platform_seam.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <optional>

#include "platform/internal/instance_channel.h"
#include "platform/internal/state.h"
#include "platform/internal/system_answers.h"

namespace platform {
namespace {

Faults& PlantedFaults() {
    static Faults faults;
    return faults;
}

#ifndef _WIN32
std::optional<uid_t>& ChannelUserOverride() {
    static std::optional<uid_t> user;
    return user;
}
#endif

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

#ifndef _WIN32
uid_t ChannelUser() { return ChannelUserOverride().value_or(getuid()); }

void SetChannelUserForTesting(uid_t user) { ChannelUserOverride() = user; }
#endif

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
