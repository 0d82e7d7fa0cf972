// The primitives that put pictures into the device's buffers. Pictures
// are stored bottom-up: the first stored row lands on the bottom row of the
// rectangle. Only DrawFrameClipped clips, at the screen's right edge; the
// checked build checks every rectangle drawn.
//
// Drawing is nearly all of a tick, so each primitive runs one tight loop per
// screen format, packing pixels as the format's writer does, rather than a
// call to the writer for every pixel.
#include <algorithm>
#include <cstdint>

#include "gfx/display_device.h"
#include "gfx/draw_checks.h"
#include "gfx/image.h"

namespace {

void Store(std::uint8_t* destination, std::uint16_t value) {
    destination[0] = static_cast<std::uint8_t>(value);
    destination[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

// Rows from the bottom of the rectangle up, pixels left to right, `stride`
// source pixels a row; the pixel with source index i shows when `shows(i)`.
template <class Shows, class Pack>
void DisplayDevice::DrawBottomUp(int x, int y, int width, int height, int stride, const Pixel32* pixels, Shows shows,
                                 Pack pack) {
    drawnSincePresent = true;
    for (int r = 0; r < height; ++r) {
        std::uint8_t* out = backBuffer + PixelOffset(x, y + height - 1 - r);
        const int first = r * stride;
        for (int c = 0; c < width; ++c, out += pixelPitch) {
            if (shows(first + c)) Store(out, pack(pixels[first + c]));
        }
    }
}

// The loop for the screen's format; the "none" writer draws nothing.
template <class Shows>
void DisplayDevice::DrawInFormat(int x, int y, int width, int height, int stride, const Pixel32* pixels,
                                 Shows shows) {
    const PixelWriter write = Writer();
    if (write == WritePixel565) DrawBottomUp(x, y, width, height, stride, pixels, shows, Pack565);
    if (write == WritePixel555) DrawBottomUp(x, y, width, height, stride, pixels, shows, Pack555);
}

template <class Pack>
void DisplayDevice::StageRows(std::int64_t first, int width, int height, const Pixel32* pixels, Pack pack) {
    std::uint8_t* out = workBuffer + first * kWorkPixelBytes;
    for (std::int64_t i = 0; i < std::int64_t{width} * height; ++i, out += kWorkPixelBytes) {
        if (!IsPureWhite(pixels[i])) Store(out, pack(pixels[i]));
    }
}

void DisplayDevice::DrawImage(int x, int y, const Pixel32* pixels, int width, int height) {
    if (height < 1 || width < 1) return;
    CheckScreenRect("DrawImage", x, y, width, height, pixels);
    DrawInFormat(x, y, width, height, width, pixels, [pixels](int i) { return !IsPureWhite(pixels[i]); });
}

void DisplayDevice::DrawFrame(int x, int y, const ImageRef& strip, int frameWidth, int frameHeight, int frame) {
    if (!HasFrame(strip, frameWidth, frameHeight, frame)) return;
    const Pixel32* pixels = StripFrame(strip, static_cast<std::uint32_t>(frameHeight), static_cast<std::uint32_t>(frame));
    DrawImage(x, y, pixels, frameWidth, frameHeight);
}

void DisplayDevice::DrawFrameClipped(int x, int y, const ImageRef& strip, int frameWidth, int frameHeight,
                                     int frame) {
    if (!HasFrame(strip, frameWidth, frameHeight, frame)) return;
    const Pixel32* pixels = StripFrame(strip, static_cast<std::uint32_t>(frameHeight), static_cast<std::uint32_t>(frame));
    // Only the columns left of the screen's right edge; the rows keep the
    // frame's own width.
    const int width = std::min(frameWidth, kScreenWidth - x);
    if (width < 1 || frameHeight < 1) return;
    CheckScreenRect("DrawFrameClipped", x, y, width, frameHeight, pixels);
    DrawInFormat(x, y, width, frameHeight, frameWidth, pixels,
                 [pixels](int i) { return !IsPureWhite(pixels[i]); });
}

void DisplayDevice::DrawPicture(int x, int y, const ImageRef& picture) {
    DrawImage(x, y, picture.pixels, static_cast<int>(picture.width), static_cast<int>(picture.height));
}

void DisplayDevice::DrawImageMasked(int x, int y, const Pixel32* pixels, const Pixel32* mask, int width,
                                    int height) {
    if (height < 1 || width < 1) return;
    CheckScreenRect("DrawImageMasked", x, y, width, height, pixels);
    CheckScreenRect("DrawImageMasked", x, y, width, height, mask);
    // Black in the mask lets the picture through, whatever its colour.
    DrawInFormat(x, y, width, height, width, pixels, [mask](int i) { return IsPureBlack(mask[i]); });
}

void DisplayDevice::StageImage(int x, int y, const Pixel32* pixels, int width, int height) {
    if (height < 1 || width < 1) return;
    // Rows of the picture's own width, the bottom row first: the layout the
    // panel slides read.
    const std::int64_t first = static_cast<std::int64_t>(y) * width + x;
    DrawingFault(ElementsInWork(first, static_cast<std::int64_t>(width) * height) && pixels != nullptr,
                 "StageImage", x, y, width, height);
    const PixelWriter write = Writer();
    if (write == WritePixel565) StageRows(first, width, height, pixels, Pack565);
    if (write == WritePixel555) StageRows(first, width, height, pixels, Pack555);
}
