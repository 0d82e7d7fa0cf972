// Turns the handheld's display memory and its icon into the 32-bit pixels a
// desktop window shows (0x00RRGGBB for frames, 0xAARRGGBB for the icon).
#pragma once

#include <cstdint>
#include <span>

#include "platform/host.h"
#include "hosts/sdl/screen_geometry.h"

namespace sdlhost {

constexpr std::size_t kScreenPixels = std::size_t{kScreenWidth} * kScreenHeight;

// One 16-bit display value to 0x00RRGGBB. In the 5-6-5 layout red is bits
// 11-15, green 5-10, blue 0-4; in the game's 5-5-5 layout red is bits 11-15,
// green 6-10 and blue 1-5 (bit 0 unused). Channels are widened so that full
// intensity stays full (31 -> 255).
std::uint32_t Rgb565ToXrgb(std::uint16_t value);
std::uint32_t Rgb555ToXrgb(std::uint16_t value);

// Converts display memory laid out as `config` describes (16-bit pixels,
// little-endian, addressed by its pitches) into a 240x320 picture, top row
// first. Pixels the display does not cover, and every pixel of a display that
// is not 16 bits, are black.
void ConvertFrame(const std::uint8_t* memory, const platform::DisplayConfig& config,
                  std::span<std::uint32_t, kScreenPixels> picture);

// Converts the window class icon (4 bytes a pixel: unused, blue, green, red;
// rows bottom-up) into opaque 0xAARRGGBB pixels, top row first.
void ConvertIcon(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 std::span<std::uint32_t> out);

}  // namespace sdlhost
