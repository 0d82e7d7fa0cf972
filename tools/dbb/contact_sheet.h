// One picture of many pictures, for looking at them: each strip's frames side
// by side (frame 0 first), see-through pure white shown over a grey
// checkerboard, a label (the id) written beside each.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dbb {

struct SheetPicture {
    std::string label;
    std::uint32_t frames = 1;
    std::vector<std::uint8_t> raw;  // a whole raw picture, header included
};

// Every picture magnified `scale` times, one row each. Throws dbb::Error when
// a picture is not whole, its height is not a whole number of frames, the
// scale is below 1, the sheet would be too large to draw, the label font
// cannot be loaded, or the sheet cannot be written.
void WriteContactSheet(const std::filesystem::path& path, const std::vector<SheetPicture>& pictures, int scale = 1);

}  // namespace dbb
