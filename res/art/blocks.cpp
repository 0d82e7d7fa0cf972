// The blocks, their turning strips and lit forms, the heroes' home cells and
// the corner stones.
#include "res/art/blocks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "res/art/bog.h"
#include "res/art/catalogue.h"
#include "res/art/faces.h"
#include "res/art/palette.h"
#include "res/picture_ids.h"

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

// A four-pointed twinkle of light centred on (cx, cy).
void Twinkle(cairo_t* cr, double cx, double cy, double size, Rgb colour) {
    SetColour(cr, colour);
    cairo_move_to(cr, cx, cy - size);
    cairo_line_to(cr, cx + 0.28 * size, cy - 0.28 * size);
    cairo_line_to(cr, cx + size, cy);
    cairo_line_to(cr, cx + 0.28 * size, cy + 0.28 * size);
    cairo_line_to(cr, cx, cy + size);
    cairo_line_to(cr, cx - 0.28 * size, cy + 0.28 * size);
    cairo_line_to(cr, cx - size, cy);
    cairo_line_to(cr, cx - 0.28 * size, cy - 0.28 * size);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// The channel of the finished path: the same channel lit from within, a
// warm glow spilling over its rims onto the slab.
void DrawLitChannel(cairo_t* cr, int kind) {
    const bool straight = kind <= 2;
    cairo_push_group(cr);
    StrokeChannel(cr, straight, kRimWidth + 6, kLitGlow);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.35);
    StrokeChannel(cr, straight, kRimWidth + 2.5, Mix(kLitGlow, kLitGround, 0.35));
    StrokeChannel(cr, straight, kRimWidth, kLitRim);
    StrokeChannel(cr, straight, kChannelWidth, kLitPath);
    // The glowing heart of the channel, along its middle.
    SetColour(cr, kLitCore);
    cairo_set_line_width(cr, 3.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    ChannelPath(cr, straight, 10);
    cairo_stroke(cr);
    // A twinkle in the middle of every block: lights strung along the path.
    const double middleX = straight ? 10 : 20 - 10 * M_SQRT1_2;
    const double middleY = straight ? 10 : 10 * M_SQRT1_2;
    FillCircle(cr, middleX, middleY, 2.2, kLitGlow);
    Twinkle(cr, middleX, middleY, 3.2, kPetal);
}

// Kind 1 and 3 are the upright pieces; the others are them turned clockwise
// by quarter turns.
int QuarterTurnsFromUpright(int kind) { return kind <= 2 ? kind - 1 : kind - 3; }

template <int Kind>
void ShowBlock(const Frame& f) {
    DrawBlock(f.cr, Kind, 0, kBlockGround);
}
template <int Kind>
void ShowLitBlock(const Frame& f) {
    DrawLitBlock(f.cr, Kind);
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

// The corner stones: pale boulders flecked with rusty lichen, resting on the
// bog of their corner cells.

// Half the width of a stone at rest in its cell, and swollen to burst.
constexpr double kRestingStone = 7.8;
constexpr double kSwollenStone = 15;

// The boulder's outline around the origin, radius about 1: lumpy, a little
// wider than tall and flatter underneath, where it sits on the mud.
void BoulderPath(cairo_t* cr) {
    constexpr std::array kLumps{1.0, 0.96, 1.04, 0.97, 0.9, 0.97, 1.06, 0.92, 0.99, 1.07, 0.9, 0.98};
    constexpr int kCount = static_cast<int>(kLumps.size());
    std::array<std::array<double, 2>, kCount> points{};
    for (int i = 0; i < kCount; ++i) {
        const double angle = 2 * M_PI * i / kCount;
        const double lump = kLumps[static_cast<std::size_t>(i)];
        // Below the middle the sides come down steeply to a flat base.
        const double down = std::sin(angle);
        const double y = down > 0 ? 0.8 * std::pow(down, 0.7) : 0.9 * down;
        points[static_cast<std::size_t>(i)] = {lump * std::cos(angle), lump * y};
    }
    auto at = [&points](int i) { return points[static_cast<std::size_t>((i + kCount) % kCount)]; };
    cairo_new_sub_path(cr);
    cairo_move_to(cr, at(0)[0], at(0)[1]);
    // A smooth curve through the points (Catmull-Rom as Bezier pieces).
    for (int i = 0; i < kCount; ++i) {
        const auto p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        cairo_curve_to(cr, p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6, p2[0] - (p3[0] - p1[0]) / 6,
                       p2[1] - (p3[1] - p1[1]) / 6, p2[0], p2[1]);
    }
    cairo_close_path(cr);
}

void AddStop(cairo_pattern_t* pattern, double at, Rgb colour, double alpha = 1.0) {
    cairo_pattern_add_color_stop_rgba(pattern, at, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0,
                                      alpha);
}

// A crease in the rock from (x0, y0) bending through (mx, my) to (x1, y1):
// a dark line with a lit lip above it.
void Crease(cairo_t* cr, double px, double x0, double y0, double mx, double my, double x1, double y1) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.8 * px);
    for (const auto& [lift, colour] : {std::pair{-0.8 * px, Lighter(kStone, 0.5)}, std::pair{0.0, kStoneDark}}) {
        SetColour(cr, colour);
        cairo_move_to(cr, x0, y0 + lift);
        cairo_curve_to(cr, mx, my + lift, mx, my + lift, x1, y1 + lift);
        cairo_stroke(cr);
    }
}

