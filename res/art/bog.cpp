// The bog cell and its actors: flowers, frogs, mounds, toadstools, the
// butterfly, the rolling frog ball, and the bushes and flowers of a win.
#include "res/art/bog.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "res/art/catalogue.h"
#include "res/art/palette.h"
#include "res/picture_ids.h"

namespace art {

namespace {

using namespace colour;

// The petals and the heart of the flower, centred on (cx, cy); `open` 0 is
// just out of the bud, 1 wide open.
void DrawFlowerHead(cairo_t* cr, double cx, double cy, double open);

// Where the open flower's heart sits in its cell.
constexpr double kFlowerHeadY = 7;

double Clamp01(double value) { return std::clamp(value, 0.0, 1.0); }
// How far `value` has got through [from, to], clamped to 0..1.
double Stage(double value, double from, double to) { return Clamp01((value - from) / (to - from)); }

struct Fleck {
    double x, y, radius;
    bool dark;
};
constexpr std::array kFlecks{Fleck{3, 4, 1.2, true},   Fleck{15, 3, 0.9, false}, Fleck{8, 11, 1.0, true},
                             Fleck{17, 16, 1.3, true}, Fleck{2, 14, 0.8, false}, Fleck{12, 18, 0.9, false},
                             Fleck{11, 6, 0.7, false}, Fleck{6, 18, 1.1, true}};

struct Blade {
    double baseX, baseY, tipX, tipY;
};
constexpr std::array kReeds{Blade{4, 17, 2, 9},    Blade{4, 17, 5, 8},   Blade{4, 17, 7, 11},
                            Blade{15, 12, 13, 6},  Blade{15, 12, 16, 5}, Blade{15, 12, 18, 8},
                            Blade{10, 19.5, 9, 15}, Blade{10, 19.5, 11.5, 16}};

void DrawReeds(cairo_t* cr) {
    for (const Blade& blade : kReeds) {
        Line(cr, blade.baseX, blade.baseY, blade.tipX, blade.tipY, 1.2, kReed);
        Line(cr, (blade.baseX + 2 * blade.tipX) / 3, (blade.baseY + 2 * blade.tipY) / 3, blade.tipX, blade.tipY, 1.0,
             kReedLight);
    }
}

// The little dark ring of mud around something coming out of the bog.
void Ripple(cairo_t* cr, double cx, double cy, double rx) {
    SetColour(cr, kMudDark);
    EllipsePath(cr, cx, cy, rx, rx * 0.35);
    cairo_fill(cr);
}

namespace {

// An actor on its bog cell, grown (or shrunk) as far as the frame shows.
void ShowOnBog(const Frame& f, void (*draw)(cairo_t*, double), bool growing) {
    PaintBog(f.cr, 0, 0);
    draw(f.cr, growing ? f.Reached() : 1.0 - f.Reached());
}

void DrawFrogAwake(cairo_t* cr, double risen) { DrawFrog(cr, risen, 1.0); }

}  // namespace

void ShowFlowerOpening(const Frame& f) { ShowOnBog(f, DrawFlower, true); }
void ShowFlowerClosing(const Frame& f) { ShowOnBog(f, DrawFlower, false); }
void ShowFrogRising(const Frame& f) { ShowOnBog(f, DrawFrogAwake, true); }
void ShowFrogSinking(const Frame& f) { ShowOnBog(f, DrawFrogAwake, false); }
void ShowFrogDozing(const Frame& f) {
    PaintBog(f.cr, 0, 0);
    DrawFrog(f.cr, 1.0, 1.0 - f.Progress());
}
void ShowFrogWaking(const Frame& f) {
    PaintBog(f.cr, 0, 0);
    DrawFrog(f.cr, 1.0, f.Progress());
}

// Rises in the first half, then hunches up and rounds into the ball; the
// last frame is the ball alone, ready to be thrown, in the pose of the ball
// strip's frame 0: the second ball of a pair, drawn over the first where
// both start, carries straight on from it.
void ShowFrogCurling(const Frame& f) {
    const int riseFrames = f.count / 2;
    if (f.index == f.count - 1) {
        DrawFrogBall(f.cr, 10, 10, 9, 0);
        return;
    }
    PaintBog(f.cr, 0, 0);
    if (f.index < riseFrames) {
        DrawFrog(f.cr, (f.index + 1.0) / riseFrames, 1.0);
        return;
    }
    // 0 just after rising, nearly 1 on the frame before the ball.
    const double curl = (f.index - riseFrames + 1.0) / (f.count - riseFrames);
    cairo_t* cr = f.cr;
    cairo_save(cr);
    cairo_translate(cr, 10, 12 - 2 * curl);
    cairo_scale(cr, 1.0 - 0.2 * curl, 1.0 - 0.3 * curl);
    cairo_translate(cr, -10, -12);
    DrawFrog(cr, 1.0, 1.0 - std::min(1.0, 2 * curl));
    cairo_restore(cr);
    // The ball takes shape over the hunched frog.
    cairo_push_group(cr);
    DrawFrogBall(cr, 10, 10, 9, 0);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, std::pow(curl, 1.3));
}

void ShowRollingBall(const Frame& f) { DrawFrogBall(f.cr, 10, 10, 9, 2 * M_PI * f.index / f.count); }

// Grows as a grey mound, then slumps and fills with water.
void ShowMoundToPool(const Frame& f) {
    cairo_t* cr = f.cr;
    PaintBog(cr, 0, 0);
    const double t = f.Reached();
    const double swell = Stage(t, 0.0, 0.5);
    const double pool = Stage(t, 0.45, 1.0);
    if (pool > 0) {
        FillEllipse(cr, 10, 13, 3 + 6 * pool, 1.5 + 4 * pool, kMudDark);
        FillEllipse(cr, 10, 13, 2 + 5.5 * pool, 1 + 3.4 * pool, kWater);
        FillEllipse(cr, 8, 12, 1.5 * pool, 0.6 * pool, Lighter(kWater, 0.5));
    }
    const double mound = swell * (1.0 - pool);
    if (mound > 0) {
        FillEllipse(cr, 10, 14, 2 + 6 * mound, 1 + 5 * mound, Darker(kMoundGrey, 0.2));
        FillEllipse(cr, 9, 13, 1.5 + 5 * mound, 0.8 + 4 * mound, kMoundGrey);
        FillEllipse(cr, 7.5, 11.5, 1.5 * mound, 1.2 * mound, Lighter(kMoundGrey, 0.35));
    }
}

void ShowToadstoolGrowing(const Frame& f) { ShowOnBog(f, DrawToadstool, true); }
void ShowToadstoolShrinking(const Frame& f) { ShowOnBog(f, DrawToadstool, false); }

// The tapped flower comes off its stem as the open flower it was, folds its
// petals into wings and flutters up and away.
void ShowButterfly(const Frame& f) {
    cairo_t* cr = f.cr;
    if (f.index == 0) {
        DrawFlowerHead(cr, 10, kFlowerHeadY, 1.0);
        return;
    }
    const double t = (f.index - 1.0) / (f.count - 2);
    const double scale = 1.0 - 0.6 * t;
    const double cx = 10 + 2.5 * std::sin(t * 7);
    const double cy = 8.5 - 5 * t;
    const double flap = (f.index % 2 == 1) ? 1.0 : 0.55;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    for (int side : {-1, 1}) {
        cairo_save(cr);
        cairo_scale(cr, side * flap, 1);
        SetColour(cr, kPetalShade);
        EllipsePath(cr, 4.5, -2.5, 4.8, 3.8);
        cairo_fill(cr);
        FillEllipse(cr, 4.5, -2.5, 4, 3, kPetal);
        FillEllipse(cr, 3.5, 3, 3.2, 2.6, kPetal);
        FillCircle(cr, 5.5, -3, 1.2, kOrange);
        cairo_restore(cr);
    }
    FillEllipse(cr, 0, 0, 1.3, 4.5, kOrange);
    Line(cr, 0, -4, -2, -7, 0.8, kInk);
    Line(cr, 0, -4, 2, -7, 0.8, kInk);
    cairo_restore(cr);
}

void DrawBushLeaves(cairo_t* cr, double radius) {
    struct Leaf {
        double dx, dy, size;
    };
    constexpr std::array kLeaves{Leaf{0, 0, 1.0},      Leaf{-0.55, 0.2, 0.6}, Leaf{0.55, 0.15, 0.62},
                                 Leaf{-0.2, -0.55, 0.6}, Leaf{0.3, -0.5, 0.55}, Leaf{0.0, 0.55, 0.55}};
    for (const Leaf& leaf : kLeaves) {
        FillCircle(cr, 10 + leaf.dx * radius, 11 + leaf.dy * radius, leaf.size * radius * 0.75, kLeafDark);
    }
    for (const Leaf& leaf : kLeaves) {
        FillCircle(cr, 10 + leaf.dx * radius - 0.6, 11 + leaf.dy * radius - 0.8, leaf.size * radius * 0.6, kLeaf);
    }
    for (const Leaf& leaf : kLeaves) {
        FillCircle(cr, 10 + leaf.dx * radius - 1.2, 11 + leaf.dy * radius - 1.5, leaf.size * radius * 0.25,
                   kLeafLight);
    }
}

// The grown bush standing on its bog cell, mud showing round it, so that a
// meadow of them still reads as bushes: the last bush frames and the ground
// of every blooming flower.
constexpr double kGrownBush = 10.6;

void DrawGrownBush(cairo_t* cr, double radius) {
    PaintBog(cr, 0, 0);
    // Its shadow on the mud.
    SetColour(cr, kMudDark);
    EllipsePath(cr, 10, 17.6, radius * 0.85, radius * 0.22);
    cairo_fill(cr);
    DrawBushLeaves(cr, radius);
}

// The first frames grow a bush over the bog (see-through round it); the last
// three swell a little more on the bog cell itself, so the bush can be shown
// alone.
void ShowBushGrowing(const Frame& f) {
    constexpr int kOnItsCellFrom = 8;
    if (f.index >= kOnItsCellFrom) {
        DrawGrownBush(f.cr, kGrownBush - 0.5 + 0.25 * (f.index - kOnItsCellFrom));
        return;
    }
    DrawBushLeaves(f.cr, 2.5 + 1.1 * f.index);
}

enum class Petals { Star, Round };
struct BloomLook {
    Petals shape;
    Rgb petal;
    Rgb heart;
};

void DrawBloom(cairo_t* cr, const BloomLook& look, double openness) {
    DrawGrownBush(cr, kGrownBush);
    if (openness < 0.3) {
        const double bud = 1.5 + 4 * openness;
        FillEllipse(cr, 10, 10, bud * 0.7, bud, kLeafLight);
        FillEllipse(cr, 10, 10 - bud * 0.3, bud * 0.45, bud * 0.6, look.petal);
        return;
    }
    const double open = Stage(openness, 0.3, 1.0);
    const int count = look.shape == Petals::Star ? 5 : 6;
    const double length = 3 + 5.5 * open;
    for (int i = 0; i < count; ++i) {
        const double angle = -M_PI / 2 + 2 * M_PI * i / count;
        cairo_save(cr);
        cairo_translate(cr, 10, 10);
        cairo_rotate(cr, angle);
        if (look.shape == Petals::Star) {
            cairo_move_to(cr, 0, -1.8);
            cairo_line_to(cr, length, 0);
            cairo_line_to(cr, 0, 1.8);
            cairo_close_path(cr);
        } else {
            EllipsePath(cr, length * 0.55, 0, length * 0.55, 1.6 + 1.6 * open);
        }
        SetColour(cr, Darker(look.petal, 0.25));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke_preserve(cr);
        SetColour(cr, look.petal);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    FillCircle(cr, 10, 10, 1.4 + 1.2 * open, look.heart);
}

template <int Look>
void ShowBloom(const Frame& f) {
    constexpr std::array kLooks{BloomLook{Petals::Star, {240, 120, 170}, {250, 220, 90}},
                                BloomLook{Petals::Star, {246, 238, 220}, {240, 180, 60}},
                                BloomLook{Petals::Round, {190, 20, 50}, {250, 200, 70}},
                                BloomLook{Petals::Round, {246, 140, 40}, {150, 60, 20}},
                                BloomLook{Petals::Round, {250, 216, 50}, {210, 40, 30}}};
    DrawBloom(f.cr, kLooks[Look], f.Reached());
}

}  // namespace

void PaintBog(cairo_t* cr, double x, double y) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    FillRect(cr, 0, 0, 20, 20, kMud);
    for (const Fleck& fleck : kFlecks) {
        FillCircle(cr, fleck.x, fleck.y, fleck.radius, fleck.dark ? kMudDark : kMudLight);
    }
    DrawReeds(cr);
    cairo_restore(cr);
}

