#include "res/art/icon.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "res/art/blocks.h"
#include "res/art/canvas.h"
#include "res/art/palette.h"

namespace art {

namespace {

using namespace colour;

// The icon is laid out on a 32x32 grid, the window icon's own size.
constexpr double kGrid = 32;
constexpr double kTileCorner = 6;

void FillHeart(cairo_t* cr, double x, double y, double w, double h, Rgb colour, double alpha = 1.0) {
    SetColour(cr, colour, alpha);
    HeartPath(cr, x, y, w, h);
    cairo_fill(cr);
}

}  // namespace

void DrawIcon(cairo_t* cr, double size, bool rounded) {
    const double scale = size / kGrid;
    const double px = 1 / scale;  // one pixel on the grid
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    // The block: the corner piece whose path runs in from the right and out
    // at the bottom, as from the heart toward the heroine.
    cairo_save(cr);
    if (rounded) {
        RoundRectPath(cr, 0, 0, kGrid, kGrid, kTileCorner);
        cairo_clip(cr);
    }
    cairo_scale(cr, kGrid / 20, kGrid / 20);
    DrawBlock(cr, 4, 0, kBlockGround);
    cairo_restore(cr);
    if (rounded) {
        // A dark edge, so the tile keeps its shape on light desktops.
        RoundRectPath(cr, px / 2, px / 2, kGrid - px, kGrid - px, kTileCorner - px / 2);
        SetColour(cr, Darker(kBlockGround, 0.5));
        cairo_set_line_width(cr, px);
        cairo_stroke(cr);
    }
    // The heart. Where a pixel is small enough it casts a soft shadow and
    // glows from its upper left; the small icons keep it flat and crisp.
    // Its box falls on whole pixels down to the 16-pixel icon.
    const bool fine = scale >= 1.5;
    if (fine) FillHeart(cr, 4.8, 7.2, 24, 22, Darker(kBlockGround, 0.6), 0.45);
    FillHeart(cr, 4, 6, 24, 22, kHeartDark);
    HeartPath(cr, 6, 8, 20, 18);
    if (fine) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(11.5, 12, 1, 14, 14, 16);
        cairo_pattern_add_color_stop_rgb(glow, 0, kHeartLight.red / 255.0, kHeartLight.green / 255.0,
                                         kHeartLight.blue / 255.0);
        cairo_pattern_add_color_stop_rgb(glow, 0.45, kHeart.red / 255.0, kHeart.green / 255.0, kHeart.blue / 255.0);
        cairo_pattern_add_color_stop_rgb(glow, 1, Darker(kHeart, 0.15).red / 255.0, Darker(kHeart, 0.15).green / 255.0,
                                         Darker(kHeart, 0.15).blue / 255.0);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    } else {
        SetColour(cr, kHeart);
        cairo_fill(cr);
    }
    FillEllipse(cr, 11, 12, std::max(2.6, px), std::max(1.7, px), kHeartLight);
    if (fine) FillEllipse(cr, 10.5, 11.6, 1.1, 0.7, kPetal);
    cairo_restore(cr);
}

namespace {

std::string WriteIcon(const std::filesystem::path& folder, int size, bool rounded) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return "cannot make the folder " + folder.string();
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size), cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()), cairo_destroy);
    DrawIcon(context.get(), size, rounded);
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) return "cannot draw the " + folder.string() + " icon";
    const std::string path = (folder / "mirelink.png").string();
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        return "cannot write " + path;
    }
    return {};
}

}  // namespace

std::string WriteDesktopIcons(const std::string& outDir) {
    for (const int size : kDesktopIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        if (std::string problem = WriteIcon(std::filesystem::path(outDir) / name, size, true); !problem.empty()) {
            return problem;
        }
    }
    // A phone cuts its own shape out of a home-screen icon: this one covers
    // every pixel, its heart well inside the circle a phone always keeps.
    return WriteIcon(std::filesystem::path(outDir) / "maskable", 512, false);
}

}  // namespace art
