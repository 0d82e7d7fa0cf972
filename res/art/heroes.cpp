// The hero and the heroine: walking figures, growing and shrinking faces and
// the large portraits.
#include <cmath>

#include "res/art/catalogue.h"
#include "res/art/faces.h"
#include "res/art/palette.h"
#include "res/art/portraits.h"
#include "res/picture_ids.h"

namespace art {

namespace {

using namespace colour;

enum class Facing { Viewer, Away, Right, Left };

// What the walkers are smoothed against: the lit path they walk on, between
// its glowing channel and its slab.
constexpr Rgb kUnderWalker{190, 176, 76};

void DrawLegs(cairo_t* cr, Facing facing, int step, Rgb trousers) {
    const double stride = step == 0 ? 2.5 : -2.5;
    if (facing == Facing::Viewer || facing == Facing::Away) {
        // Seen from the front or back: one foot lifts at a time.
        Line(cr, 12.5, 22, 12.5, 27.5 - (step == 0 ? 1.5 : 0), 3, trousers);
        Line(cr, 17.5, 22, 17.5, 27.5 - (step == 1 ? 1.5 : 0), 3, trousers);
        FillEllipse(cr, 12.5, 28 - (step == 0 ? 1.5 : 0), 2.2, 1.2, kInk);
        FillEllipse(cr, 17.5, 28 - (step == 1 ? 1.5 : 0), 2.2, 1.2, kInk);
        return;
    }
    const double forward = facing == Facing::Right ? 1 : -1;
    Line(cr, 15, 21, 15 + forward * stride, 27.5, 3, trousers);
    Line(cr, 15, 21, 15 - forward * stride, 27.5, 3, Darker(trousers, 0.25));
    FillEllipse(cr, 15 + forward * stride + forward, 28, 2.2, 1.2, kInk);
    FillEllipse(cr, 15 - forward * stride + forward, 28, 2.2, 1.2, kInk);
}

void DrawBody(cairo_t* cr, Lover lover, Facing facing, int step) {
    const Rgb cloth = lover == Lover::Hero ? kHeroCoat : kHeroineDress;
    if (lover == Lover::Hero) DrawLegs(cr, facing, step, {90, 70, 50});
    else DrawLegs(cr, facing, step, kSkinShade);
    // Arms swing opposite to the legs.
    const double swing = (step == 0 ? 1.5 : -1.5) * (facing == Facing::Left ? -1 : 1);
    if (facing == Facing::Viewer || facing == Facing::Away) {
        Line(cr, 9.5, 14, 8.5, 20 + swing * 0.5, 2.4, cloth);
        Line(cr, 20.5, 14, 21.5, 20 - swing * 0.5, 2.4, cloth);
        FillCircle(cr, 8.5, 20.5 + swing * 0.5, 1.3, kSkin);
        FillCircle(cr, 21.5, 20.5 - swing * 0.5, 1.3, kSkin);
    } else {
        Line(cr, 15, 14, 15 - swing * 1.5, 19.5, 2.4, Darker(cloth, 0.2));
    }
    SetColour(cr, Darker(cloth, 0.3));
    if (lover == Lover::Hero) {
        RoundRectPath(cr, 9.5, 12.5, 11, 10, 3);
    } else {
        // A dress flaring to the knees.
        cairo_move_to(cr, 11, 12.5);
        cairo_line_to(cr, 19, 12.5);
        cairo_line_to(cr, 22, 23.5);
        cairo_line_to(cr, 8, 23.5);
        cairo_close_path(cr);
    }
    cairo_fill_preserve(cr);
    SetColour(cr, cloth);
    cairo_set_line_width(cr, 1);
    cairo_fill(cr);
    if (lover == Lover::Hero) FillRect(cr, 9.5, 19, 11, 1.5, {120, 80, 40});
    if (facing != Facing::Viewer && facing != Facing::Away) {
        Line(cr, 15, 14, 15 + swing * 1.5, 19.5, 2.4, cloth);
        FillCircle(cr, 15 + swing * 1.5, 20, 1.3, kSkin);
    }
}

void DrawHead(cairo_t* cr, Lover lover, Facing facing) {
    const Rgb hair = lover == Lover::Hero ? kHeroHair : kHeroineHair;
    if (facing == Facing::Viewer) {
        DrawFace(cr, lover, 15, 7.5, 13.5);
        return;
    }
    if (facing == Facing::Away) {
        if (lover == Lover::Heroine) FillRect(cr, 9.5, 6, 11, 8, Darker(hair, 0.1));
        FillEllipse(cr, 15, 7, 5.8, 5.8, hair);
        FillEllipse(cr, 13.5, 4.5, 2, 1, Lighter(hair, 0.35));
        return;
    }
    const double forward = facing == Facing::Right ? 1 : -1;
    if (lover == Lover::Heroine) FillRect(cr, 15 - forward * 5.5 - 1.5, 6, 4, 8, Darker(hair, 0.1));
    FillEllipse(cr, 15 + forward * 0.8, 7.5, 5.2, 5.6, kSkin);
    // Hair over the back of the head and the crown.
    SetColour(cr, hair);
    cairo_save(cr);
    cairo_translate(cr, 15, 7);
    cairo_scale(cr, -forward, 1);
    cairo_move_to(cr, 5.5, 3);
    cairo_curve_to(cr, 6.5, -3, 3, -6.5, -1, -6);
    cairo_curve_to(cr, -4, -5.5, -5.5, -3.5, -5.5, -2);
    cairo_curve_to(cr, -2, -2.5, 1.5, -1.5, 2, 3);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    FillCircle(cr, 15 + forward * 3.2, 7, 0.9, kInk);
    FillCircle(cr, 15 + forward * 2.5, 9.5, 0.8, kCheek);
    Line(cr, 15 + forward * 2.4, 10.8, 15 + forward * 3.6, 10.6, 0.8, Darker(kSkinShade, 0.3));
}

void DrawWalker(const Frame& f, Lover lover, Facing facing) {
    DrawBody(f.cr, lover, facing, f.index % 2);
    DrawHead(f.cr, lover, facing);
}

template <Lover Who, Facing Way>
void ShowWalker(const Frame& f) {
    DrawWalker(f, Who, Way);
}

// Nine sizes of the face: the hero's out of the top-left corner of the
// frame, the heroine's out of the bottom-right one; frame 0 is the face on
// the home cell, to the pixel, and the last fills the frame's corner.
template <Lover Who>
void ShowGrowingFace(const Frame& f) {
    constexpr double kLargest = 38;
    const double t = f.Progress();
    const double size = kHomeFaceSize + (kLargest - kHomeFaceSize) * t;
    const double fromCorner = kHomeFaceInset + (1 + 0.85 * kLargest / 2 - kHomeFaceInset) * t;
    const double centre = Who == Lover::Hero ? fromCorner : f.width - fromCorner;
    DrawFace(f.cr, Who, centre, centre, size);
}

// Where the faces' flight over the board ends: the hero's portrait at (4, 1),
// while his shrinking frame is drawn at (0, 0); the heroine's shrinking frame
// is drawn right where her flight ends, at (133, 125).
constexpr double kHeroFlightEndX = 4;
constexpr double kHeroFlightEndY = 1;
constexpr double kHeroineShrinkX = 133;
constexpr double kHeroineShrinkY = 125;

// The portraits shrink into the lovers' home cells: frame 0 is the portrait
// where the flight left it, the last frame the face on the home cell, where
// that cell lies when the frame is drawn (the hero's at the screen's
// top-left, the heroine's at its bottom-right).
void ShowShrinkingPortrait(const Frame& f, Lover lover) {
    const double t = f.Progress();
    const bool hero = lover == Lover::Hero;
    const double startX = hero ? kHeroFlightEndX + kPortraitFaceX : kHeroinePortraitFaceX;
    const double startY = kPortraitFaceY + (hero ? kHeroFlightEndY : 0);
    const double endX = hero ? kHomeFaceInset : 240 - kHomeFaceInset - kHeroineShrinkX;
    const double endY = hero ? kHomeFaceInset : 240 - kHomeFaceInset - kHeroineShrinkY;
    const double size = kPortraitFaceSize + (kHomeFaceSize - kPortraitFaceSize) * t;
    DrawFace(f.cr, lover, startX + (endX - startX) * t, startY + (endY - startY) * t, size, !hero && t < 0.5);
}

}  // namespace

void DrawHeroPortrait(cairo_t* cr) { DrawFace(cr, Lover::Hero, kPortraitFaceX, kPortraitFaceY, kPortraitFaceSize); }

void DrawHeroinePortrait(cairo_t* cr) {
    DrawFace(cr, Lover::Heroine, kHeroinePortraitFaceX, kPortraitFaceY, kPortraitFaceSize, true);
}

void AddHeroDrawings(Catalogue& catalogue) {
    catalogue.Add(pictures::kHeroWalkDown, ShowWalker<Lover::Hero, Facing::Viewer>, kUnderWalker);
    catalogue.Add(pictures::kHeroWalkRight, ShowWalker<Lover::Hero, Facing::Right>, kUnderWalker);
    catalogue.Add(pictures::kHeroWalkLeft, ShowWalker<Lover::Hero, Facing::Left>, kUnderWalker);
    catalogue.Add(pictures::kHeroWalkUp, ShowWalker<Lover::Hero, Facing::Away>, kUnderWalker);
    catalogue.Add(pictures::kHeroineWalkDown, ShowWalker<Lover::Heroine, Facing::Viewer>, kUnderWalker);
    catalogue.Add(pictures::kHeroineWalkRight, ShowWalker<Lover::Heroine, Facing::Right>, kUnderWalker);
    catalogue.Add(pictures::kHeroineWalkUp, ShowWalker<Lover::Heroine, Facing::Away>, kUnderWalker);
    catalogue.Add(pictures::kHeroineWalkLeft, ShowWalker<Lover::Heroine, Facing::Left>, kUnderWalker);
    catalogue.Add(pictures::kHeroFaceGrow, ShowGrowingFace<Lover::Hero>, kBlockGround);
    catalogue.Add(pictures::kHeroineFaceGrow, ShowGrowingFace<Lover::Heroine>, kBlockGround);
    // The portraits fly over the board in the intro: smoothed against it.
    catalogue.Add(pictures::kHeroPortrait, [](const Frame& f) { DrawHeroPortrait(f.cr); }, kBlockGround);
    catalogue.Add(pictures::kHeroinePortrait, [](const Frame& f) { DrawHeroinePortrait(f.cr); }, kBlockGround);
    catalogue.Add(pictures::kHeroPortraitShrink, [](const Frame& f) { ShowShrinkingPortrait(f, Lover::Hero); }, kBlockGround);
    catalogue.Add(pictures::kHeroinePortraitShrink, [](const Frame& f) { ShowShrinkingPortrait(f, Lover::Heroine); }, kBlockGround);
}

}  // namespace art
