// What every drawing shares: colours, the frame it draws into, fonts and a
// handful of shape helpers over Cairo.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace art {

// A colour with 0..255 channels. Pure white (255,255,255) is the see-through
// key of the game, so opaque drawings never use it.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

Rgb Mix(Rgb a, Rgb b, double towardsB);
Rgb Lighter(Rgb colour, double amount);
Rgb Darker(Rgb colour, double amount);

// One frame being drawn: the Cairo context on a width x height surface that
// starts fully transparent, which frame of how many.
struct Frame {
    cairo_t* cr = nullptr;
    int width = 0;
    int height = 0;
    int index = 0;
    int count = 1;

    // 0 on the first frame, 1 on the last.
    double Progress() const { return count > 1 ? static_cast<double>(index) / (count - 1) : 1.0; }
    // How much of the strip's change this frame shows: 1 / count on the first
    // frame, all of it on the last.
    double Reached() const { return (index + 1.0) / count; }
};

enum class Font { Sans, SansBold, Serif, SerifBold, SerifBoldItalic, SansCondensedBold };

// The font faces come from fixed font files, never from name matching, so
// the pictures are the same on every machine with the same files.
cairo_font_face_t* FontFace(Font font);
// Loads every font file once; returns an empty string, or what went wrong.
std::string LoadFonts();

void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb colour);
void FillCircle(cairo_t* cr, double cx, double cy, double radius, Rgb colour);
void FillEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb colour);
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);
void Line(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour);

// The game's heart, fitted to the box (x, y, w, h): two round lobes on top,
// the point at the bottom centre.
void HeartPath(cairo_t* cr, double x, double y, double w, double h);

enum class Align { Left, Centre, Right };
// Text whose baseline is at y; x is its left end, centre or right end.
void Text(cairo_t* cr, Font font, double size, std::string_view text, double x, double y, Rgb colour,
          Align align = Align::Centre);
double TextWidth(cairo_t* cr, Font font, double size, std::string_view text);
// The largest size up to `size` at which the text fits in `width`.
double FitSize(cairo_t* cr, Font font, double size, std::string_view text, double width);
// Text centred in both directions on (cx, cy), by the extents of its ink.
void TextCentred(cairo_t* cr, Font font, double size, std::string_view text, double cx, double cy, Rgb colour);

}  // namespace art
