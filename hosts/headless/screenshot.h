// The screen as last presented, and the PNG pictures `shot` makes of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hosts/files/png_file.h"
#include "platform/host.h"

// A copy of display memory at the end of the last frame.
struct PresentedFrame {
    std::vector<std::uint8_t> memory;
    platform::DisplayConfig config;
};

// Bytes of display memory for a screen: its rows, packed as its pitch says.
std::size_t DisplayMemoryBytes(const platform::DisplayConfig& config);

// One 16-bit screen value as red, green, blue, in the two layouts the game
// writes: 5-6-5, and its own 5-5-5 with blue in bits 1-5. Short channels are
// widened by repeating their top bits, so full intensity stays 255.
std::array<std::uint8_t, 3> DecodeRgb565(std::uint16_t value);
std::array<std::uint8_t, 3> DecodeRgb555(std::uint16_t value);

// The frame as a picture, decoded as its display's format says; a black
// 240x320 picture when nothing has been presented.
RgbPicture DecodeFrame(const PresentedFrame* frame);
