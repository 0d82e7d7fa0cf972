// The three primitives that put pictures into the device's buffers. Pictures
// are stored bottom-up: the first stored row lands on the bottom row of the
// rectangle. Nothing clips; the test build checks every rectangle.
#include <cstdint>

#include "gfx/display_device.h"
#include "gfx/draw_checks.h"
#include "gfx/image.h"

namespace {

// Rows from the bottom of the rectangle up, pixels left to right.
template <typename DrawPixel>
void WalkBottomUp(int x, int y, int width, int height, DrawPixel drawPixel) {
    for (int r = 0; r < height; ++r) {
        const int row = y + height - 1 - r;
        for (int c = 0; c < width; ++c) drawPixel(x + c, row, r * width + c);
    }
}

}  // namespace

int DisplayDevice::DrawImage(int x, int y, const Pixel32* pixels, int width, int height) {
    if (height < 1 || width < 1) return 1;
    CheckScreenRect("DrawImage", x, y, width, height, pixels);
    const PixelWriter write = Writer();
    WalkBottomUp(x, y, width, height, [&](int px, int py, int index) {
        if (!IsPureWhite(pixels[index])) write(this, backBuffer + PixelOffset(px, py), &pixels[index]);
    });
    return 1;
}

int DisplayDevice::DrawFrame(int x, int y, const ImageRef& strip, int frameWidth, int frameHeight, int frame) {
    if (!HasFrame(strip, frameWidth, frameHeight, frame)) return 0;
    const Pixel32* pixels = StripFrame(strip, static_cast<std::uint32_t>(frameHeight), static_cast<std::uint32_t>(frame));
    return DrawImage(x, y, pixels, frameWidth, frameHeight);
}

int DisplayDevice::DrawPicture(int x, int y, const ImageRef& picture) {
    return DrawImage(x, y, picture.pixels, static_cast<int>(picture.width), static_cast<int>(picture.height));
}

int DisplayDevice::DrawImageMasked(int x, int y, const Pixel32* pixels, const Pixel32* mask, int width,
                                   int height) {
    if (height < 1 || width < 1) return 1;
    CheckScreenRect("DrawImageMasked", x, y, width, height, pixels);
    CheckScreenRect("DrawImageMasked", x, y, width, height, mask);
    const PixelWriter write = Writer();
    // Black in the mask lets the picture through, whatever its colour.
    WalkBottomUp(x, y, width, height, [&](int px, int py, int index) {
        if (IsPureBlack(mask[index])) write(this, backBuffer + PixelOffset(px, py), &pixels[index]);
    });
    return 1;
}

int DisplayDevice::StageImage(int x, int y, const Pixel32* pixels, int width, int height) {
    if (height < 1 || width < 1) return 1;
    // Rows of the picture's own width, the bottom row first: the layout the
    // panel slides read.
    const std::int64_t first = static_cast<std::int64_t>(y) * width + x;
    DrawingFault(ElementsInWork(first, static_cast<std::int64_t>(width) * height) && pixels != nullptr,
                 "StageImage", x, y, width, height);
    const PixelWriter write = Writer();
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const Pixel32& source = pixels[r * width + c];
            if (IsPureWhite(source)) continue;
            write(this, workBuffer + (first + static_cast<std::int64_t>(r) * width + c) * kWorkPixelBytes,
                  &source);
        }
    }
    return 1;
}
