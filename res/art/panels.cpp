// The panels rolled in over the board: the help pages, the about page, the
// two questions and the new-level panel. Every button is drawn where the
// game listens for it: panels are rolled in at x 5 with their bottom on
// screen row 240, so a screen point (x, y) is panel point
// (x - 5, y - (241 - panel height)).
#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "res/art/blocks.h"
#include "res/art/bog.h"
#include "res/art/buttons.h"
#include "res/art/catalogue.h"
#include "res/art/faces.h"
#include "res/art/palette.h"
#include "res/art/title.h"
#include "res/picture_ids.h"

namespace art {

namespace {

using namespace colour;

struct ScreenRect {
    double left, top, right, bottom;
};

// The screen rectangle translated into the panel of the given height.
ScreenRect OnPanel(ScreenRect screen, int panelHeight) {
    const double dy = 241.0 - panelHeight;
    return {screen.left - 5, screen.top - dy, screen.right - 5, screen.bottom - dy};
}

constexpr ScreenRect kHelpClose{180, 220, 230, 240};
constexpr ScreenRect kHelpBack{16, 220, 40, 240};
constexpr ScreenRect kHelpForward{52, 220, 75, 240};
constexpr ScreenRect kAboutClose{180, 215, 230, 240};
constexpr ScreenRect kYes{34, 191, 103, 215};
constexpr ScreenRect kNo{142, 191, 211, 215};
constexpr ScreenRect kOk{162, 197, 229, 221};

void DrawPanelFrame(const Frame& f) {
    cairo_t* cr = f.cr;
    FillRect(cr, 0, 0, f.width, f.height, kFrame);
    FillRect(cr, 2, 2, f.width - 4, f.height - 4, kParchment);
    SetColour(cr, kBeigeDark);
    cairo_set_line_width(cr, 1);
    RoundRectPath(cr, 5.5, 5.5, f.width - 11, f.height - 11, 4);
    cairo_stroke(cr);
    // Little hearts in the upper corners of the taller panels.
    if (f.height < 100) return;
    for (double x : {9.0, f.width - 17.0}) {
        SetColour(cr, kHeart);
        HeartPath(cr, x, 9, 8, 7);
        cairo_fill(cr);
    }
}

// A button with a label that covers its touch rectangle, corners included,
// with two pixels to spare all round.
void DrawAnswer(cairo_t* cr, ScreenRect screen, int panelHeight, std::string_view label) {
    const ScreenRect r = OnPanel(screen, panelHeight);
    DrawLabelButton(cr, r.left - 2, r.top - 2, r.right - r.left + 4, r.bottom - r.top + 4, 5, label, 13, Press::Raised);
}

// A round button inside its touch rectangle, so every pixel of it answers.
void DrawRound(cairo_t* cr, ScreenRect screen, int panelHeight, Symbol symbol) {
    const ScreenRect r = OnPanel(screen, panelHeight);
    const double radius = std::min(r.right - r.left, r.bottom - r.top) / 2 - 0.5;
    DrawRoundButton(cr, (r.left + r.right) / 2, (r.top + r.bottom) / 2, radius, symbol, Press::Raised);
}

// Words wrapped to `width`, lines `lineHeight` apart; returns the baseline
// after the last line.
double Paragraph(cairo_t* cr, double x, double y, double width, double lineHeight, std::string_view text,
                 double size = 10.5, Font font = Font::Sans) {
    std::istringstream words{std::string(text)};
    std::string line;
    std::string word;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, font, size, longer) > width) {
            Text(cr, font, size, line, x, y, kText, Align::Left);
            y += lineHeight;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) Text(cr, font, size, line, x, y, kText, Align::Left);
    return y + lineHeight;
}

void Heading(const Frame& f, std::string_view text) {
    Text(f.cr, Font::SerifBold, 15, text, f.width / 2.0, 25, kText);
}

void HelpButtons(const Frame& f, int page) {
    DrawRound(f.cr, kHelpBack, f.height, Symbol::Left);
    DrawRound(f.cr, kHelpForward, f.height, Symbol::Right);
    DrawRound(f.cr, kHelpClose, f.height, Symbol::Cross);
    const ScreenRect forward = OnPanel(kHelpForward, f.height);
    // The page number in the text's own ink, so it reads at a glance.
    Text(f.cr, Font::SansBold, 12, std::to_string(page) + " / 3", forward.right + 26, forward.bottom - 5, kText);
}

void ShowStoryPage(const Frame& f) {
    cairo_t* cr = f.cr;
    DrawPanelFrame(f);
    Heading(f, "The story");
    FillCircle(cr, 45, 62, 23, Lighter(kHeart, 0.3));
    FillCircle(cr, 185, 62, 23, Lighter(kHeart, 0.3));
    FillCircle(cr, 115, 58, 25, Lighter(kSorceressRobe, 0.6));
    DrawFace(cr, Lover::Hero, 45, 62, 40);
    DrawFace(cr, Lover::Heroine, 185, 62, 40, true);
    DrawSorceress(cr, 115, 58, 44);
    double y = 106;
    y = Paragraph(cr, 14, y, 202, 13,
                  "Two lovers lived happily by the bog, until a jealous sorceress cast her spell. She tore them "
                  "apart and flung them to opposite sides of the bog.");
    Paragraph(cr, 14, y + 3, 202, 13,
              "Now he waits in the top left corner and she in the bottom right one. Only a path across the mire can "
              "bring them together again.");
    HelpButtons(f, 1);
}

