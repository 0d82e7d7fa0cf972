// A drawn picture in the game's stored layout, and the file it is kept in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "res/art/catalogue.h"
#include "res/art/picture_line.h"

namespace art {

struct StoredPixel {
    std::uint8_t unused = 0;
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
};

// width x height pixels, rows bottom-up, frame 0 first (the bottom band of
// the upright picture).
struct Picture {
    int width = 0;
    int height = 0;
    int frames = 1;
    std::vector<StoredPixel> pixels;
};

// Draws every frame of the line's picture. Pixels the drawing leaves mostly
// transparent become pure white (the game's see-through key); the others are
// laid over the matte colour, and an opaque pure white becomes 254 grey so it
// is not mistaken for the key.
Picture Render(const PictureLine& line, const Drawing& drawing);

// The raw picture file: u32 width, u32 height (little-endian), then the
// pixels, 4 bytes each.
std::vector<std::uint8_t> EncodeRaw(const Picture& picture);

// Writes the bytes; returns an empty string or what went wrong.
std::string WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace art
