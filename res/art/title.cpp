// The title picture, its heart mask, the sorceress's spell, the lovers'
// heart of a won level with its growing masks, and the window icon.
#include "res/art/title.h"

#include <array>
#include <cmath>
#include <tuple>
#include <utility>

#include "res/art/bog.h"
#include "res/art/catalogue.h"
#include "res/art/faces.h"
#include "res/art/icon.h"
#include "res/art/palette.h"
#include "res/art/portraits.h"
#include "res/picture_ids.h"

namespace art {

namespace {

using namespace colour;

void PaintNightBog(cairo_t* cr) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 240);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.22, 0.28, 0.16);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.40, 0.38, 0.17);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    // Tufts of reeds scattered over the mud.
    struct Tuft {
        double x, y;
    };
    constexpr std::array kTufts{Tuft{8, 30},  Tuft{30, 10}, Tuft{210, 12}, Tuft{228, 34}, Tuft{12, 120},
                                Tuft{4, 176}, Tuft{228, 150}, Tuft{236, 200}, Tuft{40, 222}, Tuft{196, 226}};
    for (const Tuft& tuft : kTufts) {
        for (int blade = -2; blade <= 2; ++blade) {
            Line(cr, tuft.x, tuft.y + 6, tuft.x + blade * 2.5, tuft.y - 6 + std::abs(blade) * 2, 1.4, kReed);
        }
    }
}

// Flowers, frogs and toadstools in the corners the heart leaves free.
void DrawBogLife(cairo_t* cr) {
    struct Sprite {
        double x, y, scale;
        int what;  // 0 flower, 1 frog, 2 toadstool
    };
    constexpr std::array kSprites{Sprite{2, 2, 1.4, 0},    Sprite{204, 0, 1.5, 0},  Sprite{0, 34, 1.1, 2},
                                  Sprite{220, 34, 1.0, 0}, Sprite{0, 196, 2.0, 1},  Sprite{196, 196, 2.0, 1},
                                  Sprite{0, 172, 1.0, 0},  Sprite{218, 170, 1.0, 2}, Sprite{44, 212, 1.3, 0},
                                  Sprite{170, 212, 1.3, 0}};
    for (const Sprite& sprite : kSprites) {
        cairo_save(cr);
        cairo_translate(cr, sprite.x, sprite.y);
        cairo_scale(cr, sprite.scale, sprite.scale);
        if (sprite.what == 0) DrawFlower(cr, 1.0);
        if (sprite.what == 1) DrawFrog(cr, 1.0, 1.0);
        if (sprite.what == 2) DrawToadstool(cr, 1.0);
        cairo_restore(cr);
    }
}

