// The host-side controls of the platform stand-in.
#include "platform/platform.h"

#include "platform/internal/instance_channel.h"
#include "platform/internal/state.h"

namespace platform {

using internal::TheState;

void SetHost(Host* host, const DisplayConfig& display) {
    internal::State& state = TheState();
    state.host = host;
    state.display.config = display;
    state.display.orientation = display.rotated ? DMDO_90 : DMDO_0;
    internal::SizeDisplayMemory(state.display);
}

Host& CurrentHost() { return internal::ActiveHost(); }

HINSTANCE RegisterModule(const ResourceTable& table) {
    internal::Module& module = TheState().modules.emplace_back();
    module.table = table;
    return reinterpret_cast<HINSTANCE>(&module);
}

void SetInstanceNamespace(const std::string& name) { TheState().instanceNamespace = name; }

const std::string& InstanceNamespace() { return TheState().instanceNamespace; }

HandOverHandle HandOverWaitable() {
    const internal::Window* window = internal::MainWindow();
    return window != nullptr && window->listener ? window->listener->Waitable() : kNoHandOver;
}

Status CurrentStatus() {
    const internal::State& state = TheState();
    Status status;
    if (const internal::Window* window = internal::MainWindow()) {
        status.windowExists = true;
        status.windowVisible = window->visible;
        status.windowAtBottom = window->atBottom;
        status.windowRect = window->rect;
    }
    status.displayOpen = state.display.open;
    status.fullScreen = state.fullScreen;
    status.orientation = state.display.orientation;
    status.presents = state.display.presents;
    status.randState = state.randState;
    return status;
}

std::size_t DisplayMemorySize() { return TheState().display.memory.size(); }

}  // namespace platform
