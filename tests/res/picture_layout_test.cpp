// Where things are drawn: the channels of the blocks, the turning direction,
// the home cells, the number boxes, and the panels' buttons under the
// rectangles the game listens to.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "embedded_pictures.h"

namespace res_test {
namespace {

using Openings = std::array<bool, 4>;  // top, right, bottom, left

bool PathGold(const Pixel32& p) { return p.red > 180 && p.green > 120 && p.red > p.blue + 80; }
int Brightness(const Decoded& picture) {
    int sum = 0;
    for (const Pixel32& p : picture.pixels) sum += p.red + p.green + p.blue;
    return sum;
}
bool Olive(const Pixel32& p) { return std::abs(p.red - p.green) < 30 && p.blue + 30 < p.green && p.red < 160; }

// An edge is open when both pixels in its middle show the path.
Openings OpeningsOf(int id) {
    const Decoded& cell = Picture(id);
    auto gold = [&](int x1, int y1, int x2, int y2) { return PathGold(cell.At(x1, y1)) && PathGold(cell.At(x2, y2)); };
    return {gold(9, 0, 10, 0), gold(19, 9, 19, 10), gold(9, 19, 10, 19), gold(0, 9, 0, 10)};
}

// Kinds 1 to 6: vertical, horizontal, top-right, right-bottom, bottom-left,
// left-top; the lit form of kind k is picture 314 + k.
constexpr int kPlainBlock[] = {185, 186, 187, 188, 189, 265};
constexpr Openings kKindOpenings[] = {{true, false, true, false}, {false, true, false, true},
                                      {true, true, false, false}, {false, true, true, false},
                                      {false, false, true, true}, {true, false, false, true}};

TEST(Blocks, ChannelsOpenWhereTheirKindOpensAndLitFormsGlowBrighter) {
    for (int kind = 1; kind <= 6; ++kind) {
        SCOPED_TRACE(kind);
        const int plain = kPlainBlock[kind - 1];
        EXPECT_EQ(OpeningsOf(plain), kKindOpenings[kind - 1]);
        EXPECT_EQ(OpeningsOf(314 + kind), kKindOpenings[kind - 1]);
        EXPECT_GT(CountIf(Picture(plain), 0, Olive), 120);
        EXPECT_GT(Brightness(Picture(314 + kind)) * 100, Brightness(Picture(plain)) * 120) << "a lit path stands out";
    }
}

TEST(Blocks, HomeCellsAreCornerPiecesTowardTheBoard) {
    EXPECT_EQ(OpeningsOf(341), (Openings{false, true, true, false}));  // the hero's: right and down
    EXPECT_EQ(OpeningsOf(342), (Openings{true, false, false, true}));  // the heroine's: left and up
    EXPECT_GT(Differing(Picture(337), 0, Picture(341), 0), 60) << "the hero's face is on his home cell";
}

// A turn goes clockwise: the first frame is still nearer the kind, the last
// nearer the next kind than the kind or the one before it, yet not there.
TEST(Blocks, TurningStripsTurnClockwiseTowardTheNextKind) {
    const int next[] = {2, 1, 4, 5, 6, 3};
    const int previous[] = {2, 1, 6, 3, 4, 5};
    for (int kind = 1; kind <= 6; ++kind) {
        SCOPED_TRACE(kind);
        const Decoded& strip = Picture(305 + kind);
        const Decoded& own = Picture(kPlainBlock[kind - 1]);
        const Decoded& after = Picture(kPlainBlock[next[kind - 1] - 1]);
        const Decoded& before = Picture(kPlainBlock[previous[kind - 1] - 1]);
        EXPECT_LT(Differing(strip, 0, own, 0), Differing(strip, 0, after, 0));
        EXPECT_LT(Differing(strip, 4, after, 0), Differing(strip, 4, own, 0));
        if (kind >= 3) {
            EXPECT_LT(Differing(strip, 4, after, 0), Differing(strip, 4, before, 0));
        }
        EXPECT_GT(Differing(strip, 4, after, 0), 0);
    }
}

// Frame 0 of a stone's strip is its corner picture in its own cell, nothing
// around it, so nothing jumps when it wakes.
TEST(Blocks, CornerStonesWakeAsTheirCornerPictures) {
    for (const auto& [strip, corner, cellX, cellY] : {std::array{347, 350, 20, 0}, std::array{348, 349, 0, 20}}) {
        EXPECT_EQ(CountWhite(Picture(corner), 0), 0);
        EXPECT_EQ(Differing(Picture(corner), 0, Picture(strip), 0, cellX, cellY), 0) << strip;
        EXPECT_EQ(CountWhite(Picture(strip), 0), 40 * 40 - 20 * 20) << strip;
    }
}

// The digits are drawn two pixels into the score box and five into the level
// box; a blank digit must vanish into the box.
TEST(ControlStrip, NumberBoxesHoldTheDigitCellsOnTheirBlankColour) {
    const Pixel32 blank = Picture(170).At(10, 0, 0);
    for (const auto& [id, left, cells] : {std::array{151, 2, 4}, std::array{299, 5, 2}}) {
        const Decoded& box = Picture(id);
        for (int y = 2; y < 26; ++y) {
            for (int x = left; x < left + 14 * cells; ++x) {
                ASSERT_TRUE(Same(box.At(x, y), blank)) << id << " at " << x << "," << y;
            }
        }
        EXPECT_FALSE(Same(box.At(0, 0), blank));
    }
}

// --- Panels: rolled in at x 5 with their bottom on screen row 240 ----------

struct Rect {
    int left, top, right, bottom;  // right and bottom outside
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

std::vector<Rect> OnPanel(const std::vector<Rect>& screen, int panelHeight) {
    const int dy = 241 - panelHeight;
    std::vector<Rect> rects;
    for (const Rect& r : screen) rects.push_back({r.left - 5, r.top - dy, r.right - 5, r.bottom - dy});
    return rects;
}

bool ButtonFace(const Pixel32& p) { return p.red > 150 && p.green > 90 && p.red > p.blue + 80; }

// Round buttons: every button pixel of the bottom band lies in one of the
// touch rectangles, and each rectangle holds its button.
TEST(Panels, HelpAndAboutPagesAreOpaqueWithTheirButtonsUnderTheirRectangles) {
    const std::vector<Rect> helpButtons{{16, 220, 40, 240}, {52, 220, 75, 240}, {180, 220, 230, 240}};
    struct Page {
        int id, bandTop;
        std::vector<Rect> buttons;
    };
    for (const Page& page : {Page{156, 200, helpButtons}, Page{289, 200, helpButtons}, Page{290, 200, helpButtons},
                             Page{296, 198, {{180, 215, 230, 240}}}}) {
        SCOPED_TRACE(page.id);
        const Decoded& panel = Picture(page.id);
        EXPECT_EQ(CountWhite(panel, 0), 0);
        const std::vector<Rect> rects = OnPanel(page.buttons, panel.height);
        std::vector<int> inRect(rects.size(), 0);
        for (int y = page.bandTop; y < panel.height; ++y) {
            for (int x = 0; x < panel.width; ++x) {
                if (!ButtonFace(panel.At(x, y))) continue;
                bool inside = false;
                for (std::size_t i = 0; i < rects.size(); ++i) {
                    if (rects[i].Contains(x, y)) inside = ++inRect[i] > 0;
                }
                EXPECT_TRUE(inside) << "button pixel outside every touch rectangle at " << x << "," << y;
            }
        }
        for (std::size_t i = 0; i < rects.size(); ++i) EXPECT_GT(inRect[i], 120) << "rect " << i;
    }
}

bool Parchment(const Pixel32& p, const Pixel32& ground) {
    return std::abs(p.red - ground.red) < 20 && std::abs(p.green - ground.green) < 20 &&
           std::abs(p.blue - ground.blue) < 20;
}

// Answer buttons: the whole touch rectangle is button, and the ring 4 to 8
// pixels round it is panel.
TEST(Panels, QuestionsAndNewLevelAreOpaqueWithTheirAnswersUnderTheirRectangles) {
    const std::vector<Rect> yesNo{{34, 191, 103, 215}, {142, 191, 211, 215}};
    for (const auto& [id, buttons] : {std::pair{160, yesNo}, std::pair{161, yesNo},
                                      std::pair{158, std::vector<Rect>{{162, 197, 229, 221}}}}) {
        SCOPED_TRACE(id);
        const Decoded& panel = Picture(id);
        EXPECT_EQ(CountWhite(panel, 0), 0);
        const Pixel32 ground = panel.At(20, panel.height / 2);
        const std::vector<Rect> rects = OnPanel(buttons, panel.height);
        for (int y = 0; y < panel.height; ++y) {
            for (int x = 0; x < panel.width; ++x) {
                bool inside = false, near = false, around = false;
                for (const Rect& r : rects) {
                    inside = inside || r.Contains(x, y);
                    near = near || r.Grown(3).Contains(x, y);
                    around = around || r.Grown(8).Contains(x, y);
                }
                ASSERT_FALSE(inside && Parchment(panel.At(x, y), ground)) << "no button at " << x << "," << y;
                ASSERT_FALSE(around && !near && ButtonFace(panel.At(x, y))) << "button at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace res_test
