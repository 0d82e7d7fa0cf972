// The level and score fields: a row of digit cells from the digit strip,
// the number right-aligned, presented at once.
#include <charconv>
#include <cstdint>

#include "gfx/display_device.h"
#include "gfx/draw_checks.h"
#include "gfx/image.h"

namespace {

constexpr int kBlankFrame = 10;

}  // namespace

// One cell of the digit strip, every pixel written: white is part of the
// digits' background here, not a hole.
void DisplayDevice::DrawDigitCell(int x, int y, const Pixel32* digits, int cellWidth, int cellHeight, int frame) {
    CheckScreenRect("DrawNumber", x, y, cellWidth, cellHeight, digits);
    const Pixel32* cell = digits + static_cast<std::int64_t>(frame) * cellWidth * cellHeight;
    const PixelWriter write = Writer();
    drawnSincePresent = true;
    for (int r = 0; r < cellHeight; ++r) {
        const int row = y + cellHeight - 1 - r;
        for (int c = 0; c < cellWidth; ++c) {
            write(this, backBuffer + PixelOffset(x + c, row), &cell[r * cellWidth + c]);
        }
    }
}

void DisplayDevice::DrawNumber(int x, int y, const Pixel32* digits, int cellWidth, int cellHeight, int value,
                               int cellCount) {
    // The strip has no minus sign: a negative value leaves the field blank, as 0 does.
    char text[16] = {};
    const int shown = value > 0 ? value : 0;
    const auto written = std::to_chars(text, text + sizeof text - 1, shown);
    int length = static_cast<int>(written.ptr - text);
    if (length > cellCount) length = cellCount;

    for (int k = 0; k < cellCount; ++k) {
        DrawDigitCell(x + k * cellWidth, y, digits, cellWidth, cellHeight, kBlankFrame);
    }
    // 0 leaves the field blank: callers clear a field this way. A longer
    // number shows its most significant digits.
    if (shown != 0) {
        for (int i = 0; i < length; ++i) {
            DrawDigitCell(x + (cellCount - length + i) * cellWidth, y, digits, cellWidth, cellHeight,
                          text[i] - '0');
        }
    }
    Present();
}

void DisplayDevice::DrawNumber4(int x, int y, const Pixel32* digits, int cellWidth, int cellHeight, int value) {
    DrawNumber(x, y, digits, cellWidth, cellHeight, value, 4);
}
