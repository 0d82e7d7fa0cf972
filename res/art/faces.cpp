#include "res/art/faces.h"

#include <cmath>

#include "res/art/canvas.h"
#include "res/art/palette.h"

namespace art {

namespace {

using namespace colour;

// Everything below is drawn in a unit head: centre (0, 0), about 2 high.

void HeroHair(cairo_t* cr, bool front) {
    if (!front) {
        FillEllipse(cr, 0, -0.22, 0.8, 0.74, kHeroHair);
        return;
    }
    // A tousled fringe: three curls over the brow.
    SetColour(cr, kHeroHair);
    cairo_move_to(cr, -0.74, -0.05);
    cairo_curve_to(cr, -0.8, -0.75, -0.3, -0.98, 0.05, -0.95);
    cairo_curve_to(cr, 0.5, -0.95, 0.82, -0.7, 0.74, -0.08);
    cairo_curve_to(cr, 0.62, -0.35, 0.45, -0.42, 0.35, -0.4);
    cairo_curve_to(cr, 0.25, -0.28, 0.05, -0.3, -0.05, -0.42);
    cairo_curve_to(cr, -0.2, -0.28, -0.45, -0.3, -0.52, -0.42);
    cairo_curve_to(cr, -0.6, -0.3, -0.7, -0.2, -0.74, -0.05);
    cairo_close_path(cr);
    cairo_fill(cr);
    FillEllipse(cr, -0.25, -0.78, 0.22, 0.08, Lighter(kHeroHair, 0.3));
}

void HeroineHair(cairo_t* cr, bool front) {
    if (!front) {
        // Long golden hair falling to the shoulders.
        SetColour(cr, Darker(kHeroineHair, 0.15));
        cairo_move_to(cr, -0.8, -0.3);
        cairo_curve_to(cr, -0.95, 0.3, -0.95, 0.7, -0.7, 0.92);
        // Curling ends.
        cairo_curve_to(cr, -0.5, 1.06, -0.22, 0.98, 0, 0.9);
        cairo_curve_to(cr, 0.22, 0.98, 0.5, 1.06, 0.7, 0.92);
        cairo_curve_to(cr, 0.95, 0.7, 0.95, 0.3, 0.8, -0.3);
        cairo_curve_to(cr, 0.75, -0.9, -0.75, -0.9, -0.8, -0.3);
        cairo_close_path(cr);
        cairo_fill(cr);
        FillEllipse(cr, 0, -0.3, 0.84, 0.7, kHeroineHair);
        return;
    }
    // A fringe swept to one side.
    SetColour(cr, kHeroineHair);
    cairo_move_to(cr, -0.72, 0.1);
    cairo_curve_to(cr, -0.85, -0.7, -0.3, -0.98, 0.1, -0.95);
    cairo_curve_to(cr, 0.55, -0.92, 0.85, -0.6, 0.72, 0.1);
    cairo_curve_to(cr, 0.6, -0.25, 0.4, -0.38, 0.1, -0.42);
    cairo_curve_to(cr, -0.25, -0.45, -0.55, -0.3, -0.72, 0.1);
    cairo_close_path(cr);
    cairo_fill(cr);
    FillEllipse(cr, 0.2, -0.78, 0.25, 0.08, Lighter(kHeroineHair, 0.45));
    // A red ribbon.
    FillEllipse(cr, 0.62, -0.55, 0.12, 0.16, kHeroineDress);
    FillEllipse(cr, 0.78, -0.62, 0.12, 0.08, kHeroineDress);
}

void Eyes(cairo_t* cr, Lover lover, double pixel) {
    for (double side : {-1.0, 1.0}) {
        const double x = 0.27 * side;
        FillEllipse(cr, x, 0.02, 0.11, 0.14, kInk);
        if (pixel < 0.08) FillCircle(cr, x - 0.03, -0.03, 0.04, kEyeWhite);
        if (lover == Lover::Heroine && pixel < 0.1) {
            Line(cr, x + 0.09 * side, -0.08, x + 0.17 * side, -0.15, 0.035, kInk);
        }
        Line(cr, x - 0.12, -0.22 - (lover == Lover::Heroine ? 0.03 : 0), x + 0.12, -0.24, pixel < 0.1 ? 0.045 : 0.08,
             lover == Lover::Hero ? kHeroHair : Darker(kHeroineHair, 0.3));
    }
}

void Mouth(cairo_t* cr, Lover lover, double pixel) {
    if (lover == Lover::Heroine) {
        FillEllipse(cr, 0, 0.45, 0.14, 0.06, {200, 60, 70});
        return;
    }
    SetColour(cr, Darker(kSkinShade, 0.35));
    cairo_set_line_width(cr, pixel < 0.1 ? 0.05 : 0.09);
    cairo_arc(cr, 0, 0.28, 0.2, 0.2 * M_PI, 0.8 * M_PI);
    cairo_stroke(cr);
}

}  // namespace

void DrawFace(cairo_t* cr, Lover lover, double cx, double cy, double size, bool tear) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double scale = size / 2;
    cairo_scale(cr, scale, scale);
    const double pixel = 1.0 / scale;  // one screen pixel in head units
    if (lover == Lover::Hero) HeroHair(cr, false);
    else HeroineHair(cr, false);
    FillCircle(cr, -0.7, 0.08, 0.14, kSkinShade);
    FillCircle(cr, 0.7, 0.08, 0.14, kSkinShade);
    FillEllipse(cr, 0, 0.08, 0.68, 0.76, kSkinShade);
    FillEllipse(cr, -0.02, 0.05, 0.64, 0.72, kSkin);
    if (lover == Lover::Hero) HeroHair(cr, true);
    else HeroineHair(cr, true);
    SetColour(cr, kCheek, 0.6);
    EllipsePath(cr, -0.42, 0.28, 0.13, 0.08);
    EllipsePath(cr, 0.42, 0.28, 0.13, 0.08);
    cairo_fill(cr);
    Eyes(cr, lover, pixel);
    Line(cr, 0.0, 0.12, 0.05, 0.22, pixel < 0.1 ? 0.04 : 0.07, kSkinShade);
    Mouth(cr, lover, pixel);
    if (tear) {
        SetColour(cr, {120, 180, 236});
        cairo_move_to(cr, 0.3, 0.16);
        cairo_curve_to(cr, 0.36, 0.26, 0.4, 0.32, 0.3, 0.36);
        cairo_curve_to(cr, 0.2, 0.32, 0.24, 0.26, 0.3, 0.16);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

namespace {

// The hair of a head seen from the side, looking toward +x: over the crown
// and the back of the head, a fringe in front; hers falls to the shoulders.
void ProfileHair(cairo_t* cr, Lover lover) {
    const Rgb hair = lover == Lover::Hero ? kHeroHair : kHeroineHair;
    const double nape = lover == Lover::Hero ? 0.35 : 0.95;
    SetColour(cr, hair);
    cairo_move_to(cr, 0.72, -0.1);
    cairo_curve_to(cr, 0.78, -0.75, 0.3, -0.98, -0.1, -0.95);
    cairo_curve_to(cr, -0.6, -0.92, -0.92, -0.5, -0.86, 0.1);
    cairo_curve_to(cr, -0.84, 0.5, -0.7, nape, -0.45, nape);
    cairo_curve_to(cr, -0.3, nape - 0.1, -0.25, 0.2, -0.1, -0.05);
    cairo_curve_to(cr, 0.1, -0.35, 0.45, -0.4, 0.72, -0.1);
    cairo_close_path(cr);
    cairo_fill(cr);
    FillEllipse(cr, -0.15, -0.76, 0.3, 0.09, Lighter(hair, lover == Lover::Hero ? 0.3 : 0.45));
    if (lover == Lover::Heroine) FillEllipse(cr, -0.5, -0.62, 0.14, 0.18, kHeroineDress);
}

}  // namespace

void DrawProfile(cairo_t* cr, Lover lover, double cx, double cy, double size, double forward) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double scale = size / 2;
    cairo_scale(cr, forward * scale, scale);
    FillEllipse(cr, 0.06, 0.08, 0.66, 0.76, kSkinShade);
    FillEllipse(cr, 0.04, 0.05, 0.62, 0.72, kSkin);
    FillEllipse(cr, -0.2, 0.14, 0.13, 0.17, kSkinShade);
    ProfileHair(cr, lover);
    SetColour(cr, kCheek, 0.7);
    EllipsePath(cr, 0.34, 0.3, 0.15, 0.09);
    cairo_fill(cr);
    FillEllipse(cr, 0.4, 0.03, 0.1, 0.15, kInk);
    Line(cr, 0.28, -0.23, 0.52, -0.24, 0.08, lover == Lover::Hero ? kHeroHair : Darker(kHeroineHair, 0.3));
    if (lover == Lover::Heroine) FillEllipse(cr, 0.5, 0.46, 0.1, 0.06, {200, 60, 70});
    else Line(cr, 0.4, 0.45, 0.56, 0.42, 0.08, Darker(kSkinShade, 0.35));
    cairo_restore(cr);
}

void DrawBackOfHead(cairo_t* cr, Lover lover, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double scale = size / 2;
    cairo_scale(cr, scale, scale);
    FillCircle(cr, -0.7, 0.1, 0.14, kSkinShade);
    FillCircle(cr, 0.7, 0.1, 0.14, kSkinShade);
    if (lover == Lover::Heroine) {
        HeroineHair(cr, false);
        FillEllipse(cr, 0, -0.2, 0.8, 0.72, kHeroineHair);
        FillEllipse(cr, -0.2, -0.62, 0.28, 0.09, Lighter(kHeroineHair, 0.45));
        FillEllipse(cr, 0.55, -0.5, 0.14, 0.18, kHeroineDress);
        FillEllipse(cr, 0.72, -0.58, 0.14, 0.09, kHeroineDress);
    } else {
        FillEllipse(cr, 0, 0.1, 0.66, 0.72, kSkinShade);
        FillEllipse(cr, 0, -0.05, 0.7, 0.8, kHeroHair);
        FillEllipse(cr, -0.2, -0.62, 0.28, 0.09, Lighter(kHeroHair, 0.3));
    }
    cairo_restore(cr);
}

}  // namespace art
