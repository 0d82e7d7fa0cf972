// Synthetic raw pictures for the codec tests, shaped like the game's art.
#pragma once

#include <cstdint>
#include <vector>

namespace codec_test {

struct Colour {
    std::uint8_t red, green, blue;
};

// A raw picture (header included) whose pixel (x, y) is colourAt(x, y).
template <typename ColourAt>
std::vector<std::uint8_t> RawPicture(std::uint32_t width, std::uint32_t height, ColourAt colourAt) {
    std::vector<std::uint8_t> raw;
    for (const std::uint32_t value : {width, height}) {
        for (int shift = 0; shift < 32; shift += 8) raw.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const Colour c = colourAt(x, y);
            raw.insert(raw.end(), {0, c.blue, c.green, c.red});
        }
    }
    return raw;
}

// Flat colours with a few shapes on white: how most of the art looks.
inline std::vector<std::uint8_t> CartoonPicture(std::uint32_t width, std::uint32_t height) {
    return RawPicture(width, height, [](std::uint32_t x, std::uint32_t y) -> Colour {
        const int dx = static_cast<int>(x % 60) - 30;
        const int dy = static_cast<int>(y % 70) - 35;
        if (dx * dx + dy * dy < 400) return {200, 30, 40};
        if ((x / 7 + y / 5) % 11 == 0) return {20, 120, 20};
        if (y % 90 < 3) return {0, 0, 0};
        return {255, 255, 255};
    });
}

}  // namespace codec_test