void DrawFlower(cairo_t* cr, double growth) {
    growth = Clamp01(growth);
    if (growth <= 0) return;
    const double stem = Stage(growth, 0.0, 0.45);
    const double bud = Stage(growth, 0.25, 0.55);
    const double open = Stage(growth, 0.5, 1.0);
    const double topY = 17 - (17 - kFlowerHeadY) * stem;
    Line(cr, 10, 17.5, 10, topY, 1.4, kReed);
    if (stem > 0.4) {
        FillEllipse(cr, 7.5, 16, 2.5 * stem, 1.0, kLeaf);
        FillEllipse(cr, 12.5, 15.5, 2.5 * stem, 1.0, kLeaf);
    }
    if (bud > 0 && open <= 0) {
        FillEllipse(cr, 10, topY - 1, 1.2 + 1.2 * bud, 1.8 + 1.4 * bud, kLeafLight);
        FillEllipse(cr, 10, topY - 1.8, 0.8 + 0.8 * bud, 1.0 + 1.0 * bud, kPetal);
        return;
    }
    if (open <= 0) return;
    DrawFlowerHead(cr, 10, topY, open);
}

namespace {

void DrawFlowerHead(cairo_t* cr, double cx, double cy, double open) {
    constexpr int kPetals = 6;
    const double length = 2.5 + 4.5 * open;
    for (int i = 0; i < kPetals; ++i) {
        const double angle = -M_PI / 2 + 2 * M_PI * i / kPetals + (1 - open) * 0.5;
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, angle);
        EllipsePath(cr, length * 0.55, 0, length * 0.55, 1.2 + 1.3 * open);
        SetColour(cr, kPetalShade);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke_preserve(cr);
        SetColour(cr, kPetal);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    FillCircle(cr, cx, cy, 1.2 + 1.4 * open, kOrange);
    FillCircle(cr, cx - 0.6, cy - 0.6, 0.6 * open, kDigit);
}

}  // namespace

