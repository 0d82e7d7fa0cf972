// The game display interface: exclusive use of the screen, its properties,
// and display memory between the begin and the end of a frame.
#include "platform/gx/gx.h"

#include <utility>

#include "platform/internal/state.h"

using namespace platform::internal;

int GXOpenDisplay(HWND, DWORD) {
    TheState().display.open = true;
    return 1;
}

int GXCloseDisplay() {
    Display& display = TheState().display;
    display.open = false;
    display.frameBegun = false;
    return 1;
}

void* GXBeginDraw() {
    Display& display = TheState().display;
    if (!display.open) return nullptr;
    display.frameBegun = true;
    return display.memory.data();
}

int GXEndDraw() {
    Display& display = TheState().display;
    if (!display.open || !display.frameBegun) return 0;
    display.frameBegun = false;
    ++display.presents;
    const bool changed = display.memory != display.lastPresented;
    if (changed) display.lastPresented = display.memory;
    ActiveHost().PresentFrame(display.memory.data(), display.config, changed);
    return 1;
}

GXDisplayProperties GXGetDisplayProperties() {
    const Display& display = TheState().display;
    const platform::DisplayConfig& config = display.config;
    GXDisplayProperties properties{config.width,        config.height,       config.xPitch,
                                   config.yPitch,       config.bitsPerPixel, config.format};
    const bool turned = display.orientation == DMDO_90 || display.orientation == DMDO_270;
    if (turned) std::swap(properties.cxWidth, properties.cyHeight);
    return properties;
}