// The pale boulder centred on (cx, cy), `radius` half its width; `cracked`
// 0 whole to 1 split across its top, as it is about to burst.
void DrawStone(cairo_t* cr, double cx, double cy, double radius, double cracked = 0) {
    const double px = 1.0 / radius;  // one screen pixel in the stone's units
    const double fleck = 1.0 / kRestingStone;  // a pixel of the stone at rest, growing with it
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, radius, radius);
    // Its shadow on the mud, to the lower right.
    cairo_save(cr);
    cairo_translate(cr, 0.12, 0.1);
    cairo_scale(cr, 1.02, 1.0);
    BoulderPath(cr);
    cairo_restore(cr);
    SetColour(cr, Darker(kMud, 0.45));
    cairo_fill(cr);
    // The body, lit from the upper left.
    BoulderPath(cr);
    cairo_pattern_t* light = cairo_pattern_create_radial(-0.42, -0.48, 0.05, -0.15, -0.2, 1.3);
    AddStop(light, 0.0, Lighter(kStone, 0.55));
    AddStop(light, 0.3, kStone);
    AddStop(light, 0.68, kStoneShade);
    AddStop(light, 1.0, kStoneDark);
    cairo_set_source(cr, light);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(light);
    cairo_save(cr);
    cairo_clip(cr);
    // Facets: creases across the rock.
    Crease(cr, px, -0.1, 0.15, 0.3, 0.05, 0.78, 0.42);
    Crease(cr, px, -0.85, -0.05, -0.6, -0.25, -0.35, -0.3);
    // Pits and grains in the rock.
    struct Grain {
        double x, y;
        bool dark;
    };
    constexpr std::array kGrains{Grain{-0.55, 0.35, true}, Grain{-0.1, 0.5, true},  Grain{0.35, -0.2, true},
                                 Grain{0.3, 0.6, true},    Grain{-0.3, -0.62, false}, Grain{0.6, -0.35, false},
                                 Grain{0.72, 0.1, true},   Grain{-0.62, -0.4, false}};
    for (const Grain& grain : kGrains) {
        FillCircle(cr, grain.x, grain.y, 0.55 * fleck, grain.dark ? kStoneDark : Lighter(kStone, 0.6));
    }
    // Rusty lichen: a few crusts of specks, each a little patch of rounds.
    struct Speck {
        double x, y, r;
        bool pale;
    };
    constexpr std::array kLichen{
        Speck{-0.45, 0.12, 1.3, false}, Speck{-0.3, 0.2, 0.9, true},   Speck{-0.5, -0.02, 0.8, false},
        Speck{-0.32, 0.03, 0.6, false}, Speck{0.32, -0.45, 1.1, false}, Speck{0.46, -0.38, 0.7, true},
        Speck{0.22, -0.32, 0.6, false}, Speck{0.48, 0.3, 1.0, false},   Speck{0.6, 0.2, 0.6, false},
        Speck{-0.02, -0.05, 0.6, false}};
    for (const Speck& speck : kLichen) {
        FillCircle(cr, speck.x, speck.y, speck.r * fleck, speck.pale ? kLichenLight : kLichenRust);
    }
    // The split it bursts along, running down from the top.
    if (cracked > 0) {
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, (0.8 + 0.8 * cracked) * px);
        SetColour(cr, Darker(kStoneDark, 0.4));
        cairo_move_to(cr, -0.05, -1);
        cairo_line_to(cr, 0.02, -0.82 + 0.1 * (1 - cracked));
        cairo_line_to(cr, -0.12, -0.82 + 0.55 * cracked);
        cairo_line_to(cr, 0.06, -0.82 + 0.9 * cracked);
        cairo_stroke(cr);
        if (cracked > 0.5) {
            cairo_move_to(cr, -0.12, -0.82 + 0.55 * cracked);
            cairo_line_to(cr, -0.45, -0.5 + 0.3 * cracked);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
    // An edge that darkens toward the shadowed side, so the stone stands out
    // from mud and blocks without a ring round it.
    BoulderPath(cr);
    cairo_set_line_width(cr, 1.0 * px);
    cairo_pattern_t* edge = cairo_pattern_create_linear(-0.8, -0.8, 0.8, 0.8);
    AddStop(edge, 0.0, kStoneShade, 0.5);
    AddStop(edge, 1.0, Darker(kStoneDark, 0.35));
    cairo_set_source(cr, edge);
    cairo_stroke(cr);
    cairo_pattern_destroy(edge);
    cairo_restore(cr);
}

