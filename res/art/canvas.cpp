#include "res/art/canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace art {

namespace {

int Clamp255(double value) { return std::clamp(static_cast<int>(std::lround(value)), 0, 255); }

constexpr const char* kFontDirectory = "/usr/share/fonts/truetype/dejavu/";

struct FontFile {
    Font font;
    const char* file;
};
constexpr std::array kFontFiles{
    FontFile{Font::Sans, "DejaVuSans.ttf"},
    FontFile{Font::SansBold, "DejaVuSans-Bold.ttf"},
    FontFile{Font::Serif, "DejaVuSerif.ttf"},
    FontFile{Font::SerifBold, "DejaVuSerif-Bold.ttf"},
    FontFile{Font::SerifBoldItalic, "DejaVuSerif-BoldItalic.ttf"},
    FontFile{Font::SansCondensedBold, "DejaVuSansCondensed-Bold.ttf"},
};

// The faces live until the process ends: Cairo keeps its own references.
std::array<cairo_font_face_t*, kFontFiles.size()> gFaces{};

void SelectFont(cairo_t* cr, Font font, double size) {
    cairo_set_font_face(cr, FontFace(font));
    cairo_set_font_size(cr, size);
    // No hinting: glyph shapes then depend only on the font file.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {Clamp255(a.red + (b.red - a.red) * t), Clamp255(a.green + (b.green - a.green) * t),
            Clamp255(a.blue + (b.blue - a.blue) * t)};
}
Rgb Lighter(Rgb colour, double amount) { return Mix(colour, {250, 250, 250}, amount); }
Rgb Darker(Rgb colour, double amount) { return Mix(colour, {0, 0, 0}, amount); }

std::string LoadFonts() {
    static FT_Library library = nullptr;
    if (library == nullptr && FT_Init_FreeType(&library) != 0) return "cannot start FreeType";
    for (std::size_t i = 0; i < kFontFiles.size(); ++i) {
        if (gFaces[i] != nullptr) continue;
        const std::string path = std::string(kFontDirectory) + kFontFiles[i].file;
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return "cannot load font file " + path;
        gFaces[i] = cairo_ft_font_face_create_for_ft_face(face, 0);
    }
    return {};
}

cairo_font_face_t* FontFace(Font font) {
    for (std::size_t i = 0; i < kFontFiles.size(); ++i) {
        if (kFontFiles[i].font == font) return gFaces[i];
    }
    return gFaces[0];
}

void SetColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0, alpha);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb colour) {
    SetColour(cr, colour);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void FillEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb colour) {
    SetColour(cr, colour);
    EllipsePath(cr, cx, cy, rx, ry);
    cairo_fill(cr);
}

void FillCircle(cairo_t* cr, double cx, double cy, double radius, Rgb colour) {
    FillEllipse(cr, cx, cy, radius, radius, colour);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour) {
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

void HeartPath(cairo_t* cr, double x, double y, double w, double h) {
    // Drawn in a unit box, point at (0.5, 1), cleft at (0.5, 0.25).
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w, h);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 0.5, 0.25);
    cairo_curve_to(cr, 0.5, 0.05, 0.35, 0.0, 0.25, 0.0);
    cairo_curve_to(cr, 0.08, 0.0, 0.0, 0.15, 0.0, 0.3);
    cairo_curve_to(cr, 0.0, 0.6, 0.3, 0.78, 0.5, 1.0);
    cairo_curve_to(cr, 0.7, 0.78, 1.0, 0.6, 1.0, 0.3);
    cairo_curve_to(cr, 1.0, 0.15, 0.92, 0.0, 0.75, 0.0);
    cairo_curve_to(cr, 0.65, 0.0, 0.5, 0.05, 0.5, 0.25);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Text(cairo_t* cr, Font font, double size, std::string_view text, double x, double y, Rgb colour, Align align) {
    const std::string owned(text);
    SelectFont(cr, font, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, owned.c_str(), &extents);
    double left = x;
    if (align == Align::Centre) left = x - extents.x_advance / 2;
    if (align == Align::Right) left = x - extents.x_advance;
    SetColour(cr, colour);
    cairo_move_to(cr, left, y);
    cairo_show_text(cr, owned.c_str());
    cairo_new_path(cr);
}

double TextWidth(cairo_t* cr, Font font, double size, std::string_view text) {
    const std::string owned(text);
    SelectFont(cr, font, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, owned.c_str(), &extents);
    return extents.x_advance;
}

double FitSize(cairo_t* cr, Font font, double size, std::string_view text, double width) {
    const double natural = TextWidth(cr, font, size, text);
    return natural <= width ? size : size * width / natural;
}

void TextCentred(cairo_t* cr, Font font, double size, std::string_view text, double cx, double cy, Rgb colour) {
    const std::string owned(text);
    SelectFont(cr, font, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, owned.c_str(), &extents);
    SetColour(cr, colour);
    cairo_move_to(cr, cx - extents.x_bearing - extents.width / 2, cy - extents.y_bearing - extents.height / 2);
    cairo_show_text(cr, owned.c_str());
    cairo_new_path(cr);
}

}  // namespace art