// Fills the path as a heart glows: light round (cx, cy), deepening to the
// heart's red at `reach` from a little below it.
void FillWithHeartGlow(cairo_t* cr, double cx, double cy, double reach, double red, double green, double blue) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 10, cx, cy + 10, reach);
    cairo_pattern_add_color_stop_rgb(glow, 0, red, green, blue);
    cairo_pattern_add_color_stop_rgb(glow, 1, 0.80, 0.10, 0.16);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void DrawTitleHeart(cairo_t* cr) {
    HeartPath(cr, kTitleHeartX, kTitleHeartY, kTitleHeartW, kTitleHeartH);
    FillWithHeartGlow(cr, 120, 120, 130, 0.96, 0.42, 0.46);
    // A dark rim just inside the edge, so the heart reads against any ground.
    cairo_save(cr);
    HeartPath(cr, kTitleHeartX, kTitleHeartY, kTitleHeartW, kTitleHeartH);
    cairo_clip(cr);
    HeartPath(cr, kTitleHeartX, kTitleHeartY, kTitleHeartW, kTitleHeartH);
    SetColour(cr, kHeartDark);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A four-pointed twinkle centred on (cx, cy), `size` from its centre to a
// point.
void Twinkle(cairo_t* cr, double cx, double cy, double size, Rgb colour) {
    SetColour(cr, colour);
    cairo_move_to(cr, cx, cy - size);
    cairo_curve_to(cr, cx + size * 0.15, cy - size * 0.15, cx + size * 0.15, cy - size * 0.15, cx + size, cy);
    cairo_curve_to(cr, cx + size * 0.15, cy + size * 0.15, cx + size * 0.15, cy + size * 0.15, cx, cy + size);
    cairo_curve_to(cr, cx - size * 0.15, cy + size * 0.15, cx - size * 0.15, cy + size * 0.15, cx - size, cy);
    cairo_curve_to(cr, cx - size * 0.15, cy - size * 0.15, cx - size * 0.15, cy - size * 0.15, cx, cy - size);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// The spell's colours: a violet haze round a pink glow round a pale gold
// thread, the twinkles pale gold.
constexpr Rgb kSpellHaze{170, 90, 230};
constexpr Rgb kSpellGlow{250, 150, 240};
constexpr Rgb kSpellThread{255, 244, 190};

// One stream of the spell from (cx, cy) toward (cx + endX, cy + endY): two
// threads twined round its middle, drawn out as far as `reach` (0 to 1) and
// twisted on by a quarter turn a frame, with twinkles strewn along them.
void DrawSpellStream(cairo_t* cr, double cx, double cy, double endX, double endY, double reach, int frame) {
    // The stream's middle: out to the side first, then down.
    const auto middle = [&](double t) { return std::pair{cx + endX * (1 - (1 - t) * (1 - t)), cy + endY * t * t}; };
    // The point `by` pixels across the stream from its middle at t.
    const auto across = [&](double t, double by) {
        const auto [x, y] = middle(t);
        const double dx = endX * 2 * (1 - t), dy = endY * 2 * t;
        const double length = std::hypot(dx, dy);
        return std::pair{x - dy / length * by, y + dx / length * by};
    };
    constexpr int kPoints = 40;
    const double twist = frame * M_PI / 2;
    for (const auto& [width, colour, alpha] :
         {std::tuple{3.4, kSpellHaze, 0.45}, std::tuple{1.8, kSpellGlow, 0.9}, std::tuple{0.8, kSpellThread, 1.0}}) {
        for (const double phase : {0.0, M_PI}) {
            SetColour(cr, colour, alpha);
            cairo_set_line_width(cr, width);
            for (int i = 0; i <= kPoints; ++i) {
                const double t = reach * i / kPoints;
                const auto [x, y] = across(t, (1.2 + 3.5 * t) * std::sin(t * 5 * M_PI + phase + twist));
                if (i == 0) cairo_move_to(cr, x, y);
                else cairo_line_to(cr, x, y);
            }
            cairo_stroke(cr);
        }
    }
    // A different few twinkles in each frame.
    for (int k = 0; k < 6; ++k) {
        const double t = reach * (k + 0.5 + 0.5 * ((frame + k) % 2)) / 6.5;
        const auto [x, y] = across(t, ((k + frame) % 3 - 1) * (3 + 4 * t));
        Twinkle(cr, x, y, 1.5 + ((k + frame) % 3) * 0.6, kSpellThread);
    }
    const auto [tipX, tipY] = middle(reach);
    Twinkle(cr, tipX, tipY, 3.2 + reach, kSpellGlow);
    Twinkle(cr, tipX, tipY, 2.0 + 0.6 * reach, kSpellThread);
}

// The spell: a light under the sorceress's chin at (cx, cy), and from it a
// stream winding down toward each lover's head.
void DrawSpell(cairo_t* cr, double cx, double cy, double reach, int frame) {
    cairo_pattern_t* aura = cairo_pattern_create_radial(cx, cy, 1, cx, cy, 12);
    cairo_pattern_add_color_stop_rgba(aura, 0, 1.0, 0.9, 0.95, 0.95);
    cairo_pattern_add_color_stop_rgba(aura, 0.5, 1.0, 0.6, 0.9, 0.6);
    cairo_pattern_add_color_stop_rgba(aura, 1, 0.95, 0.5, 0.85, 0.0);
    cairo_set_source(cr, aura);
    cairo_arc(cr, cx, cy, 12, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(aura);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const double side : {-1.0, 1.0}) DrawSpellStream(cr, cx, cy, side * 50, 30, reach, frame);
    Twinkle(cr, cx, cy, 3.5, kSpellThread);
}

constexpr double kSorceressX = 123;
constexpr double kSorceressY = 40;
constexpr double kSorceressSize = 46;
// The spell leaves her just under her chin.
constexpr double kSpellFromY = kSorceressY + 29;

void ShowTitle(const Frame& f) { DrawTitleScene(f.cr); }

// The title's heart in pure black on see-through white, hard-edged.
void ShowTitleMask(const Frame& f) {
    cairo_set_antialias(f.cr, CAIRO_ANTIALIAS_NONE);
    SetColour(f.cr, {0, 0, 0});
    HeartPath(f.cr, kTitleHeartX, kTitleHeartY, kTitleHeartW, kTitleHeartH);
    cairo_fill(f.cr);
}

// The spell over the title at the sorceress's place: frame 0 to 3 grow the
// strands; frame 4 reaches furthest.
void ShowSpell(const Frame& f) {
    cairo_t* cr = f.cr;
    cairo_save(cr);
    cairo_translate(cr, -kSpellX, -kSpellY);
    DrawTitleScene(cr);
    DrawSpell(cr, kSorceressX, kSpellFromY, f.Reached(), f.index);
    DrawSorceress(cr, kSorceressX, kSorceressY, kSorceressSize);
    cairo_restore(cr);
}

// Mask frames grow from a small heart around (94, 86) to the heart that
// fills the 200x180 frame.
constexpr double kMaskSmallW = 44;
constexpr double kMaskSmallH = 37;
constexpr double kMaskSmallCentreX = 94;
constexpr double kMaskSmallCentreY = 86;

// The largest mask's heart: a little beyond the frame so that its point and
// lobes reach the frame's last rows and columns.
constexpr double kLargestMaskX = -1;
constexpr double kLargestMaskY = -1;
constexpr double kLargestMaskGrowth = 3;

void ShowHeartMask(const Frame& f) {
    const double t = f.Progress();
    const double ease = t * t * (0.6 + 0.4 * t);
    const double w = kMaskSmallW + (f.width + 2 * -kLargestMaskX - kMaskSmallW) * ease;
    const double h = kMaskSmallH + (f.height + kLargestMaskGrowth - kMaskSmallH) * ease;
    const double largestCx = kLargestMaskX + (f.width + 2 * -kLargestMaskX) / 2.0;
    const double largestCy = kLargestMaskY + (f.height + kLargestMaskGrowth) / 2.0;
    const double cx = kMaskSmallCentreX + (largestCx - kMaskSmallCentreX) * ease;
    const double cy = kMaskSmallCentreY + (largestCy - kMaskSmallCentreY) * ease;
    cairo_set_antialias(f.cr, CAIRO_ANTIALIAS_NONE);
    SetColour(f.cr, {0, 0, 0});
    HeartPath(f.cr, cx - w / 2, cy - h / 2, w, h);
    cairo_fill(f.cr);
}

// The lovers together in a heart a little larger than the largest mask, so
// no white edge of it ever shows through the mask.
void ShowLoversHeart(const Frame& f) {
    cairo_t* cr = f.cr;
    HeartPath(cr, kLargestMaskX - 2, kLargestMaskY - 2, f.width + 2 * -kLargestMaskX + 4,
              f.height + kLargestMaskGrowth + 4);
    FillWithHeartGlow(cr, 100, 80, 110, 0.98, 0.50, 0.52);
    DrawFace(cr, Lover::Hero, 66, 86, 72);
    DrawFace(cr, Lover::Heroine, 134, 86, 72);
    DrawAngel(cr, 100, 38, 34);
    // Little hearts rising between them.
    SetColour(cr, kHeartLight);
    HeartPath(cr, 94, 128, 12, 11);
    cairo_fill(cr);
    HeartPath(cr, 99, 145, 8, 7);
    cairo_fill(cr);
}

// The window icon: the program's icon at its own size, covering every pixel.
void ShowIcon(const Frame& f) { DrawIcon(f.cr, f.width, false); }

}  // namespace

void DrawSorceress(cairo_t* cr, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double s = size / 2;
    cairo_scale(cr, s, s);
    // Long black hair, a pale face, a tall hat with a crescent.
    FillEllipse(cr, 0, 0.25, 0.85, 0.85, {30, 20, 40});
    FillEllipse(cr, 0, 0.15, 0.55, 0.68, {214, 220, 190});
    SetColour(cr, kSorceressRobe);
    cairo_move_to(cr, -1.0, -0.35);
    cairo_line_to(cr, 0.15, -1.0);
    cairo_line_to(cr, 1.0, -0.35);
    cairo_close_path(cr);
    cairo_fill(cr);
    FillEllipse(cr, 0, -0.36, 1.0, 0.14, Darker(kSorceressRobe, 0.3));
    FillCircle(cr, 0.15, -0.68, 0.09, kDigit);
    // Narrow green eyes under sharp brows, a red mouth.
    for (double side : {-1.0, 1.0}) {
        FillEllipse(cr, 0.22 * side, 0.08, 0.12, 0.06, {60, 150, 60});
        FillCircle(cr, 0.22 * side, 0.08, 0.035, kInk);
        Line(cr, 0.08 * side, -0.06, 0.36 * side, -0.12, 0.06, kInk);
    }
    FillEllipse(cr, 0, 0.48, 0.13, 0.05, {180, 20, 40});
    cairo_restore(cr);
}

void DrawAngel(cairo_t* cr, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double s = size / 2;
    cairo_scale(cr, s, s);
    for (double side : {-1.0, 1.0}) {
        FillEllipse(cr, 0.55 * side, 0.05, 0.5, 0.3, kPetalShade);
        FillEllipse(cr, 0.55 * side, 0.0, 0.44, 0.24, kPetal);
    }
    FillEllipse(cr, 0, 0.55, 0.32, 0.38, kPetal);
    FillCircle(cr, 0, -0.15, 0.38, kSkin);
    FillEllipse(cr, 0, -0.42, 0.3, 0.14, kHeroineHair);
    SetColour(cr, kDigit);
    cairo_set_line_width(cr, 0.08);
    EllipsePath(cr, 0, -0.72, 0.28, 0.08);
    cairo_stroke(cr);
    FillCircle(cr, -0.13, -0.15, 0.05, kInk);
    FillCircle(cr, 0.13, -0.15, 0.05, kInk);
    FillCircle(cr, -0.22, -0.02, 0.06, kCheek);
    FillCircle(cr, 0.22, -0.02, 0.06, kCheek);
    cairo_restore(cr);
}

void DrawTitleScene(cairo_t* cr) {
    PaintNightBog(cr);
    DrawBogLife(cr);
    DrawTitleHeart(cr);
    cairo_save(cr);
    cairo_translate(cr, kHeroPortraitX, kHeroPortraitY);
    DrawHeroPortrait(cr);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, kHeroinePortraitX, kHeroinePortraitY);
    DrawHeroinePortrait(cr);
    cairo_restore(cr);
    DrawAngel(cr, 120, 204, 26);
    // The sorceress watches from above, among flowers.
    for (double side : {-1.0, 1.0}) {
        cairo_save(cr);
        cairo_translate(cr, kSorceressX + side * 34 - 10, kSorceressY - 22);
        DrawFlower(cr, 1.0);
        cairo_restore(cr);
    }
    DrawSorceress(cr, kSorceressX, kSorceressY, kSorceressSize);
}

void AddTitleDrawings(Catalogue& catalogue) {
    constexpr Rgb kWhite{255, 255, 255};
    catalogue.Add(pictures::kTitlePicture, ShowTitle, kMud);
    catalogue.Add(pictures::kTitleHeartMask, ShowTitleMask, kWhite);
    catalogue.Add(pictures::kSpell, ShowSpell, kMud);
    catalogue.Add(pictures::kLovers, ShowLoversHeart, kHeart);
    catalogue.Add(pictures::kHeartMasks, ShowHeartMask, kWhite);
    catalogue.AddIcon(101, ShowIcon, kBlockGround);
}

}  // namespace art
