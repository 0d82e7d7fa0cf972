// The hero and the heroine: walking figures, growing and shrinking faces and
// the large portraits.
#include <cmath>
#include <utility>

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

// The walkers are drawn as the faces are: soft round shapes in the faces'
// colours, each over its own darker rim that shows below and to the right,
// with a big head on a small body.
constexpr double kHeadX = 15;
constexpr double kHeadY = 8.2;
constexpr double kHeadSize = 15.5;
// The walk pictures' five rightmost columns stay see-through: in the screen's
// right column the game cuts them off at the edge.
constexpr double kDrawnWidth = 25;

// A capsule from (x0, y0) to (x1, y1): a limb, over its rim.
void Limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour) {
    Line(cr, x0 + 0.3, y0 + 0.4, x1 + 0.3, y1 + 0.4, width + 0.6, Darker(colour, 0.3));
    Line(cr, x0, y0, x1, y1, width, colour);
}

void Hand(cairo_t* cr, double x, double y) {
    FillCircle(cr, x + 0.2, y + 0.3, 1.5, kSkinShade);
    FillCircle(cr, x, y, 1.25, kSkin);
}

void Shoe(cairo_t* cr, double x, double y, Rgb colour) {
    FillEllipse(cr, x, y, 2.3, 1.4, colour);
    FillEllipse(cr, x - 0.6, y - 0.5, 0.9, 0.4, Lighter(colour, 0.35));
}

// The torso's outline: his coat, her dress flaring to the knees.
void TorsoPath(cairo_t* cr, Lover lover, double dx, double dy, double shrink) {
    if (lover == Lover::Hero) {
        RoundRectPath(cr, 9.8 + dx + shrink, 14.5 + dy + shrink, 10.4 - 2 * shrink, 9.5 - 2 * shrink, 3.5);
        return;
    }
    cairo_move_to(cr, 11.5 + dx + shrink, 14.5 + dy + shrink);
    cairo_line_to(cr, 18.5 + dx - shrink, 14.5 + dy + shrink);
    cairo_curve_to(cr, 20 + dx - shrink, 17 + dy, 21.5 + dx - shrink, 21 + dy, 22 + dx - shrink, 24 + dy - shrink);
    cairo_curve_to(cr, 18 + dx, 25.2 + dy - shrink, 12 + dx, 25.2 + dy - shrink, 8 + dx + shrink, 24 + dy - shrink);
    cairo_curve_to(cr, 8.5 + dx + shrink, 21 + dy, 10 + dx + shrink, 17 + dy, 11.5 + dx + shrink, 14.5 + dy + shrink);
    cairo_close_path(cr);
}

void Torso(cairo_t* cr, Lover lover) {
    const Rgb cloth = lover == Lover::Hero ? kHeroCoat : kHeroineDress;
    TorsoPath(cr, lover, 0.4, 0.5, 0);
    SetColour(cr, Darker(cloth, 0.3));
    cairo_fill(cr);
    TorsoPath(cr, lover, 0, 0, 0.2);
    SetColour(cr, cloth);
    cairo_fill(cr);
    FillEllipse(cr, 12.5, 16.5, 1.6, 0.8, Lighter(cloth, 0.3));
    if (lover == Lover::Hero) FillRect(cr, 10, 20.3, 10, 1.4, {120, 80, 40});
    else FillEllipse(cr, 15, 15, 2.6, 1.1, kPetal);
}

// Seen from the front or back one foot lifts at a time; from the side the
// legs stride apart on frame 0 and pass each other on frame 1, where the
// whole walker is a pixel higher.
void Legs(cairo_t* cr, Lover lover, Facing facing, int step) {
    const Rgb legs = lover == Lover::Hero ? Rgb{90, 70, 50} : kSkin;
    const Rgb shoes = lover == Lover::Hero ? kInk : Darker(kHeroineDress, 0.35);
    if (facing == Facing::Viewer || facing == Facing::Away) {
        for (const auto& [x, lifted] : {std::pair{12.6, step == 0}, std::pair{17.4, step == 1}}) {
            const double lift = lifted ? 1.6 : 0;
            Limb(cr, x, 22.5, x, 26.8 - lift, 2.8, legs);
            Shoe(cr, x, 27.6 - lift, shoes);
        }
        return;
    }
    const double forward = facing == Facing::Right ? 1 : -1;
    const double stride = step == 0 ? 3.2 : 0.8;
    for (const double side : {-1.0, 1.0}) {
        const double footX = 15 + side * forward * stride;
        Limb(cr, 15, 22, footX, 26.8, 2.8, side < 0 ? Darker(legs, 0.15) : legs);
        Shoe(cr, footX + forward * 0.8, 27.6, shoes);
    }
}

// Arms swing against the legs.
void Arm(cairo_t* cr, Lover lover, double x0, double x1, double swing) {
    const Rgb sleeve = lover == Lover::Hero ? kHeroCoat : kHeroineDress;
    Limb(cr, x0, 16, x1 + swing, 20.5, 2.6, sleeve);
    Hand(cr, x1 + swing, 21.6);
}

void DrawBody(cairo_t* cr, Lover lover, Facing facing, int step) {
    if (facing == Facing::Viewer || facing == Facing::Away) {
        const double swing = step == 0 ? 0.6 : -0.6;
        Legs(cr, lover, facing, step);
        Torso(cr, lover);
        Arm(cr, lover, 10.2, 8.6, -swing);
        Arm(cr, lover, 19.8, 21.4, swing);
        return;
    }
    // From the side the far arm swings behind the body, the near one in
    // front of it.
    const double forward = facing == Facing::Left ? -1 : 1;
    const double swing = (step == 0 ? 2.6 : 0.6) * forward;
    Arm(cr, lover, 15, 15, -swing);
    Legs(cr, lover, facing, step);
    Torso(cr, lover);
    Arm(cr, lover, 15, 15, swing);
}

void DrawHead(cairo_t* cr, Lover lover, Facing facing) {
    if (facing == Facing::Viewer) DrawFace(cr, lover, kHeadX, kHeadY, kHeadSize);
    if (facing == Facing::Away) DrawBackOfHead(cr, lover, kHeadX, kHeadY, kHeadSize);
    if (facing == Facing::Right) DrawProfile(cr, lover, kHeadX, kHeadY, kHeadSize, 1);
    if (facing == Facing::Left) DrawProfile(cr, lover, kHeadX, kHeadY, kHeadSize, -1);
}

void DrawWalker(const Frame& f, Lover lover, Facing facing) {
    cairo_rectangle(f.cr, 0, 0, kDrawnWidth, f.height);
    cairo_clip(f.cr);
    if (f.index % 2 == 1 && facing != Facing::Viewer && facing != Facing::Away) cairo_translate(f.cr, 0, -1);
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
