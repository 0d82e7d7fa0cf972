#include "tests/support/platform_seam.h"

#include "platform/internal/instance_channel.h"

namespace platform {

using internal::TheState;

void SetFaults(const Faults& faults) { TheState().faults = faults; }

void ResetForTesting() {
    internal::State& state = TheState();
    internal::ReleaseAllStartupLocks();
    state.classes.clear();
    state.windows.clear();  // closes their channel listeners
    state.remoteWindows.clear();
    state.modules.clear();
    state.queue.clear();
    state.faults = {};
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
