#include "hosts/sdl/pixel_convert.h"

#include <algorithm>
#include <cstddef>

#include "platform/gx/gx.h"

namespace sdlhost {
namespace {

std::uint32_t Widen5(std::uint32_t value) { return (value << 3) | (value >> 2); }
std::uint32_t Widen6(std::uint32_t value) { return (value << 2) | (value >> 4); }

std::uint32_t Xrgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

// The game writes 5-6-5 whenever the display reports it, even when the
// 5-5-5 flag is also set, so the same precedence applies here.
bool IsRgb555(std::uint32_t format) {
    return (format & kfDirect565) == 0 && (format & kfDirect555) != 0;
}

}  // namespace

std::uint32_t Rgb565ToXrgb(std::uint16_t value) {
    return Xrgb(Widen5((value >> 11) & 0x1Fu), Widen6((value >> 5) & 0x3Fu), Widen5(value & 0x1Fu));
}

std::uint32_t Rgb555ToXrgb(std::uint16_t value) {
    return Xrgb(Widen5((value >> 11) & 0x1Fu), Widen5((value >> 6) & 0x1Fu),
                Widen5((value >> 1) & 0x1Fu));
}

void ConvertFrame(const std::uint8_t* memory, const platform::DisplayConfig& config,
                  std::span<std::uint32_t, kScreenPixels> picture) {
    std::fill(picture.begin(), picture.end(), 0u);
    if (memory == nullptr || config.bitsPerPixel != 16) {
        return;
    }
    const auto toXrgb = IsRgb555(config.format) ? Rgb555ToXrgb : Rgb565ToXrgb;
    const int width = static_cast<int>(std::min<std::uint32_t>(config.width, kScreenWidth));
    const int height = static_cast<int>(std::min<std::uint32_t>(config.height, kScreenHeight));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::ptrdiff_t offset = std::ptrdiff_t{y} * config.yPitch +
                                          std::ptrdiff_t{x} * config.xPitch;
            const std::uint8_t* pixel = memory + offset;
            const auto value = static_cast<std::uint16_t>(pixel[0] | (pixel[1] << 8));
            picture[static_cast<std::size_t>(y) * kScreenWidth + static_cast<std::size_t>(x)] =
                toXrgb(value);
        }
    }
}

void ConvertIcon(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 std::span<std::uint32_t> out) {
    const std::size_t count = std::size_t{width} * height;
    if (pixels == nullptr || out.size() < count) {
        return;
    }
    for (std::uint32_t row = 0; row < height; ++row) {
        const std::uint8_t* source = pixels + std::size_t{height - 1 - row} * width * 4;
        for (std::uint32_t column = 0; column < width; ++column) {
            const std::uint8_t* pixel = source + std::size_t{column} * 4;
            out[std::size_t{row} * width + column] =
                0xFF000000u | Xrgb(pixel[3], pixel[2], pixel[1]);
        }
    }
}

}  // namespace sdlhost
