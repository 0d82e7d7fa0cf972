// The blocks, their turning strips and lit forms, the heroes' home cells and
// the corner stones.
#include "res/art/blocks.h"

#include <algorithm>
#include <cmath>

#include "res/art/bog.h"
#include "res/art/catalogue.h"
#include "res/art/faces.h"
#include "res/art/palette.h"

namespace art {

namespace {

using namespace colour;

constexpr double kChannelWidth = 8;
constexpr double kRimWidth = 11;

// A slab of ground, slightly raised so blocks stand apart from the bog.
void DrawGround(cairo_t* cr, Rgb ground) {
    FillRect(cr, 0, 0, 20, 20, Darker(ground, 0.25));
    FillRect(cr, 0, 0, 19, 19, Lighter(ground, 0.18));
    FillRect(cr, 1, 1, 18, 18, ground);
    FillCircle(cr, 4, 15, 0.9, Darker(ground, 0.15));
    FillCircle(cr, 15, 4, 0.8, Darker(ground, 0.15));
    FillCircle(cr, 16, 15, 0.7, Lighter(ground, 0.12));
}

// The channel as a path of strokes: a straight piece runs from the top edge
// to the bottom; a corner piece joins the top edge to the right edge (kind
// 3); other kinds are these turned.
void ChannelPath(cairo_t* cr, bool straight, double radius) {
    if (straight) {
        cairo_move_to(cr, 10, -2);
        cairo_line_to(cr, 10, 22);
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 20, 0, radius, M_PI, M_PI / 2);
}

void StrokeChannel(cairo_t* cr, bool straight, double width, Rgb colour) {
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    ChannelPath(cr, straight, 10);
    cairo_stroke(cr);
}

void DrawChannel(cairo_t* cr, int kind) {
    const bool straight = kind <= 2;
    StrokeChannel(cr, straight, kRimWidth, kPathEdge);
    StrokeChannel(cr, straight, kChannelWidth, kPath);
    // A bright streak along the channel, a little off its middle.
    SetColour(cr, kPathLight);
    cairo_set_line_width(cr, 1.6);
    if (straight) {
        cairo_move_to(cr, 8, -2);
        cairo_line_to(cr, 8, 22);
    } else {
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, 20, 0, 12, M_PI, M_PI / 2);
    }
    cairo_stroke(cr);
    // Pebbles on the path.
    if (straight) {
        FillCircle(cr, 11.5, 5, 0.8, kPathEdge);
        FillCircle(cr, 9.5, 15, 0.7, kPathEdge);
    } else {
        FillCircle(cr, 13, 7, 0.8, kPathEdge);
    }
}

// Kind 1 and 3 are the upright pieces; the others are them turned clockwise
// by quarter turns.
int QuarterTurnsFromUpright(int kind) { return kind <= 2 ? kind - 1 : kind - 3; }

void ShowKind(const Frame& f, int kind, Rgb ground) { DrawBlock(f.cr, kind, 0, ground); }

template <int Kind>
void ShowBlock(const Frame& f) {
    ShowKind(f, Kind, kBlockGround);
}
template <int Kind>
void ShowLitBlock(const Frame& f) {
    ShowKind(f, Kind, kLitGround);
}

// Five frames of a quarter turn clockwise: 15, 30, ... 75 degrees; the next
// kind's own picture is the 90 degrees that follows.
template <int Kind>
void ShowTurning(const Frame& f) {
    DrawBlock(f.cr, Kind, 90.0 * (f.index + 1) / (f.count + 1), kBlockGround);
}

// The heroes' home cells: corner pieces open right-and-down (hero, top left)
// and left-and-up (heroine, bottom right), with or without the face.
void DrawHome(cairo_t* cr, Lover lover, bool withFace) {
    DrawBlock(cr, lover == Lover::Hero ? 4 : 6, 0, kBlockGround);
    const double centre = lover == Lover::Hero ? kHomeFaceInset : 20 - kHomeFaceInset;
    if (withFace) DrawFace(cr, lover, centre, centre, kHomeFaceSize);
}

// The pale spotted stone that closes a corner, centred on (cx, cy).
void DrawStone(cairo_t* cr, double cx, double cy, double radius) {
    FillEllipse(cr, cx + 0.1 * radius, cy + 0.15 * radius, radius, radius * 0.88, kStoneShade);
    FillEllipse(cr, cx - 0.05 * radius, cy, radius * 0.92, radius * 0.8, kStone);
    FillEllipse(cr, cx - 0.35 * radius, cy - 0.35 * radius, radius * 0.25, radius * 0.14, Lighter(kStone, 0.6));
    struct Spot {
        double dx, dy, r;
    };
    constexpr Spot kSpots[] = {{-0.4, 0.1, 0.17}, {0.2, -0.35, 0.14}, {0.45, 0.2, 0.16},
                               {-0.05, 0.45, 0.12}, {0.05, 0.0, 0.1}};
    for (const Spot& spot : kSpots) {
        FillCircle(cr, cx + spot.dx * radius, cy + spot.dy * radius, spot.r * radius, kToadstool);
    }
}

void ShowCornerStone(const Frame& f) {
    PaintBog(f.cr, 0, 0);
    DrawStone(f.cr, 10, 10.5, 7.5);
}

// The stone swells out of its corner (frames 0-6), cracks open on top and
// settles back into its cell while a frog climbs out and hunches up (7-10),
// and leaves the frog curled into a ball (11). `corner` is the centre of the
// stone's own cell within the 40x40 frame; `inward` the point the swelling
// stone moves toward. The last frame is the ball exactly as the ball strip
// starts it from the stone's cell, so the ball that rolls off carries on
// from it.
void DrawHatching(const Frame& f, double cornerX, double cornerY, double inwardX, double inwardY) {
    cairo_t* cr = f.cr;
    constexpr int kSwellFrames = 7;
    constexpr int kClimbFrames = 4;
    constexpr double kCellStone = 7.5;
    constexpr double kSwollenStone = 14;
    if (f.index < kSwellFrames) {
        const double t = f.index / (kSwellFrames - 1.0);
        DrawStone(cr, cornerX + (inwardX - cornerX) * t, cornerY + 0.5 + (inwardY - cornerY) * t,
                  kCellStone + (kSwollenStone - kCellStone) * t);
        return;
    }
    if (f.index == f.count - 1) {
        DrawFrogBall(cr, cornerX, cornerY, 9, kBallFirstTurn);
        return;
    }
    // 0.25 to 1 over the climbing frames.
    const double t = (f.index - kSwellFrames + 1.0) / kClimbFrames;
    const double stoneX = inwardX + (cornerX - inwardX) * t;
    const double stoneY = inwardY + (cornerY - inwardY) * t;
    const double radius = kSwollenStone + (kCellStone - kSwollenStone) * t;
    DrawStone(cr, stoneX, stoneY + 0.5, radius);
    // The crack the frog comes out of, closing as the stone settles.
    const double crack = 1.0 - t;
    if (crack > 0) FillEllipse(cr, stoneX, stoneY - 1, 2 + 6 * crack, 1 + 2.5 * crack, Darker(kStoneShade, 0.45));
    // Out of the crack, then sitting on the stone, then hunched up.
    const double risen = std::min(1.0, 0.45 + 0.55 * (t - 0.25) / 0.25);
    const double hunch = std::max(0.0, (t - 0.5) / 0.5);
    cairo_save(cr);
    cairo_translate(cr, stoneX, stoneY - 1.5 * (1 - hunch));
    cairo_scale(cr, 1.0 - 0.2 * hunch, 1.0 - 0.3 * hunch);
    cairo_translate(cr, -10, -12);
    DrawFrog(cr, risen, 1.0);
    cairo_restore(cr);
    if (hunch >= 1) {
        // The ball closing round it, over the frog and the stone under it.
        cairo_push_group(cr);
        DrawFrogBall(cr, cornerX, cornerY, 9, kBallFirstTurn);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.75);
    }
}

