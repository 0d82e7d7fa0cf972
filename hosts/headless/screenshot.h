// The screen as last presented, and the PNG pictures `shot` makes of it.
#pragma once

#include <cstdint>
#include <vector>

#include "hosts/files/png_file.h"
#include "hosts/files/screen_pixels.h"
#include "platform/host.h"

// A copy of display memory at the end of the last frame.
struct PresentedFrame {
    std::vector<std::uint8_t> memory;
    platform::DisplayConfig config;
};

// The frame as a picture of its display's size, in the colours the desktop
// window shows; a black 240x320 picture when nothing has been presented.
RgbPicture DecodeFrame(const PresentedFrame* frame);
