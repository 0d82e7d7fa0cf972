#include "tools/dbb/contact_sheet.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>

#include "tools/dbb/raw_picture.h"

namespace dbb {
namespace {

constexpr int kMargin = 8;
constexpr int kLabelGap = 8;
constexpr int kLabelHeight = 14;
constexpr int kLabelBaseline = 12;
constexpr int kFrameGap = 4;
constexpr int kRowGap = 10;
constexpr int kChecker = 6;
// Cairo draws images of at most this many pixels a side.
constexpr std::int64_t kMaxSheetSide = 32767;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

struct Row {
    const SheetPicture* picture;
    PictureHeader header;
    int frameHeight;  // unmagnified
    int top;
};

struct Layout {
    std::vector<Row> rows;
    int picturesLeft = 0;  // where every row's frame 0 starts
    int width = 0;
    int height = 0;
};

// The labels come from a fixed font file, not from a font matched by name:
// the sheet looks the same on every machine, and no font-matching caches are
// left behind for leak checkers to report.
constexpr const char* kLabelFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Loaded once and kept for the rest of the process: Cairo keeps references.
cairo_font_face_t* LabelFont() {
    static FT_Library library = nullptr;
    static cairo_font_face_t* face = nullptr;
    if (face != nullptr) return face;
    FT_Face file = nullptr;
    if ((library == nullptr && FT_Init_FreeType(&library) != 0) || FT_New_Face(library, kLabelFontFile, 0, &file) != 0) {
        throw Error(std::string("cannot load font file ") + kLabelFontFile);
    }
    face = cairo_ft_font_face_create_for_ft_face(file, 0);
    return face;
}

void SelectLabelFont(cairo_t* context) {
    cairo_set_font_face(context, LabelFont());
    cairo_set_font_size(context, 12);
}

int WidestLabel(const std::vector<SheetPicture>& pictures) {
    Surface scratch(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    Context context(cairo_create(scratch.get()));
    SelectLabelFont(context.get());
    double widest = 0;
    for (const SheetPicture& picture : pictures) {
        cairo_text_extents_t extents;
        cairo_text_extents(context.get(), picture.label.c_str(), &extents);
        widest = std::max(widest, extents.x_advance);
    }
    return static_cast<int>(std::ceil(widest));
}

PictureHeader CheckedHeader(const SheetPicture& picture) {
    const auto header = WholePictureHeader(picture.raw);
    const std::string name = "picture " + picture.label;
    if (!header) throw Error(name + " is not a whole picture");
    if (picture.frames == 0 || header->height % picture.frames != 0) {
        throw Error(name + ": height " + std::to_string(header->height) + " is not " + std::to_string(picture.frames) +
                    " whole frames");
    }
    return *header;
}

void CheckSide(std::int64_t side) {
    if (side > kMaxSheetSide) {
        throw Error("the sheet would be more than " + std::to_string(kMaxSheetSide) +
                    " pixels a side; put fewer pictures on it or lower the scale");
    }
}

// Sizes are worked out in 64 bits and checked before they become ints, so
// that no picture header, however large, can make them wrap.
Layout Arrange(const std::vector<SheetPicture>& pictures, int scale) {
    if (scale < 1) throw Error("the sheet's scale must be 1 or more, not " + std::to_string(scale));
    Layout layout;
    layout.picturesLeft = kMargin + WidestLabel(pictures) + kLabelGap;
    std::int64_t width = layout.picturesLeft + kMargin;
    std::int64_t height = kMargin;
    for (const SheetPicture& picture : pictures) {
        const PictureHeader header = CheckedHeader(picture);
        const std::uint32_t frameHeight = header.height / picture.frames;
        const std::int64_t rowWidth = std::int64_t{picture.frames} * (std::int64_t{header.width} * scale + kFrameGap);
        width = std::max(width, layout.picturesLeft + rowWidth + kMargin);
        CheckSide(width);
        layout.rows.push_back({&picture, header, static_cast<int>(frameHeight), static_cast<int>(height)});
        height += std::max<std::int64_t>(std::int64_t{frameHeight} * scale, kLabelHeight) + kRowGap;
        CheckSide(height);
    }
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height + kMargin);
    CheckSide(layout.height);
    return layout;
}

// Frame `frame` upright, pure white see-through, as a premultiplied surface.
Surface FrameSurface(const Row& row, std::uint32_t frame) {
    const int width = static_cast<int>(row.header.width);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, row.frameHeight));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) throw Error("cannot draw the sheet");
    cairo_surface_flush(surface.get());
    unsigned char* target = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const std::uint8_t* pixels = row.picture->raw.data() + kHeaderBytes;
    for (int y = 0; y < row.frameHeight; ++y) {
        // Frame k holds stored rows k*h .. k*h+h-1, bottom-up.
        const std::size_t storedRow = std::size_t{frame} * row.frameHeight + (row.frameHeight - 1 - y);
        const std::uint8_t* source = pixels + storedRow * width * kPixelBytes;
        auto* line = reinterpret_cast<std::uint32_t*>(target + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x, source += kPixelBytes) {
            const bool white = source[1] == 255 && source[2] == 255 && source[3] == 255;
            line[x] = white ? 0u : 0xFF000000u | std::uint32_t{source[3]} << 16 | std::uint32_t{source[2]} << 8 | source[1];
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

// Each picture pixel becomes a scale x scale block, never a blur.
void PaintMagnified(cairo_t* context, cairo_surface_t* frame, int left, int top, int scale) {
    cairo_save(context);
    cairo_translate(context, left, top);
    cairo_scale(context, scale, scale);
    cairo_set_source_surface(context, frame, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(context), CAIRO_FILTER_NEAREST);
    cairo_paint(context);
    cairo_restore(context);
}

void DrawRow(cairo_t* context, const Layout& layout, const Row& row, int scale) {
    cairo_set_source_rgb(context, 0.1, 0.1, 0.1);
    cairo_move_to(context, kMargin, row.top + kLabelBaseline);
    cairo_show_text(context, row.picture->label.c_str());
    const int width = static_cast<int>(row.header.width) * scale;
    for (std::uint32_t frame = 0; frame < row.picture->frames; ++frame) {
        const int left = layout.picturesLeft + static_cast<int>(frame) * (width + kFrameGap);
        Checkerboard(context, left, row.top, width, row.frameHeight * scale);
        PaintMagnified(context, FrameSurface(row, frame).get(), left, row.top, scale);
    }
}

}  // namespace

void WriteContactSheet(const std::filesystem::path& path, const std::vector<SheetPicture>& pictures, int scale) {
    const Layout layout = Arrange(pictures, scale);
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layout.width, layout.height));
    if (cairo_surface_status(sheet.get()) != CAIRO_STATUS_SUCCESS) {
        throw Error("cannot make a sheet of " + std::to_string(layout.width) + "x" + std::to_string(layout.height));
    }
    Context context(cairo_create(sheet.get()));
    cairo_set_source_rgb(context.get(), 1, 1, 1);
    cairo_paint(context.get());
    SelectLabelFont(context.get());
    for (const Row& row : layout.rows) DrawRow(context.get(), layout, row, scale);
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) throw Error("cannot draw the sheet");
    if (cairo_surface_write_to_png(sheet.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw Error("cannot write " + path.string());
    }
}

}  // namespace dbb
