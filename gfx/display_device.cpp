#include "gfx/display_device.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr LPCWSTR kErrorCaption = u"Error";
constexpr LPCWSTR kColourCountMessage = u"The display not less than 65536 colours is required.";
constexpr LPCWSTR kColourCodingMessage = u"The given coding of colour is not supported by the program.";
constexpr LPCWSTR kScreenSizeMessage = u"The given screen dimension is not supported by the program.";

int StoreLittleEndian(std::uint32_t value, std::uint8_t* destination) {
    destination[0] = static_cast<std::uint8_t>(value & 0xFF);
    destination[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    return 1;
}

// A failed check shows its message; a box that could not be shown at all
// means the system is out of memory.
HRESULT FailWithMessage(LPCWSTR message) {
    if (MessageBoxW(nullptr, message, kErrorCaption, MB_OK) == 0) return E_OUTOFMEMORY;
    return E_FAIL;
}

}  // namespace

int WritePixel555(DisplayDevice*, std::uint8_t* destination, const Pixel32* source) {
    return StoreLittleEndian(Pack555(*source), destination);
}

int WritePixel565(DisplayDevice*, std::uint8_t* destination, const Pixel32* source) {
    return StoreLittleEndian(Pack565(*source), destination);
}

int WritePixelNone(DisplayDevice*, std::uint8_t*, const Pixel32*) { return 1; }

namespace {

// A turned screen is brought back to its natural orientation where the
// system allows it; the size check that follows decides in the end.
void RestorePortrait(DEVMODEW& mode, HWND window) {
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof(DEVMODEW);
    mode.dmFields = DM_DISPLAYORIENTATION;
    ChangeDisplaySettingsEx(nullptr, &mode, window, CDS_TEST, nullptr);
    if (mode.dmDisplayOrientation == DMDO_0) return;
    EnumDisplaySettings(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    mode.dmFields = DM_DISPLAYORIENTATION;
    ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr);
}

}  // namespace

// The game is built for 2-byte pixels in 480-byte rows. A display may report
// other pitches (turned or padded memory); they are honoured only when every
// pixel of the 240x320 screen still lands inside the buffers.
void DisplayDevice::SettleAddressing() {
    const std::int64_t x = properties.cbxPitch;
    const std::int64_t y = properties.cbyPitch;
    const std::int64_t lastX = (kScreenWidth - 1) * x;
    const std::int64_t lastY = (kScreenHeight - 1) * y;
    const std::int64_t lowest = std::min<std::int64_t>(0, lastX) + std::min<std::int64_t>(0, lastY);
    const std::int64_t highest = std::max<std::int64_t>(0, lastX) + std::max<std::int64_t>(0, lastY);
    const bool fits = x != 0 && y != 0 && highest - lowest + 2 <= kScreenBytes;
    pixelPitch = fits ? static_cast<std::int32_t>(x) : 2;
    rowPitch = fits ? static_cast<std::int32_t>(y) : kScreenWidth * 2;
    originOffset = fits ? static_cast<std::int32_t>(-lowest) : 0;
}

DisplayDevice::DisplayDevice(HWND window) {
    RestorePortrait(displayMode, window);
    properties = GXGetDisplayProperties();
    is240x320 = properties.cxWidth == kScreenWidth && properties.cyHeight == kScreenHeight;
    status = S_OK;
    writerIndex = -1;
    if (properties.cBPP < 16) status = FailWithMessage(kColourCountMessage);
    pixelWriters[0] = WritePixel555;
    pixelWriters[1] = WritePixel565;
    SettleAddressing();
}

HRESULT DisplayDevice::CheckFormat() {
    if (status != S_OK) return status;
    // Tested in this order, a later flag overriding an earlier one.
    if (properties.ffFormat & kfDirect555) writerIndex = 0;
    if (properties.ffFormat & kfDirect565) writerIndex = 1;
    if (properties.ffFormat & kfDirect888) writerIndex = -1;
    if (writerIndex < 0) status = FailWithMessage(kColourCodingMessage);
    if (!is240x320) status = FailWithMessage(kScreenSizeMessage);
    return status;
}

void DisplayDevice::Open(HWND window) {
    GXOpenDisplay(window, GX_FULLSCREEN);
    drawnSincePresent = true;
}

void DisplayDevice::Close() {
    GXCloseDisplay();
}

// Every paint presents, so that the screen counts it; only a changed back
// buffer is copied into display memory.
void DisplayDevice::Present() {
    frameBuffer = static_cast<std::uint8_t*>(GXBeginDraw());
    if (frameBuffer != nullptr && drawnSincePresent) {
        std::memcpy(frameBuffer, backBuffer, kScreenBytes);
        drawnSincePresent = false;
    }
    GXEndDraw();
}
