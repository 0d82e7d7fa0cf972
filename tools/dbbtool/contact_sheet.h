// One picture of every picture: each strip's frames side by side (frame 0
// first), see-through pure white shown over a grey checkerboard, the id
// written beside each.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace dbbtool {

struct SheetPicture {
    std::uint32_t id = 0;
    std::uint32_t frames = 1;
    std::vector<std::uint8_t> raw;  // a whole raw picture, header included
};

// Throws dbb::Error when a picture is not whole, its height is not a whole
// number of frames, or the sheet cannot be drawn or written.
void WriteContactSheet(const std::filesystem::path& path, const std::vector<SheetPicture>& pictures);

}  // namespace dbbtool
