#include "hosts/files/screen_pixels.h"

#include <algorithm>

#include "platform/gx/gx.h"

namespace {

std::uint32_t Widen5(std::uint32_t value) { return (value << 3) | (value >> 2); }
std::uint32_t Widen6(std::uint32_t value) { return (value << 2) | (value >> 4); }

std::uint32_t Rgb565ToXrgb(std::uint32_t value) {
    return Widen5((value >> 11) & 0x1Fu) << 16 | Widen6((value >> 5) & 0x3Fu) << 8 | Widen5(value & 0x1Fu);
}

std::uint32_t Rgb555ToXrgb(std::uint32_t value) {
    return Widen5((value >> 11) & 0x1Fu) << 16 | Widen5((value >> 6) & 0x1Fu) << 8 | Widen5((value >> 1) & 0x1Fu);
}

bool IsRgb555(std::uint32_t format) { return (format & kfDirect565) == 0 && (format & kfDirect555) != 0; }

}  // namespace

std::size_t DisplayMemoryBytes(const platform::DisplayConfig& config) {
    if (config.yPitch <= 0) return 0;
    return static_cast<std::size_t>(config.height) * static_cast<std::size_t>(config.yPitch);
}

void ScreenToXrgb(std::span<const std::uint8_t> memory, const platform::DisplayConfig& config,
                  std::uint32_t width, std::span<std::uint32_t> picture) {
    std::fill(picture.begin(), picture.end(), 0u);
    if (config.bitsPerPixel != 16 || width == 0) return;
    const auto toXrgb = IsRgb555(config.format) ? Rgb555ToXrgb : Rgb565ToXrgb;
    const std::size_t rows = std::min<std::size_t>(config.height, picture.size() / width);
    const std::size_t columns = std::min(config.width, width);
    for (std::size_t y = 0; y < rows; ++y) {
        for (std::size_t x = 0; x < columns; ++x) {
            const long long at = static_cast<long long>(y) * config.yPitch + static_cast<long long>(x) * config.xPitch;
            if (at < 0 || static_cast<std::size_t>(at) + 2 > memory.size()) continue;  // outside memory: black
            const auto i = static_cast<std::size_t>(at);
            picture[y * width + x] = toXrgb(memory[i] | memory[i + 1] << 8u);
        }
    }
}
