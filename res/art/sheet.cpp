#include "res/art/sheet.h"

#include <cairo.h>

#include <algorithm>
#include <memory>

#include "res/art/canvas.h"

namespace art {

namespace {

constexpr int kLabelHeight = 14;
constexpr int kGap = 8;
constexpr int kSheetWidth = 1500;

// Each picture is a block: its id on top, its frames side by side below,
// wrapped to the sheet's width. Blocks flow left to right in shelves.
struct Block {
    int framesPerRow;
    int width;
    int height;
    int left = 0;
    int top = 0;
};

Block Measure(const SheetEntry& entry, int scale) {
    const int frameWidth = entry.line.width * scale;
    const int perRow =
        std::max(1, std::min(entry.line.frames, (kSheetWidth - 2 * kGap + 2) / (frameWidth + 2)));
    const int rows = (entry.line.frames + perRow - 1) / perRow;
    constexpr int kLabelRoom = 110;  // so ids of small pictures do not run together
    const int width = std::max(kLabelRoom, perRow * (frameWidth + 2) - 2);
    return {perRow, width, kLabelHeight + rows * (entry.line.FrameHeight() * scale + 2)};
}

std::vector<Block> Layout(const std::vector<SheetEntry>& entries, int scale, int& sheetHeight) {
    std::vector<Block> blocks;
    int x = kGap;
    int y = kGap;
    int shelfHeight = 0;
    for (const SheetEntry& entry : entries) {
        Block block = Measure(entry, scale);
        if (x > kGap && x + block.width > kSheetWidth - kGap) {
            x = kGap;
            y += shelfHeight + kGap;
            shelfHeight = 0;
        }
        block.left = x;
        block.top = y;
        x += block.width + kGap;
        shelfHeight = std::max(shelfHeight, block.height);
        blocks.push_back(block);
    }
    sheetHeight = y + shelfHeight + kGap;
    return blocks;
}

// The pixel of frame f at upright row y, column x.
StoredPixel FramePixel(const SheetEntry& entry, int frame, int x, int y) {
    const int frameHeight = entry.line.FrameHeight();
    const std::size_t start = static_cast<std::size_t>(frame) * entry.line.width * frameHeight;
    return entry.picture.pixels[start + static_cast<std::size_t>(frameHeight - 1 - y) * entry.line.width + x];
}

void PaintFrame(unsigned char* data, int stride, const SheetEntry& entry, int frame, int left, int top, int scale) {
    for (int y = 0; y < entry.line.FrameHeight() * scale; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(top + y) * stride);
        for (int x = 0; x < entry.line.width * scale; ++x) {
            const StoredPixel p = FramePixel(entry, frame, x / scale, y / scale);
            std::uint32_t value = 0xff000000u | (p.red << 16) | (p.green << 8) | p.blue;
            if (p.red == 255 && p.green == 255 && p.blue == 255) {
                value = ((x / 4 + y / 4) % 2 == 0) ? 0xffd8d8d8u : 0xffa8a8a8u;  // see-through
            }
            row[left + x] = value;
        }
    }
}

}  // namespace

std::string WriteSheet(const std::string& path, const std::vector<SheetEntry>& entries, int scale) {
    int height = 0;
    const std::vector<Block> blocks = Layout(entries, scale, height);
    if (height > 32000) return "the sheet would be too tall; put fewer ids on it or lower the scale";
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()), cairo_destroy);
    cairo_t* cr = context.get();
    FillRect(cr, 0, 0, kSheetWidth, height, {60, 60, 70});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SheetEntry& entry = entries[i];
        const std::string label = (entry.line.kind == PictureKind::Icon ? "icon " : "") +
                                  std::to_string(entry.line.id) + "  " + std::to_string(entry.line.width) + "x" +
                                  std::to_string(entry.line.FrameHeight()) +
                                  (entry.line.frames > 1 ? " x" + std::to_string(entry.line.frames) : "");
        Text(cr, Font::SansBold, 10, label, blocks[i].left, blocks[i].top + 10, {240, 240, 200}, Align::Left);
    }
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SheetEntry& entry = entries[i];
        const Block& block = blocks[i];
        for (int frame = 0; frame < entry.line.frames; ++frame) {
            const int left = block.left + (frame % block.framesPerRow) * (entry.line.width * scale + 2);
            const int top = block.top + kLabelHeight +
                            (frame / block.framesPerRow) * (entry.line.FrameHeight() * scale + 2);
            PaintFrame(data, stride, entry, frame, left, top, scale);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) return "cannot write " + path;
    return {};
}

}  // namespace art
