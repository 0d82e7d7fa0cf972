// A picture as the game holds it: 32-bit pixels (byte 0 unused, then blue,
// green, red), rows stored bottom-up, frames of a strip stacked. Pure white
// is see-through.
#pragma once

#include <cstddef>
#include <cstdint>

// One source pixel as stored in the resources.
struct Pixel32 {
    std::uint8_t unused;
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
};
static_assert(sizeof(Pixel32) == 4);

inline bool IsPureWhite(const Pixel32& p) { return p.blue == 255 && p.green == 255 && p.red == 255; }
inline bool IsPureBlack(const Pixel32& p) { return p.blue == 0 && p.green == 0 && p.red == 0; }

// A loaded picture: width x height pixels, rows stored bottom-up. A strip of
// frames counts all its frames in `height`.
struct ImageRef {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const Pixel32* pixels = nullptr;
};

// Frame k of a strip of frames of width x frameHeight starts this far into
// the stored pixels.
inline const Pixel32* StripFrame(const ImageRef& strip, std::uint32_t frameHeight, std::uint32_t frame) {
    return strip.pixels + static_cast<std::size_t>(frame) * strip.width * frameHeight;
}

// True when `strip` holds frame `frame` of frameWidth x frameHeight: it
// loaded, it is frameWidth wide, and it is tall enough for that frame. A
// picture that failed to load, or a frame it does not have, is never read.
inline bool HasFrame(const ImageRef& strip, int frameWidth, int frameHeight, int frame) {
    if (strip.pixels == nullptr || frameWidth < 1 || frameHeight < 1 || frame < 0) return false;
    if (strip.width != static_cast<std::uint32_t>(frameWidth)) return false;
    const std::uint64_t frames = strip.height / static_cast<std::uint32_t>(frameHeight);
    return static_cast<std::uint64_t>(frame) < frames;
}
