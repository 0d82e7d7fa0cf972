#include "hosts/sdl/pixel_convert.h"

#include <cstddef>

namespace sdlhost {

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
                0xFF000000u | std::uint32_t{pixel[3]} << 16 | std::uint32_t{pixel[2]} << 8 | pixel[1];
        }
    }
}

}  // namespace sdlhost
