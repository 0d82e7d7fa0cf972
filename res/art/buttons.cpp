#include "res/art/buttons.h"

#include <algorithm>
#include <cmath>

#include "res/art/palette.h"

namespace art {

namespace {

using namespace colour;

// The face: lit from the top left when raised, shaded and pushed in when
// pressed.
void FillFace(cairo_t* cr, double top, double bottom, Press press) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, top, 0, bottom);
    const Rgb upper = press == Press::Raised ? kButtonLight : Darker(kButton, 0.25);
    const Rgb lower = press == Press::Raised ? kButton : Darker(kButton, 0.05);
    cairo_pattern_add_color_stop_rgb(gradient, 0, upper.red / 255.0, upper.green / 255.0, upper.blue / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1, lower.red / 255.0, lower.green / 255.0, lower.blue / 255.0);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

// Where the symbol and label sit: pressed buttons push them down and right.
double PressOffset(Press press) { return press == Press::Pressed ? 1.0 : 0.0; }

}  // namespace

void DrawLabelButton(cairo_t* cr, double x, double y, double w, double h, double radius, std::string_view label,
                     double fontSize, Press press) {
    SetColour(cr, kFrame);
    RoundRectPath(cr, x, y, w, h, radius);
    cairo_fill(cr);
    if (press == Press::Raised) {
        // A dark lower-right rim under the face makes it stand up.
        SetColour(cr, kButtonDark);
        RoundRectPath(cr, x + 1, y + 1, w - 2, h - 2, radius - 1);
        cairo_fill(cr);
        RoundRectPath(cr, x + 1, y + 1, w - 3, h - 3, radius - 1.5);
        FillFace(cr, y, y + h, press);
    } else {
        // Shadow along the upper-left edge: the face sits lower than the rim.
        SetColour(cr, Darker(kButtonDark, 0.3));
        RoundRectPath(cr, x + 1, y + 1, w - 2, h - 2, radius - 1);
        cairo_fill(cr);
        RoundRectPath(cr, x + 2, y + 2, w - 3, h - 3, radius - 1.5);
        FillFace(cr, y, y + h, press);
    }
    const double offset = PressOffset(press);
    TextCentred(cr, Font::SansBold, fontSize, label, x + w / 2 + offset, y + h / 2 + offset, kText);
}

void DrawRoundButton(cairo_t* cr, double cx, double cy, double radius, Symbol symbol, Press press) {
    FillCircle(cr, cx, cy, radius, kFrame);
    const double offset = PressOffset(press);
    if (press == Press::Raised) {
        FillCircle(cr, cx, cy, radius - 1, kButtonDark);
        EllipsePath(cr, cx - 0.5, cy - 0.5, radius - 1.6, radius - 1.6);
    } else {
        FillCircle(cr, cx, cy, radius - 1, Darker(kButtonDark, 0.3));
        EllipsePath(cr, cx + 0.5, cy + 0.5, radius - 1.6, radius - 1.6);
    }
    FillFace(cr, cy - radius, cy + radius, press);
    const double s = radius * 0.45;
    const double x = cx + offset;
    const double y = cy + offset;
    SetColour(cr, kText);
    cairo_set_line_width(cr, std::max(2.0, radius * 0.22));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (symbol) {
        case Symbol::Dash:
            cairo_move_to(cr, x - s, y);
            cairo_line_to(cr, x + s, y);
            break;
        case Symbol::Cross:
            cairo_move_to(cr, x - s * 0.8, y - s * 0.8);
            cairo_line_to(cr, x + s * 0.8, y + s * 0.8);
            cairo_move_to(cr, x + s * 0.8, y - s * 0.8);
            cairo_line_to(cr, x - s * 0.8, y + s * 0.8);
            break;
        case Symbol::Left:
            cairo_move_to(cr, x + s * 0.5, y - s);
            cairo_line_to(cr, x - s * 0.6, y);
            cairo_line_to(cr, x + s * 0.5, y + s);
            break;
        case Symbol::Right:
            cairo_move_to(cr, x - s * 0.5, y - s);
            cairo_line_to(cr, x + s * 0.6, y);
            cairo_line_to(cr, x - s * 0.5, y + s);
            break;
    }
    cairo_stroke(cr);
}

}  // namespace art
