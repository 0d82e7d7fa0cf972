// The PNG pictures the hosts write: screenshots and the runner's `shot`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, top row first
};

// Writes an RGB PNG as ReplaceFile does: a failure leaves every file as it
// was. Returns an empty string, or why it could not.
std::string WritePng(const std::string& path, const RgbPicture& picture);
