// Pictures as upright RGBA images, and PNG files of them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace dbb {

// Rows top-down, 4 bytes a pixel: red, green, blue, alpha.
struct RgbaImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// The whole raw picture `raw` (header included) turned upright, every pixel
// opaque (pure white stays white). Throws dbb::Error when `raw` is not one
// whole picture.
RgbaImage UprightRgba(std::span<const std::uint8_t> raw);

void WritePng(const std::filesystem::path& path, const RgbaImage& image);

}  // namespace dbb
