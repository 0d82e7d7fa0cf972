// The screen's picture as the desktop window holds it, and the handheld's
// icon as the window takes it (0xAARRGGBB).
#pragma once

#include <cstdint>
#include <span>

#include "platform/host.h"
#include "hosts/sdl/screen_geometry.h"

namespace sdlhost {

constexpr std::size_t kScreenPixels = std::size_t{kScreenWidth} * kScreenHeight;

// Converts the window class icon (4 bytes a pixel: unused, blue, green, red;
// rows bottom-up) into opaque 0xAARRGGBB pixels, top row first.
void ConvertIcon(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 std::span<std::uint32_t> out);

}  // namespace sdlhost
