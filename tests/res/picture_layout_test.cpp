// Where things are drawn: the channels of the blocks, the turning direction,
// the home cells, the number boxes, and the panels' buttons under the
// rectangles the game listens to.
#include <gtest/gtest.h>

#include <cstdlib>

#include "embedded_pictures.h"

namespace res_test {
namespace {

enum Side { Top, Right, Bottom, Left };

bool PathGold(const Pixel32& p) { return p.red > 180 && p.green > 120 && p.red > p.blue + 80; }

// Both pixels in the middle of an edge show the path.
bool OpensTo(const Decoded& cell, int frame, Side side) {
    auto gold = [&](int x, int y) { return PathGold(cell.At(frame, x, y)); };
    switch (side) {
        case Top: return gold(9, 0) && gold(10, 0);
        case Right: return gold(19, 9) && gold(19, 10);
        case Bottom: return gold(9, 19) && gold(10, 19);
        case Left: return gold(0, 9) && gold(0, 10);
    }
    return false;
}

struct Openings {
    bool top, right, bottom, left;
};
// Kinds 1 to 6: vertical, horizontal, top-right, right-bottom, bottom-left,
// left-top.
constexpr Openings kKindOpenings[] = {{true, false, true, false}, {false, true, false, true},
                                      {true, true, false, false}, {false, true, true, false},
                                      {false, false, true, true}, {true, false, false, true}};

void ExpectOpenings(int id, const Openings& open) {
    const Decoded& cell = Picture(id);
    EXPECT_EQ(OpensTo(cell, 0, Top), open.top) << id << " top";
    EXPECT_EQ(OpensTo(cell, 0, Right), open.right) << id << " right";
    EXPECT_EQ(OpensTo(cell, 0, Bottom), open.bottom) << id << " bottom";
    EXPECT_EQ(OpensTo(cell, 0, Left), open.left) << id << " left";
}

TEST(Blocks, ChannelsOpenExactlyWhereTheirKindOpens) {
    const int plain[] = {185, 186, 187, 188, 189, 265};
    for (int kind = 1; kind <= 6; ++kind) {
        ExpectOpenings(plain[kind - 1], kKindOpenings[kind - 1]);
        ExpectOpenings(314 + kind, kKindOpenings[kind - 1]);  // the lit forms
    }
}

bool BrightGreen(const Pixel32& p) { return p.green > p.red + 50 && p.green > p.blue + 50; }
bool Olive(const Pixel32& p) { return std::abs(p.red - p.green) < 30 && p.blue + 30 < p.green && p.red < 160; }

TEST(Blocks, LitFormsStandOnBrightGreenAndPlainOnesOnOlive) {
    const int plain[] = {185, 186, 187, 188, 189, 265};
    for (int kind = 1; kind <= 6; ++kind) {
        int litGreen = 0, plainOlive = 0, plainGreen = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                litGreen += BrightGreen(Picture(314 + kind).At(x, y));
                plainOlive += Olive(Picture(plain[kind - 1]).At(x, y));
                plainGreen += BrightGreen(Picture(plain[kind - 1]).At(x, y));
            }
        }
        EXPECT_GT(litGreen, 120) << kind;
        EXPECT_GT(plainOlive, 120) << kind;
        EXPECT_EQ(plainGreen, 0) << kind;
    }
}

TEST(Blocks, HomeCellsAreCornerPiecesTowardTheBoard) {
    const Openings heroHome{false, true, true, false};    // right and down
    const Openings heroineHome{true, false, false, true};  // left and up
    ExpectOpenings(341, heroHome);
    ExpectOpenings(342, heroineHome);
    const Decoded& withHero = Picture(337);
    const Decoded& without = Picture(341);
    int differing = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) differing += !Same(withHero.At(x, y), without.At(x, y));
    }
    EXPECT_GT(differing, 60);  // the face is there
}

int Difference(const Decoded& a, int frameA, const Decoded& b) {
    int differing = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) differing += !Same(a.At(frameA, x, y), b.At(0, x, y));
    }
    return differing;
}