void ShowGoalPage(const Frame& f) {
    cairo_t* cr = f.cr;
    DrawPanelFrame(f);
    Heading(f, "How to play");
    double y = Paragraph(cr, 14, 44, 202, 12,
                         "Join the opposite sides of the bog with a path, so that the lovers can meet.");
    // The six blocks, each a quarter turn on from the one before.
    for (int kind = 1; kind <= 6; ++kind) {
        cairo_save(cr);
        cairo_translate(cr, 14 + (kind - 1) * 23, y - 4);
        DrawBlock(cr, kind, 0, kBlockGround);
        cairo_restore(cr);
    }
    Paragraph(cr, 156, y + 5, 64, 12, "Tap a block to turn it.");
    y += 30;
    cairo_save(cr);
    cairo_translate(cr, 14, y);
    PaintBog(cr, 0, 0);
    DrawFlower(cr, 1.0);
    cairo_restore(cr);
    Paragraph(cr, 42, y + 8, 176, 12, "Tap a flower and it flies away, leaving a new block.");
    y += 36;
    const auto bogCell = [cr](double x, double cellY, int what) {
        cairo_save(cr);
        cairo_translate(cr, x, cellY);
        PaintBog(cr, 0, 0);
        if (what == 0) DrawFrog(cr, 1.0, 1.0);
        if (what == 1) DrawToadstool(cr, 1.0);
        cairo_restore(cr);
    };
    bogCell(14, y, 0);
    bogCell(14, y + 22, 1);
    Paragraph(cr, 42, y + 8, 176, 12,
              "Tap a creature and it curls into a ball that rolls off onto another block. Beware of frogs thrown "
              "by the spotted stones!");
    HelpButtons(f, 2);
}

void ShowButtonsPage(const Frame& f) {
    cairo_t* cr = f.cr;
    DrawPanelFrame(f);
    Heading(f, "Leaving the game");
    DrawRoundButton(cr, 26, 56, 11, Symbol::Dash, Press::Raised);
    double y = Paragraph(cr, 44, 52, 174, 12,
                         "The - button hides the game and keeps all your results. The game goes on when you bring its "
                         "window back or start the program again.");
    DrawRoundButton(cr, 26, y + 8, 11, Symbol::Cross, Press::Raised);
    y = Paragraph(cr, 44, y + 6, 174, 12, "The X button ends the game. All results are lost.");
    SetColour(cr, kHeart);
    HeartPath(cr, 104, y + 10, 22, 19);
    cairo_fill(cr);
    Text(cr, Font::SerifBoldItalic, 12, "May the lovers meet again!", f.width / 2.0, y + 48, kText);
    HelpButtons(f, 3);
}

void ShowAboutPage(const Frame& f) {
    cairo_t* cr = f.cr;
    DrawPanelFrame(f);
    SetColour(cr, kHeart);
    HeartPath(cr, 75, 26, 80, 70);
    cairo_fill(cr);
    DrawFace(cr, Lover::Hero, 100, 56, 30);
    DrawFace(cr, Lover::Heroine, 130, 56, 30);
    Text(cr, Font::SerifBoldItalic, 30, "Mirelink", f.width / 2.0, 132, kFrame);
    Text(cr, Font::Sans, 11, "A puzzle of paths through the bog", f.width / 2.0, 152, kText);
    Text(cr, Font::SansBold, 11, "Version 1.0", f.width / 2.0, 176, kText);
    Text(cr, Font::Sans, 10, "(c) 2026 the Mirelink project", f.width / 2.0, 192, kText);
    DrawRound(cr, kAboutClose, f.height, Symbol::Cross);
}

void ShowQuestion(const Frame& f, std::string_view question) {
    DrawPanelFrame(f);
    const double size = FitSize(f.cr, Font::SansBold, 14, question, f.width - 24);
    TextCentred(f.cr, Font::SansBold, size, question, f.width / 2.0, 48, kText);
    DrawAnswer(f.cr, kYes, f.height, "Yes");
    DrawAnswer(f.cr, kNo, f.height, "No");
}

void ShowNewLevel(const Frame& f) {
    DrawPanelFrame(f);
    SetColour(f.cr, kHeart);
    HeartPath(f.cr, 9, 23, 14, 12);
    cairo_fill(f.cr);
    Text(f.cr, Font::SansBold, 14, "Start new level", 89, 35, kText);
    DrawAnswer(f.cr, kOk, f.height, "OK");
}

}  // namespace

void AddPanelDrawings(Catalogue& catalogue) {
    catalogue.Add(pictures::kHelpPage1, ShowStoryPage, kParchment);
    catalogue.Add(pictures::kHelpPage2, ShowGoalPage, kParchment);
    catalogue.Add(pictures::kHelpPage3, ShowButtonsPage, kParchment);
    catalogue.Add(pictures::kAboutPage, ShowAboutPage, kParchment);
    catalogue.Add(pictures::kExitDialog, [](const Frame& f) { ShowQuestion(f, "Do you want to exit?"); }, kParchment);
    catalogue.Add(pictures::kStopDialog, [](const Frame& f) { ShowQuestion(f, "Do you want to stop a game?"); }, kParchment);
    catalogue.Add(pictures::kLevelCompletePanel, ShowNewLevel, kParchment);
}

}  // namespace art
