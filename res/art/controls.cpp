// The control strip under the board: its background, buttons, labels,
// number boxes, digits and the title lettering.
#include <algorithm>
#include <string>

#include "res/art/buttons.h"
#include "res/art/catalogue.h"
#include "res/art/palette.h"
#include "res/picture_ids.h"

namespace art {

namespace {

using namespace colour;

void ShowStripBackground(const Frame& f) {
    cairo_t* cr = f.cr;
    FillRect(cr, 0, 0, f.width, f.height, kFrame);
    FillRect(cr, 2, 2, f.width - 4, f.height - 4, kBeigeDark);
    FillRect(cr, 3, 3, f.width - 6, f.height - 6, kBeige);
    // A faint weave, so the beige does not look like an empty box.
    for (int y = 5; y < f.height - 4; y += 4) {
        for (int x = 5 + (y / 4 % 2) * 2; x < f.width - 4; x += 4) {
            FillRect(cr, x, y, 1, 1, Darker(kBeige, 0.04));
        }
    }
}

void ShowOvalButton(const Frame& f, const char* label, Press press) {
    DrawLabelButton(f.cr, 0.5, 0.5, f.width - 1, f.height - 1, (f.height - 1) / 2.0, label, 14, press);
}

void ShowSmallButton(const Frame& f, const char* label, Press press) {
    DrawLabelButton(f.cr, 0.5, 0.5, f.width - 1, f.height - 1, 5, label, 11, press);
}

void ShowLabel(const Frame& f, const char* label) {
    const double size = FitSize(f.cr, Font::SansBold, 14, label, f.width - 2);
    TextCentred(f.cr, Font::SansBold, size, label, f.width / 2.0, f.height / 2.0, kText);
}

// An inset frame round the dark field the digits are drawn on. The frame is
// two pixels wide so the digit cells, two pixels in, sit on the field alone.
void ShowNumberBox(const Frame& f) {
    cairo_t* cr = f.cr;
    FillRect(cr, 0, 0, f.width, f.height, Lighter(kBeige, 0.5));
    FillRect(cr, 0, 0, f.width - 1, f.height - 1, kFrame);
    FillRect(cr, 2, 2, f.width - 4, f.height - 4, kField);
}

// Digits 0-9 in frames 0-9, frame 10 blank; every pixel opaque because the
// number fields draw them without the see-through key.
void ShowDigit(const Frame& f) {
    FillRect(f.cr, 0, 0, f.width, f.height, kField);
    if (f.index > 9) return;
    TextCentred(f.cr, Font::SansBold, 19, std::to_string(f.index), f.width / 2.0, f.height / 2.0, kDigit);
}

void ShowRoundButton(const Frame& f, Symbol symbol, Press press) {
    DrawRoundButton(f.cr, f.width / 2.0, f.height / 2.0, f.width / 2.0 - 0.5, symbol, press);
}

// The game's name in flowing lettering: a dark outline under warm gold.
void ShowTitleLettering(const Frame& f) {
    cairo_t* cr = f.cr;
    const char* title = "Mirelink";
    // Fitted by the ink, so the outline keeps clear of the edges.
    cairo_set_font_face(cr, FontFace(Font::SerifBoldItalic));
    cairo_set_font_size(cr, 30);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, title, &extents);
    cairo_set_font_size(cr, 30 * std::min((f.width - 8) / extents.width, (f.height - 8) / extents.height));
    cairo_text_extents(cr, title, &extents);
    const double x = (f.width - extents.width) / 2 - extents.x_bearing;
    const double y = (f.height - extents.height) / 2 - extents.y_bearing;
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, title);
    SetColour(cr, kFrame);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, y + extents.y_bearing, 0, y);
    cairo_pattern_add_color_stop_rgb(gold, 0, 0.99, 0.86, 0.45);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.85, 0.35, 0.12);
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
}

}  // namespace

void AddControlDrawings(Catalogue& catalogue) {
    catalogue.Add(pictures::kStripBackground, ShowStripBackground, kBeige);
    catalogue.Add(pictures::kStartRaised, [](const Frame& f) { ShowOvalButton(f, "Start", Press::Raised); }, kBeige);
    catalogue.Add(pictures::kStartPressed, [](const Frame& f) { ShowOvalButton(f, "Start", Press::Pressed); }, kBeige);
    catalogue.Add(pictures::kStopRaised, [](const Frame& f) { ShowOvalButton(f, "Stop", Press::Raised); }, kBeige);
    catalogue.Add(pictures::kStopPressed, [](const Frame& f) { ShowOvalButton(f, "Stop", Press::Pressed); }, kBeige);
    catalogue.Add(pictures::kHelpRaised, [](const Frame& f) { ShowSmallButton(f, "Help", Press::Raised); }, kBeige);
    catalogue.Add(pictures::kHelpPressed, [](const Frame& f) { ShowSmallButton(f, "Help", Press::Pressed); }, kBeige);
    catalogue.Add(pictures::kAboutRaised, [](const Frame& f) { ShowSmallButton(f, "About", Press::Raised); }, kBeige);
    catalogue.Add(pictures::kAboutPressed, [](const Frame& f) { ShowSmallButton(f, "About", Press::Pressed); }, kBeige);
    catalogue.Add(pictures::kScoreLabel, [](const Frame& f) { ShowLabel(f, "Score"); }, kBeige);
    catalogue.Add(pictures::kLevelLabel, [](const Frame& f) { ShowLabel(f, "Level"); }, kBeige);
    catalogue.Add(pictures::kScoreBox, ShowNumberBox, kBeige);
    catalogue.Add(pictures::kLevelBox, ShowNumberBox, kBeige);
    catalogue.Add(pictures::kDigitStrip, ShowDigit, kField);
    catalogue.Add(pictures::kMinimiseRaised, [](const Frame& f) { ShowRoundButton(f, Symbol::Dash, Press::Raised); }, kBeige);
    catalogue.Add(pictures::kMinimisePressed, [](const Frame& f) { ShowRoundButton(f, Symbol::Dash, Press::Pressed); }, kBeige);
    catalogue.Add(pictures::kExitRaised, [](const Frame& f) { ShowRoundButton(f, Symbol::Cross, Press::Raised); }, kBeige);
    catalogue.Add(pictures::kExitPressed, [](const Frame& f) { ShowRoundButton(f, Symbol::Cross, Press::Pressed); }, kBeige);
    catalogue.Add(pictures::kTitleLogo, ShowTitleLettering, kBeige);
}

}  // namespace art