// A stone's corner of the screen and the cell it rests in: `towardX` and
// `towardY` point to the screen corner (+1 right or down, -1 left or up);
// the cell's top left within the picture.
struct StoneCorner {
    double towardX, towardY;
    double cellX, cellY;
};

// The stone's centre at `radius`: at rest a little toward its screen corner;
// growing, it keeps its corner side where it was and swells out over the
// board.
std::array<double, 2> StoneCentre(const StoneCorner& corner, double radius) {
    const double grown = radius - kRestingStone;
    return {corner.cellX + 10 + 0.4 * corner.towardX - grown * corner.towardX,
            corner.cellY + 10.6 + 0.3 * corner.towardY - 0.85 * grown * corner.towardY};
}

void DrawStoneAt(cairo_t* cr, const StoneCorner& corner, double radius, double cracked = 0) {
    const auto [x, y] = StoneCentre(corner, radius);
    DrawStone(cr, x, y, radius, cracked);
}

template <int TowardX, int TowardY>
void ShowCornerStone(const Frame& f) {
    PaintBog(f.cr, 0, 0);
    DrawStoneAt(f.cr, {TowardX, TowardY, 0, 0}, kRestingStone);
}

// The stone swells out of its corner and splits (frames 0-6), settles back
// into its cell while a frog climbs out of the split and hunches up (7-10),
// and leaves the frog curled into a ball (11). Until then the stone's own
// cell shows its bog, so frame 0 is the corner picture itself. The last frame
// is the ball exactly as the ball strip starts it from the stone's cell, so
// the ball that rolls off carries on from it.
void DrawHatching(const Frame& f, const StoneCorner& corner) {
    cairo_t* cr = f.cr;
    constexpr int kSwellFrames = 7;
    constexpr int kClimbFrames = 4;
    const double cellCentreX = corner.cellX + 10;
    const double cellCentreY = corner.cellY + 10;
    if (f.index == f.count - 1) {
        DrawFrogBall(cr, cellCentreX, cellCentreY, 9, kBallFirstTurn);
        return;
    }
    PaintBog(cr, corner.cellX, corner.cellY);
    if (f.index < kSwellFrames) {
        const double t = f.index / (kSwellFrames - 1.0);
        const double swell = t * (0.6 + 0.4 * t);
        DrawStoneAt(cr, corner, kRestingStone + (kSwollenStone - kRestingStone) * swell, std::max(0.0, 2 * t - 1));
        return;
    }
    // 0.25 to 1 over the climbing frames.
    const double t = (f.index - kSwellFrames + 1.0) / kClimbFrames;
    const double radius = kSwollenStone + (kRestingStone - kSwollenStone) * t;
    const auto [stoneX, stoneY] = StoneCentre(corner, radius);
    DrawStone(cr, stoneX, stoneY, radius, 1.0);
    // The split the frog comes out of, closing as the stone settles.
    const double crack = 1.0 - t;
    if (crack > 0) FillEllipse(cr, stoneX, stoneY - 1.5, 2 + 6 * crack, 1 + 2.5 * crack, Darker(kStoneShade, 0.6));
    // Out of the split, then sitting on the stone, then hunched up.
    const double risen = std::min(1.0, 0.45 + 0.55 * (t - 0.25) / 0.25);
    const double hunch = std::max(0.0, (t - 0.5) / 0.5);
    cairo_save(cr);
    cairo_translate(cr, stoneX, stoneY - 2 * (1 - hunch));
    cairo_scale(cr, 1.0 - 0.2 * hunch, 1.0 - 0.3 * hunch);
    cairo_translate(cr, -10, -12);
    DrawFrog(cr, risen, 1.0);
    cairo_restore(cr);
    if (hunch >= 1) {
        // The ball closing round it, over the frog and the stone under it.
        cairo_push_group(cr);
        DrawFrogBall(cr, cellCentreX, cellCentreY, 9, kBallFirstTurn);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.75);
    }
}