// A turn goes clockwise from the kind toward the next: the first frame is
// still nearer the kind, the last is nearer the next kind than the kind or
// the one before it.
TEST(Blocks, TurningStripsTurnClockwiseTowardTheNextKind) {
    const int picture[] = {185, 186, 187, 188, 189, 265};
    const int next[] = {2, 1, 4, 5, 6, 3};
    const int previous[] = {2, 1, 6, 3, 4, 5};
    for (int kind = 1; kind <= 6; ++kind) {
        const Decoded& strip = Picture(305 + kind);
        const Decoded& own = Picture(picture[kind - 1]);
        const Decoded& after = Picture(picture[next[kind - 1] - 1]);
        const Decoded& before = Picture(picture[previous[kind - 1] - 1]);
        EXPECT_LT(Difference(strip, 0, own), Difference(strip, 0, after)) << kind;
        EXPECT_LT(Difference(strip, 4, after), Difference(strip, 4, own)) << kind;
        if (kind >= 3) {
            EXPECT_LT(Difference(strip, 4, after), Difference(strip, 4, before)) << kind;
        }
        EXPECT_GT(Difference(strip, 4, after), 0) << kind << " ends one step short of the next kind";
    }
}

TEST(Blocks, CornerStonesAreOpaqueAndHatchFromTheirOwnCorner) {
    EXPECT_FALSE(IsWhite(Picture(349).At(0, 0)));
    EXPECT_FALSE(IsWhite(Picture(350).At(19, 0)));
    // Frame 0: the stone in its own cell of the 40x40 frame, nothing opposite.
    const Decoded& topRight = Picture(347);
    const Decoded& bottomLeft = Picture(348);
    EXPECT_FALSE(IsWhite(topRight.At(0, 30, 10)));
    EXPECT_TRUE(IsWhite(topRight.At(0, 10, 30)));
    EXPECT_FALSE(IsWhite(bottomLeft.At(0, 10, 30)));
    EXPECT_TRUE(IsWhite(bottomLeft.At(0, 30, 10)));
}

// The digits are drawn two pixels into the score box and five into the level
// box; a blank digit must vanish into the box.
TEST(ControlStrip, NumberBoxesHoldTheDigitCellsOnTheirBlankColour) {
    const Pixel32 blank = Picture(170).At(10, 0, 0);
    struct Field {
        int box, left, cells;
    };
    for (const Field& field : {Field{151, 2, 4}, Field{299, 5, 2}}) {
        const Decoded& box = Picture(field.box);
        for (int y = 2; y < 26; ++y) {
            for (int x = field.left; x < field.left + 14 * field.cells; ++x) {
                ASSERT_TRUE(Same(box.At(x, y), blank)) << field.box << " at " << x << "," << y;
            }
        }
        EXPECT_FALSE(Same(box.At(0, 0), blank));
    }
}

TEST(ControlStrip, PressedButtonsLookPushedIn) {
    for (const auto& [raised, pressed] : {std::pair{141, 143}, std::pair{250, 251}, std::pair{144, 145},
                                          std::pair{146, 148}, std::pair{152, 153}, std::pair{154, 155}}) {
        const Decoded& up = Picture(raised);
        const Decoded& down = Picture(pressed);
        int differing = 0, darker = 0;
        for (int y = 0; y < up.height; ++y) {
            for (int x = 0; x < up.width; ++x) {
                differing += !Same(up.At(x, y), down.At(x, y));
                darker += down.At(x, y).red + down.At(x, y).green < up.At(x, y).red + up.At(x, y).green;
            }
        }
        EXPECT_GT(differing, up.width * up.height / 4) << raised;
        EXPECT_GT(darker, differing / 2) << pressed << " is not darker";
        EXPECT_TRUE(IsWhite(up.At(0, 0))) << raised << " corners see-through";
    }
}

// --- Panels -------------------------------------------------------------