void DrawFrog(cairo_t* cr, double risen, double eyesOpen) {
    risen = Clamp01(risen);
    if (risen <= 0) return;
    constexpr double kWaterLine = 18;
    const double sink = (1.0 - risen) * 13;
    if (risen < 1) Ripple(cr, 10, kWaterLine - 0.5, 3 + 6 * risen);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, 20, kWaterLine);
    cairo_clip(cr);
    cairo_translate(cr, 0, sink);
    // Legs, body, belly.
    FillEllipse(cr, 4, 16, 3, 1.8, kFrogDark);
    FillEllipse(cr, 16, 16, 3, 1.8, kFrogDark);
    FillEllipse(cr, 10, 12.5, 7.5, 5.5, kFrogDark);
    FillEllipse(cr, 10, 12, 6.8, 4.8, kFrog);
    FillEllipse(cr, 10, 14.5, 4, 2.3, kFrogBelly);
    // Eyes on top of the head, lids closing from above.
    for (double eyeX : {6.0, 14.0}) {
        FillCircle(cr, eyeX, 7.5, 3.0, kFrogDark);
        FillCircle(cr, eyeX, 7.5, 2.3, kEyeWhite);
        FillCircle(cr, eyeX + (eyeX < 10 ? 0.4 : -0.4), 7.8, 1.1, kInk);
        const double lid = 1.0 - Clamp01(eyesOpen);
        if (lid > 0) {
            cairo_save(cr);
            cairo_rectangle(cr, eyeX - 3, 4.5, 6, 0.5 + 5.5 * lid);
            cairo_clip(cr);
            FillCircle(cr, eyeX, 7.5, 2.6, kFrog);
            cairo_restore(cr);
            if (lid > 0.85) Line(cr, eyeX - 1.8, 8, eyeX + 1.8, 8, 0.8, kFrogDark);
        }
    }
    // A wide smile.
    SetColour(cr, kFrogDark);
    cairo_set_line_width(cr, 0.9);
    cairo_arc(cr, 10, 9.5, 3.5, 0.35 * M_PI, 0.65 * M_PI);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawFrogBall(cairo_t* cr, double cx, double cy, double radius, double angle) {
    FillCircle(cr, cx, cy, radius, kFrogDark);
    FillCircle(cr, cx, cy, radius - 1.2, kFrog);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    const double s = radius / 9;
    // The tucked legs and the belly, which turn with the ball.
    FillEllipse(cr, 0, 3.5 * s, 4.5 * s, 2.5 * s, kFrogBelly);
    SetColour(cr, kFrogDark);
    cairo_set_line_width(cr, 1.1 * s);
    cairo_arc(cr, -2 * s, 1 * s, 4 * s, 0.6 * M_PI, 1.3 * M_PI);
    cairo_stroke(cr);
    cairo_arc(cr, 2 * s, 1 * s, 4 * s, -0.3 * M_PI, 0.4 * M_PI);
    cairo_stroke(cr);
    FillCircle(cr, 0, -4.5 * s, 2 * s, kEyeWhite);
    FillCircle(cr, 0.3 * s, -4.3 * s, 1 * s, kInk);
    cairo_restore(cr);
    FillEllipse(cr, cx - radius * 0.4, cy - radius * 0.45, radius * 0.25, radius * 0.15, kFrogBelly);
}

