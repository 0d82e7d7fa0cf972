// Screen orientation. The screen's one mode is listed in its natural
// (portrait) orientation; a turned screen reports its width and height swapped
// through the game display interface until it is turned back.
#include "platform/coredll/coredll.h"
#include "platform/internal/state.h"

using namespace platform::internal;

namespace {

bool IsOrientation(DWORD value) {
    return value == DMDO_0 || value == DMDO_90 || value == DMDO_180 || value == DMDO_270;
}

constexpr DWORD kRefreshRate = 60;

}  // namespace

LONG ChangeDisplaySettingsEx(LPCWSTR deviceName, DEVMODEW* mode, HWND, DWORD flags, void*) {
    if (deviceName != nullptr || mode == nullptr) return DISP_CHANGE_BADMODE;
    Display& display = TheState().display;
    if (flags & CDS_TEST) {
        // Asking with the orientation field set reports the current orientation.
        if (mode->dmFields & DM_DISPLAYORIENTATION) mode->dmDisplayOrientation = display.orientation;
        return DISP_CHANGE_SUCCESSFUL;
    }
    if ((mode->dmFields & DM_DISPLAYORIENTATION) == 0) return DISP_CHANGE_SUCCESSFUL;
    if (!IsOrientation(mode->dmDisplayOrientation)) return DISP_CHANGE_BADMODE;
    display.orientation = mode->dmDisplayOrientation;
    return DISP_CHANGE_SUCCESSFUL;
}

BOOL EnumDisplaySettings(LPCWSTR deviceName, DWORD modeNumber, DEVMODEW* mode) {
    if (deviceName != nullptr || mode == nullptr) return FALSE;
    if (modeNumber != ENUM_CURRENT_SETTINGS && modeNumber != 0) return FALSE;
    const platform::DisplayConfig& config = TheState().display.config;
    mode->dmBitsPerPel = config.bitsPerPixel < 0 ? 0 : static_cast<DWORD>(config.bitsPerPixel);
    mode->dmPelsWidth = config.width;
    mode->dmPelsHeight = config.height;
    mode->dmDisplayFrequency = kRefreshRate;
    mode->dmDisplayOrientation = DMDO_0;
    return TRUE;
}