struct Rect {
    int left, top, right, bottom;  // right and bottom outside
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Panels are rolled in at x 5 with their bottom on screen row 240.
Rect OnPanel(Rect screen, int panelHeight) {
    const int dy = 241 - panelHeight;
    return {screen.left - 5, screen.top - dy, screen.right - 5, screen.bottom - dy};
}

bool ButtonFace(const Pixel32& p) { return p.red > 150 && p.green > 90 && p.red > p.blue + 80; }

// Round buttons: every button pixel of the bottom band lies in one of the
// touch rectangles, and each rectangle holds its button.
void ExpectRoundButtonsInside(int id, int bandTop, std::initializer_list<Rect> screenRects) {
    const Decoded& panel = Picture(id);
    std::vector<Rect> rects;
    for (const Rect& r : screenRects) rects.push_back(OnPanel(r, panel.height));
    std::vector<int> inRect(rects.size(), 0);
    for (int y = bandTop; y < panel.height; ++y) {
        for (int x = 0; x < panel.width; ++x) {
            if (!ButtonFace(panel.At(x, y))) continue;
            bool inside = false;
            for (std::size_t i = 0; i < rects.size(); ++i) {
                if (rects[i].Contains(x, y)) {
                    inside = true;
                    ++inRect[i];
                }
            }
            EXPECT_TRUE(inside) << id << ": button pixel outside every touch rectangle at " << x << "," << y;
        }
    }
    for (std::size_t i = 0; i < rects.size(); ++i) EXPECT_GT(inRect[i], 120) << id << " rect " << i;
}

constexpr Rect kHelpBack{16, 220, 40, 240};
constexpr Rect kHelpForward{52, 220, 75, 240};
constexpr Rect kHelpClose{180, 220, 230, 240};

TEST(Panels, HelpPagesHaveTheirPageAndCloseButtonsUnderTheirRectangles) {
    for (int id : {156, 289, 290}) ExpectRoundButtonsInside(id, 200, {kHelpBack, kHelpForward, kHelpClose});
}

TEST(Panels, AboutPageHasItsCloseButtonUnderItsRectangle) {
    ExpectRoundButtonsInside(296, 198, {Rect{180, 215, 230, 240}});
}

bool Parchment(const Pixel32& p, const Pixel32& ground) {
    return std::abs(p.red - ground.red) < 20 && std::abs(p.green - ground.green) < 20 &&
           std::abs(p.blue - ground.blue) < 20;
}

// Answer buttons: the whole touch rectangle is button, and round it the
// button goes no further than a few pixels beyond it.
void ExpectAnswerButtons(int id, std::initializer_list<Rect> screenRects) {
    const Decoded& panel = Picture(id);
    const Pixel32 ground = panel.At(20, panel.height / 2);
    std::vector<Rect> rects;
    for (const Rect& r : screenRects) rects.push_back(OnPanel(r, panel.height));
    auto grown = [](const Rect& r, int by) { return Rect{r.left - by, r.top - by, r.right + by, r.bottom + by}; };
    for (int y = 0; y < panel.height; ++y) {
        for (int x = 0; x < panel.width; ++x) {
            bool inside = false, near = false, around = false;
            for (const Rect& r : rects) {
                inside = inside || r.Contains(x, y);
                near = near || grown(r, 3).Contains(x, y);
                around = around || grown(r, 8).Contains(x, y);
            }
            if (!around) continue;
            if (inside) {
                ASSERT_FALSE(Parchment(panel.At(x, y), ground)) << id << ": no button at " << x << "," << y;
            }
            if (!near) {  // the ring 4 to 8 pixels out is panel
                ASSERT_FALSE(ButtonFace(panel.At(x, y))) << id << ": button face at " << x << "," << y;
            }
        }
    }
}

constexpr Rect kYes{34, 191, 103, 215};
constexpr Rect kNo{142, 191, 211, 215};

TEST(Panels, QuestionsHaveYesAndNoUnderTheirRectangles) {
    ExpectAnswerButtons(160, {kYes, kNo});
    ExpectAnswerButtons(161, {kYes, kNo});
}

TEST(Panels, NewLevelPanelHasOkUnderItsRectangle) { ExpectAnswerButtons(158, {Rect{162, 197, 229, 221}}); }

TEST(Panels, AreOpaque) {
    for (int id : {156, 158, 160, 161, 289, 290, 296}) {
        const Decoded& panel = Picture(id);
        int white = 0;
        for (const Pixel32& p : panel.pixels) white += IsWhite(p);
        EXPECT_EQ(white, 0) << id;
    }
}

}  // namespace
}  // namespace res_test