void DrawToadstool(cairo_t* cr, double size) {
    size = Clamp01(size);
    if (size <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, 10, 17.5);
    cairo_scale(cr, size, size);
    FillEllipse(cr, 0, 0, 4, 1.2, kMudDark);
    SetColour(cr, kStem);
    cairo_move_to(cr, -2.2, 0);
    cairo_line_to(cr, -1.6, -8);
    cairo_line_to(cr, 1.6, -8);
    cairo_line_to(cr, 2.2, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    // The cap: a red dome with pale spots.
    SetColour(cr, Darker(kToadstool, 0.3));
    cairo_arc(cr, 0, -8, 8, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_fill(cr);
    SetColour(cr, kToadstool);
    cairo_arc(cr, 0, -8.6, 7.2, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_fill(cr);
    FillCircle(cr, -4, -10.5, 1.2, kStem);
    FillCircle(cr, 0.5, -13.5, 1.3, kStem);
    FillCircle(cr, 4, -10.2, 1.0, kStem);
    FillCircle(cr, -1, -10, 0.8, kStem);
    cairo_restore(cr);
}

void AddBogDrawings(Catalogue& catalogue) {
    // The see-through sprites are smoothed against what lies under them.
    catalogue.Add(pictures::kBogTile, [](const Frame& f) { PaintBog(f.cr, 0, 0); }, kMud);
    catalogue.Add(pictures::kFlowerOpen, ShowFlowerOpening, kMud);
    catalogue.Add(pictures::kFlowerClose, ShowFlowerClosing, kMud);
    catalogue.Add(pictures::kFrogRise, ShowFrogRising, kMud);
    catalogue.Add(pictures::kFrogSink, ShowFrogSinking, kMud);
    catalogue.Add(pictures::kFrogCurl, ShowFrogCurling, kOverBlock);
    catalogue.Add(pictures::kFrogBall, ShowRollingBall, kOverBlock);
    catalogue.Add(pictures::kFrogDoze, ShowFrogDozing, kMud);
    catalogue.Add(pictures::kFrogWake, ShowFrogWaking, kMud);
    catalogue.Add(pictures::kMoundRise, ShowMoundToPool, kMud);
    catalogue.Add(pictures::kBushGrow, ShowBushGrowing, kMud);
    catalogue.Add(pictures::kPinkStarBloom, ShowBloom<0>, kMud);
    catalogue.Add(pictures::kPaleStarBloom, ShowBloom<1>, kMud);
    catalogue.Add(pictures::kCrimsonBloom, ShowBloom<2>, kMud);
    catalogue.Add(pictures::kOrangeBloom, ShowBloom<3>, kMud);
    catalogue.Add(pictures::kYellowRedBloom, ShowBloom<4>, kMud);
    catalogue.Add(pictures::kMushroomGrow, ShowToadstoolGrowing, kMud);
    catalogue.Add(pictures::kMushroomShrink, ShowToadstoolShrinking, kMud);
    catalogue.Add(pictures::kFlowerFly, ShowButterfly, kOverBlock);
}

}  // namespace art