void ShowTopRightHatching(const Frame& f) { DrawHatching(f, 30, 10, 24, 16); }
void ShowBottomLeftHatching(const Frame& f) { DrawHatching(f, 10, 30, 16, 24); }

}  // namespace

void DrawBlock(cairo_t* cr, int kind, double degrees, Rgb ground) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, 20, 20);
    cairo_clip(cr);
    DrawGround(cr, ground);
    cairo_translate(cr, 10, 10);
    cairo_rotate(cr, (QuarterTurnsFromUpright(kind) * 90.0 + degrees) * M_PI / 180.0);
    cairo_translate(cr, -10, -10);
    DrawChannel(cr, std::clamp(kind, 1, 6) <= 2 ? 1 : 3);
    cairo_restore(cr);
}

void AddBlockDrawings(Catalogue& catalogue) {
    catalogue.Add(185, ShowBlock<1>, kBlockGround);
    catalogue.Add(186, ShowBlock<2>, kBlockGround);
    catalogue.Add(187, ShowBlock<3>, kBlockGround);
    catalogue.Add(188, ShowBlock<4>, kBlockGround);
    catalogue.Add(189, ShowBlock<5>, kBlockGround);
    catalogue.Add(265, ShowBlock<6>, kBlockGround);
    catalogue.Add(315, ShowLitBlock<1>, kLitGround);
    catalogue.Add(316, ShowLitBlock<2>, kLitGround);
    catalogue.Add(317, ShowLitBlock<3>, kLitGround);
    catalogue.Add(318, ShowLitBlock<4>, kLitGround);
    catalogue.Add(319, ShowLitBlock<5>, kLitGround);
    catalogue.Add(320, ShowLitBlock<6>, kLitGround);
    catalogue.Add(306, ShowTurning<1>, kBlockGround);
    catalogue.Add(307, ShowTurning<2>, kBlockGround);
    catalogue.Add(308, ShowTurning<3>, kBlockGround);
    catalogue.Add(309, ShowTurning<4>, kBlockGround);
    catalogue.Add(310, ShowTurning<5>, kBlockGround);
    catalogue.Add(311, ShowTurning<6>, kBlockGround);
    catalogue.Add(337, [](const Frame& f) { DrawHome(f.cr, Lover::Hero, true); }, kBlockGround);
    catalogue.Add(338, [](const Frame& f) { DrawHome(f.cr, Lover::Heroine, true); }, kBlockGround);
    catalogue.Add(341, [](const Frame& f) { DrawHome(f.cr, Lover::Hero, false); }, kBlockGround);
    catalogue.Add(342, [](const Frame& f) { DrawHome(f.cr, Lover::Heroine, false); }, kBlockGround);
    catalogue.Add(349, ShowCornerStone, kMud);
    catalogue.Add(350, ShowCornerStone, kMud);
    // Smoothed as the ball that rolls off from them.
    catalogue.Add(347, ShowTopRightHatching, kOverBlock);
    catalogue.Add(348, ShowBottomLeftHatching, kOverBlock);
}

}  // namespace art
