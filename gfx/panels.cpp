// Panels slide up over the play field from behind a horizon row and sink back
// behind it, one row a step, presenting and sleeping at every step. The panel
// is converted once into the work buffer; the steps only move rows.
#include <cstdint>
#include <cstring>

#include "gfx/display_device.h"
#include "gfx/draw_checks.h"
#include "gfx/image.h"
#include "platform/coredll/coredll.h"

namespace {

constexpr DWORD kRollInStepMs = 6;
constexpr DWORD kRollOutStepMs = 4;

}  // namespace

// The panel's resting rectangle lies on the screen and its picture fits the
// work buffer; `pixels` is checked when there is a picture to convert.
void DisplayDevice::CheckPanel(const char* primitive, bool hasPixels) const {
    const std::int64_t top = static_cast<std::int64_t>(panelBottomY) - panelHeight + 1;
    if (panelWidth < 1 || panelHeight < 1) return;
    DrawingFault(RectOnScreen(panelX, top, panelWidth, panelHeight) &&
                     ElementsInWork(0, static_cast<std::int64_t>(panelWidth) * panelHeight) &&
                     hasPixels,
                 primitive, panelX, top, panelWidth, panelHeight);
}

// `count` 16-bit pixels from `source` (consecutive) to screen row `row` from
// column `x` of `screen`.
void DisplayDevice::CopyToScreenRow(std::uint8_t* screen, const std::uint8_t* source, int x, int row, int count) {
    if (count < 1) return;
    drawnSincePresent = true;
    if (pixelPitch == 2) {
        std::memcpy(screen + PixelOffset(x, row), source, static_cast<std::size_t>(count) * 2);
        return;
    }
    for (int c = 0; c < count; ++c) std::memcpy(screen + PixelOffset(x + c, row), source + 2 * c, 2);
}

const std::uint8_t* DisplayDevice::WorkRow(int workRow) const {
    return workBuffer + static_cast<std::int64_t>(workRow) * panelWidth * kWorkPixelBytes;
}

void DisplayDevice::ShowWorkRow(int workRow, int screenRow) {
    CopyToScreenRow(backBuffer, WorkRow(workRow), panelX, screenRow, panelWidth);
}

// A whole screen row put back from the save buffer.
void DisplayDevice::RestoreScreenRow(int row) {
    drawnSincePresent = true;
    if (pixelPitch == 2) {
        const int offset = PixelOffset(0, row);
        std::memcpy(backBuffer + offset, saveBuffer + offset, kScreenWidth * 2);
        return;
    }
    for (int c = 0; c < kScreenWidth; ++c) {
        const int offset = PixelOffset(c, row);
        std::memcpy(backBuffer + offset, saveBuffer + offset, 2);
    }
}

// Every pixel of the panel, white included, converted once to the screen's format.
void DisplayDevice::ConvertPanel(const Pixel32* pixels) {
    const PixelWriter write = Writer();
    const std::int64_t count = static_cast<std::int64_t>(panelWidth) * panelHeight;
    for (std::int64_t i = 0; i < count; ++i) write(this, workBuffer + i * kWorkPixelBytes, &pixels[i]);
}


void DisplayDevice::RollInPanel(int x, int bottomY, const Pixel32* pixels, int width, int height) {
    panelWidth = width;
    panelHeight = height;
    panelX = x;
    panelBottomY = bottomY;
    CheckPanel("RollInPanel", pixels != nullptr);
    std::memcpy(saveBuffer, backBuffer, kScreenBytes);
    if (width > 0 && height > 0) ConvertPanel(pixels);
    // Step i shows the top i + 1 rows of the panel, its top row on bottomY - i.
    for (int i = 0; i < height; ++i) {
        for (int j = 0; j <= i; ++j) ShowWorkRow(height - 1 - i + j, bottomY - j);
        Present();
        Sleep(kRollInStepMs);
    }
    Present();
}

void DisplayDevice::RollOutPanel() {
    CheckPanel("RollOutPanel");
    const int height = panelHeight;
    const int top = panelBottomY - height + 1;
    // Each step the panel drops a row; its lowest rows sink behind the
    // horizon under its resting bottom row, and the row it uncovers comes
    // back from the save buffer.
    for (int s = 1; s <= height; ++s) {
        for (int t = 0; t <= height - 1 - s; ++t) ShowWorkRow(height - 1 - t, top + s + t);
        RestoreScreenRow(top + s - 1);
        Present();
        ++panelBottomY;
        Sleep(kRollOutStepMs);
    }
    std::memcpy(backBuffer, saveBuffer, kScreenBytes);
    drawnSincePresent = true;
    Present();
}