// Stone 0 over the top-right corner, its cell the right half of the top;
// stone 1 over the bottom-left, its cell the left half of the bottom.
void ShowTopRightHatching(const Frame& f) { DrawHatching(f, {1, -1, 20, 0}); }
void ShowBottomLeftHatching(const Frame& f) { DrawHatching(f, {-1, 1, 0, 20}); }

// The slab and, turned with the block, its channel.
void DrawSlab(cairo_t* cr, int kind, double degrees, Rgb ground, void (*channel)(cairo_t*, int)) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, 20, 20);
    cairo_clip(cr);
    DrawGround(cr, ground);
    cairo_translate(cr, 10, 10);
    cairo_rotate(cr, (QuarterTurnsFromUpright(kind) * 90.0 + degrees) * M_PI / 180.0);
    cairo_translate(cr, -10, -10);
    channel(cr, std::clamp(kind, 1, 6) <= 2 ? 1 : 3);
    cairo_restore(cr);
}

}  // namespace

void DrawBlock(cairo_t* cr, int kind, double degrees, Rgb ground) { DrawSlab(cr, kind, degrees, ground, DrawChannel); }

void DrawLitBlock(cairo_t* cr, int kind) { DrawSlab(cr, kind, 0, kLitGround, DrawLitChannel); }

void AddBlockDrawings(Catalogue& catalogue) {
    catalogue.Add(pictures::kVertical, ShowBlock<1>, kBlockGround);
    catalogue.Add(pictures::kHorizontal, ShowBlock<2>, kBlockGround);
    catalogue.Add(pictures::kUpRight, ShowBlock<3>, kBlockGround);
    catalogue.Add(pictures::kRightDown, ShowBlock<4>, kBlockGround);
    catalogue.Add(pictures::kDownLeft, ShowBlock<5>, kBlockGround);
    catalogue.Add(pictures::kLeftUp, ShowBlock<6>, kBlockGround);
    catalogue.Add(pictures::kLitVertical, ShowLitBlock<1>, kLitGround);
    catalogue.Add(pictures::kLitHorizontal, ShowLitBlock<2>, kLitGround);
    catalogue.Add(pictures::kLitUpRight, ShowLitBlock<3>, kLitGround);
    catalogue.Add(pictures::kLitRightDown, ShowLitBlock<4>, kLitGround);
    catalogue.Add(pictures::kLitDownLeft, ShowLitBlock<5>, kLitGround);
    catalogue.Add(pictures::kLitLeftUp, ShowLitBlock<6>, kLitGround);
    catalogue.Add(pictures::kTurnVertical, ShowTurning<1>, kBlockGround);
    catalogue.Add(pictures::kTurnHorizontal, ShowTurning<2>, kBlockGround);
    catalogue.Add(pictures::kTurnUpRight, ShowTurning<3>, kBlockGround);
    catalogue.Add(pictures::kTurnRightDown, ShowTurning<4>, kBlockGround);
    catalogue.Add(pictures::kTurnDownLeft, ShowTurning<5>, kBlockGround);
    catalogue.Add(pictures::kTurnLeftUp, ShowTurning<6>, kBlockGround);
    catalogue.Add(pictures::kHeroHome, [](const Frame& f) { DrawHome(f.cr, Lover::Hero, true); }, kBlockGround);
    catalogue.Add(pictures::kHeroineHome, [](const Frame& f) { DrawHome(f.cr, Lover::Heroine, true); }, kBlockGround);
    catalogue.Add(pictures::kHeroHomeEmpty, [](const Frame& f) { DrawHome(f.cr, Lover::Hero, false); }, kBlockGround);
    catalogue.Add(pictures::kHeroineHomeEmpty, [](const Frame& f) { DrawHome(f.cr, Lover::Heroine, false); }, kBlockGround);
    catalogue.Add(pictures::kBottomLeftStone, ShowCornerStone<-1, 1>, kMud);
    catalogue.Add(pictures::kTopRightStone, ShowCornerStone<1, -1>, kMud);
    // Smoothed as the ball that rolls off from them.
    catalogue.Add(pictures::kTopRightStoneHatch, ShowTopRightHatching, kOverBlock);
    catalogue.Add(pictures::kBottomLeftStoneHatch, ShowBottomLeftHatching, kOverBlock);
}

}  // namespace art
