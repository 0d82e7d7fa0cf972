#include "tools/dbbtool/contact_sheet.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <string>

#include "tools/dbb/raw_picture.h"

namespace dbbtool {
namespace {

constexpr int kMargin = 8;
constexpr int kLabelWidth = 44;
constexpr int kFrameGap = 4;
constexpr int kRowGap = 10;
constexpr int kChecker = 6;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

struct Placed {
    const SheetPicture* picture;
    dbb::PictureHeader header;
    int frameHeight;
    int top;
};

std::vector<Placed> Arrange(const std::vector<SheetPicture>& pictures, int& width, int& height) {
    std::vector<Placed> placed;
    width = kMargin * 2 + kLabelWidth;
    height = kMargin;
    for (const SheetPicture& picture : pictures) {
        const auto header = dbb::WholePictureHeader(picture.raw);
        const std::string name = "picture " + std::to_string(picture.id);
        if (!header) throw dbb::Error(name + " is not a whole picture");
        if (picture.frames == 0 || header->height % picture.frames != 0) {
            throw dbb::Error(name + ": height " + std::to_string(header->height) + " is not " +
                             std::to_string(picture.frames) + " whole frames");
        }
        const int frameHeight = static_cast<int>(header->height / picture.frames);
        const auto rowWidth = static_cast<std::int64_t>(picture.frames) * (header->width + kFrameGap);
        width = static_cast<int>(std::max<std::int64_t>(width, kMargin * 2 + kLabelWidth + rowWidth));
        placed.push_back({&picture, *header, frameHeight, height});
        height += std::max(frameHeight, 14) + kRowGap;
    }
    height += kMargin;
    return placed;
}

// Frame `frame` upright, pure white see-through, as a premultiplied surface.
Surface FrameSurface(const Placed& placed, std::uint32_t frame) {
    const int width = static_cast<int>(placed.header.width);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, placed.frameHeight));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) throw dbb::Error("cannot draw the sheet");
    cairo_surface_flush(surface.get());
    unsigned char* target = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const std::uint8_t* pixels = placed.picture->raw.data() + dbb::kHeaderBytes;
    for (int y = 0; y < placed.frameHeight; ++y) {
        // Frame k holds stored rows k*h .. k*h+h-1, bottom-up.
        const std::size_t storedRow = std::size_t{frame} * placed.frameHeight + (placed.frameHeight - 1 - y);
        const std::uint8_t* source = pixels + storedRow * width * dbb::kPixelBytes;
        auto* row = reinterpret_cast<std::uint32_t*>(target + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x, source += 4) {
            const bool white = source[1] == 255 && source[2] == 255 && source[3] == 255;
            row[x] = white ? 0u : 0xFF000000u | std::uint32_t{source[3]} << 16 | std::uint32_t{source[2]} << 8 | source[1];
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

void Checkerboard(cairo_t* context, int left, int top, int width, int height) {
    cairo_save(context);
    cairo_rectangle(context, left, top, width, height);
    cairo_clip(context);
    for (int y = 0; y < height; y += kChecker) {
        for (int x = 0; x < width; x += kChecker) {
            const double grey = ((x + y) / kChecker) % 2 == 0 ? 0.62 : 0.78;
            cairo_set_source_rgb(context, grey, grey, grey);
            cairo_rectangle(context, left + x, top + y, kChecker, kChecker);
            cairo_fill(context);
        }
    }
    cairo_restore(context);
}

void DrawRow(cairo_t* context, const Placed& placed) {
    cairo_set_source_rgb(context, 0.1, 0.1, 0.1);
    cairo_move_to(context, kMargin, placed.top + 12);
    cairo_show_text(context, std::to_string(placed.picture->id).c_str());
    const int width = static_cast<int>(placed.header.width);
    for (std::uint32_t frame = 0; frame < placed.picture->frames; ++frame) {
        const int left = kMargin + kLabelWidth + static_cast<int>(frame) * (width + kFrameGap);
        Checkerboard(context, left, placed.top, width, placed.frameHeight);
        const Surface surface = FrameSurface(placed, frame);
        cairo_set_source_surface(context, surface.get(), left, placed.top);
        cairo_paint(context);
    }
}

}  // namespace

namespace {

void DrawSheet(const std::filesystem::path& path, const std::vector<SheetPicture>& pictures) {
    int width = 0;
    int height = 0;
    const std::vector<Placed> placed = Arrange(pictures, width, height);
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(sheet.get()) != CAIRO_STATUS_SUCCESS) {
        throw dbb::Error("cannot make a sheet of " + std::to_string(width) + "x" + std::to_string(height));
    }
    Context context(cairo_create(sheet.get()));
    cairo_set_source_rgb(context.get(), 1, 1, 1);
    cairo_paint(context.get());
    cairo_select_font_face(context.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(context.get(), 12);
    for (const Placed& row : placed) DrawRow(context.get(), row);
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) throw dbb::Error("cannot draw the sheet");
    if (cairo_surface_write_to_png(sheet.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw dbb::Error("cannot write " + path.string());
    }
}

}  // namespace

void WriteContactSheet(const std::filesystem::path& path, const std::vector<SheetPicture>& pictures) {
    DrawSheet(path, pictures);
    // The text drawing leaves font caches behind; let them go, so that leak
    // checkers see a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace dbbtool
