// The handheld's game display interface: exclusive use of the screen, its
// properties, and the address of display memory between begin and end of a
// frame.
#pragma once

#include "platform/coredll/coredll.h"

struct GXDisplayProperties {
    DWORD cxWidth;
    DWORD cyHeight;
    std::int32_t cbxPitch;
    std::int32_t cbyPitch;
    std::int32_t cBPP;
    DWORD ffFormat;
};

constexpr DWORD kfLandscape = 0x0008;
constexpr DWORD kfPalette = 0x0010;
constexpr DWORD kfDirect = 0x0020;
constexpr DWORD kfDirect555 = 0x0040;
constexpr DWORD kfDirect565 = 0x0080;
constexpr DWORD kfDirect888 = 0x0100;
constexpr DWORD kfDirect444 = 0x0200;
constexpr DWORD kfDirectInverted = 0x0400;

constexpr DWORD GX_FULLSCREEN = 0x01;

int GXOpenDisplay(HWND window, DWORD flags);
int GXCloseDisplay();
void* GXBeginDraw();
int GXEndDraw();
GXDisplayProperties GXGetDisplayProperties();
