// What the pictures must keep with the game: the blocks' openings,
// where pure white (see-through) must and must not be, the masks, pictures
// that follow one another without a jump, the number boxes, and the panels'
// buttons under the rectangles the game listens to.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

#include "board/board.h"
#include "embedded_pictures.h"
#include "state/game_state.h"
#include "gfx/layout.h"

namespace res_test {
namespace {

bool Opaque(const Pixel32& p) { return !IsWhite(p); }
bool Grey(const Pixel32& p) { return !IsBlack(p) && !IsWhite(p); }

using Openings = std::array<bool, 4>;  // top, right, bottom, left

bool PathGold(const Pixel32& p) { return p.red > 180 && p.green > 120 && p.red > p.blue + 80; }
bool Olive(const Pixel32& p) { return std::abs(p.red - p.green) < 30 && p.blue + 30 < p.green && p.red < 160; }
int Brightness(const Decoded& picture) {
    int sum = 0;
    for (const Pixel32& p : picture.pixels) sum += p.red + p.green + p.blue;
    return sum;
}

// An edge is open when both pixels in its middle show the path.
Openings OpeningsOf(int id) {
    const Decoded& cell = Picture(id);
    auto gold = [&](int x1, int y1, int x2, int y2) { return PathGold(cell.At(x1, y1)) && PathGold(cell.At(x2, y2)); };
    return {gold(9, 0, 10, 0), gold(19, 9, 19, 10), gold(9, 19, 10, 19), gold(0, 9, 0, 10)};
}

// Kinds 1 to 6: vertical, horizontal, top-right, right-bottom, bottom-left,
// left-top; the lit form of kind k is the picture six further on.
constexpr Openings kKindOpenings[] = {{true, false, true, false}, {false, true, false, true},
                                      {true, true, false, false}, {false, true, true, false},
                                      {false, false, true, true}, {true, false, false, true}};

TEST(Blocks, ChannelsOpenWhereTheirKindOpensLitFormsGlowAndHomesOpenTowardTheBoard) {
    for (int kind = 1; kind <= 6; ++kind) {
        const int plain = kBlockPictureIds[kind - 1], lit = kBlockPictureIds[kind + 5];
        EXPECT_EQ(OpeningsOf(plain), kKindOpenings[kind - 1]) << kind;
        EXPECT_EQ(OpeningsOf(lit), kKindOpenings[kind - 1]) << kind;
        EXPECT_GT(CountIf(Picture(plain), 0, Olive), 120) << kind;
        EXPECT_GT(Brightness(Picture(lit)) * 100, Brightness(Picture(plain)) * 120) << "a lit path stands out";
    }
    EXPECT_EQ(OpeningsOf(kHeroHomeEmptyPicture), (Openings{false, true, true, false}));     // right and down
    EXPECT_EQ(OpeningsOf(kHeroineHomeEmptyPicture), (Openings{true, false, false, true}));  // left and up
    EXPECT_GT(Differing(Picture(kHeroHomePicture), 0, Picture(kHeroHomeEmptyPicture), 0), 60)
        << "the hero's face is on his home cell";
}

// Drawn as they are, over whatever lies below: no pure white, which the
// screen would leave showing through. The bog animations also stand on the
// bog cell's own edges.
TEST(SeeThrough, PicturesShownAloneHaveNoPureWhite) {
    std::vector<std::pair<int, int>> frames{{kTitlePicture, 0}, {136, 0}, {321, 10}, {kBottomLeftStonePicture, 0}, {kTopRightStonePicture, 0}};
    for (int id : {170, 300, 301, 302, 303, 312, 313, 314, 343, 344, 322, 323, 324, 325, 326}) {
        for (int frame = 0; frame < Picture(id).frames; ++frame) frames.emplace_back(id, frame);
    }
    for (const auto& [id, frame] : frames) EXPECT_EQ(CountWhite(Picture(id), frame), 0) << id << " frame " << frame;
    const Decoded& tile = Picture(136);
    for (int id : {300, 301, 302, 303, 312, 313, 314, 343, 344}) {
        for (int frame = 0; frame < Picture(id).frames; ++frame) {
            for (int y = 0; y < 20; ++y) {
                ASSERT_TRUE(Same(Picture(id).At(frame, 0, y), tile.At(0, y)) &&
                            Same(Picture(id).At(frame, 19, y), tile.At(19, y)))
                    << id << " frame " << frame << " row " << y;
            }
        }
    }
}

TEST(SeeThrough, SpritesAreSeeThroughAroundTheirShapes) {
    std::vector<std::pair<int, int>> frames{{304, 19}, {345, 0}};
    for (int frame = 0; frame < Picture(305).frames; ++frame) frames.emplace_back(305, frame);
    for (int id : {327, 328, 329, 330, 331, 332, 335, 336}) frames.insert(frames.end(), {{id, 0}, {id, 1}});
    for (const auto& [id, frame] : frames) {
        const Decoded& p = Picture(id);
        const int w = p.width - 1, h = p.FrameHeight() - 1;
        EXPECT_TRUE(IsWhite(p.At(frame, 0, 0)) && IsWhite(p.At(frame, w, 0)) && IsWhite(p.At(frame, 0, h)) &&
                    IsWhite(p.At(frame, w, h)))
            << id << " frame " << frame;
        EXPECT_GT(CountIf(p, frame, Opaque), p.width * p.FrameHeight() / 10) << id << " frame " << frame;
    }
    EXPECT_GT(CountWhite(Picture(321), 0), 200) << "a small bush over the bog";
    // In the screen's right column the game cuts a walker's last five columns.
    for (const auto& [id, frame] : frames) {
        if (id >= 327) {
            EXPECT_LE(BoxOf(Picture(id), frame, Opaque).right, 24) << id << " frame " << frame;
        }
    }
}

// Pictures that follow one another on screen match where they meet, and the
// later one holds nothing else, so that nothing jumps: a's frame with its top
// left on (x, y) of b's frame.
TEST(Continuity, PicturesThatFollowEachOtherMatch) {
    const struct { int a, frameA, b, frameB, x, y; } pairs[] = {
        {136, 0, 301, 12, 0, 0}, {136, 0, 303, 11, 0, 0}, {136, 0, 344, 12, 0, 0},  // leaving: bare reeds
        {302, 11, 312, 0, 0, 0}, {302, 11, 313, 6, 0, 0},    // a resting frog dozes and wakes as it rose
        {304, 19, 305, 0, 0, 0},                             // the curled frog's second ball rolls off
        {305, 8, 347, 11, 20, 0}, {305, 8, 348, 11, 0, 20},  // a stone's ball, screen (200, 0) + (20, 0)
        {kTopRightStonePicture, 0, 347, 0, 20, 0}, {kBottomLeftStonePicture, 0, 348, 0, 0, 20},  // the stones wake as their corner pictures
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(::testing::Message() << p.a << " frame " << p.frameA << " in " << p.b << " frame " << p.frameB);
        EXPECT_EQ(Differing(Picture(p.a), p.frameA, Picture(p.b), p.frameB, p.x, p.y), 0);
        EXPECT_EQ(CountIf(Picture(p.b), p.frameB, Opaque), CountIf(Picture(p.a), p.frameA, Opaque));
    }
    // The faces shrink from where their flight ends and end in the lovers'
    // home cells. The hero's frame is drawn at (0, 0) while his flight ends at
    // (4, 1); the heroine's where hers ends, at (133, 125), her home cell being
    // (220, 220)-(239, 239). Frame 0 is the portrait moved by (dx, dy), white
    // around it.
    for (const auto& [shrinking, portrait, dx, dy] : {std::array{357, 354, 4, 1}, std::array{358, 355, 0, 0}}) {
        const Decoded& s = Picture(shrinking);
        const Decoded& p = Picture(portrait);
        for (int y = 0; y < s.FrameHeight(); ++y) {
            for (int x = 0; x < s.width; ++x) {
                const int px = x - dx, py = y - dy;
                const bool inside = px >= 0 && py >= 0 && px < p.width && py < p.height;
                ASSERT_TRUE(inside ? Same(s.At(0, x, y), p.At(px, py)) : IsWhite(s.At(0, x, y))) << x << "," << y;
            }
        }
    }
    const Box hero = BoxOf(Picture(357), 9, Opaque);
    EXPECT_TRUE(hero.left >= 0 && hero.right <= 19 && hero.bottom <= 19);
    const Box heroine = BoxOf(Picture(358), 9, Opaque);
    EXPECT_TRUE(133 + heroine.left >= 220 && 125 + heroine.top >= 220 && 133 + heroine.right <= 239 &&
                125 + heroine.bottom <= 239);
}

// The title's mask is a pure black heart on white; the heart masks are pure
// black on white and grow from small to the whole frame.
TEST(Masks, ArePureBlackOnWhiteAndTheHeartsGrowToTheWholeFrame) {
    const Decoded& title = Picture(360);
    EXPECT_EQ(CountIf(title, 0, Grey), 0);
    const int black = CountIf(title, 0, IsBlack);
    EXPECT_TRUE(black > title.width * title.height / 3 && black < title.width * title.height * 3 / 4) << black;
    EXPECT_TRUE(IsWhite(title.At(0, 0)) && IsWhite(title.At(title.width - 1, 0)) && IsBlack(title.At(120, 150)));
    const Decoded& masks = Picture(352);
    for (int frame = 0; frame < masks.frames; ++frame) {
        ASSERT_EQ(CountIf(masks, frame, Grey), 0) << frame;
        if (frame == 0) continue;
        for (int y = 0; y < masks.FrameHeight(); ++y) {
            for (int x = 0; x < masks.width; ++x) {
                ASSERT_TRUE(!IsBlack(masks.At(frame - 1, x, y)) || IsBlack(masks.At(frame, x, y))) << x << "," << y;
            }
        }
        EXPECT_GT(CountIf(masks, frame, IsBlack), CountIf(masks, frame - 1, IsBlack)) << frame;
    }
    const Box whole = BoxOf(masks, masks.frames - 1, IsBlack);
    EXPECT_EQ((std::array{whole.left, whole.top, whole.right, whole.bottom}),
              (std::array{0, 0, masks.width - 1, masks.FrameHeight() - 1}));
}

// The intro shifts the colours outside the heart: the faces must lie inside
// it and match the title, or they would flicker. Through the largest heart
// mask every pixel of the lovers' picture is drawn, white ones included:
// none may show.
TEST(Masks, TheLoversLieInsideTheirHearts) {
    for (const auto& [id, left, top] : {std::array{354, 22, 70}, std::array{355, 118, 71}}) {
        const Decoded& portrait = Picture(id);
        int opaque = 0, outsideHeart = 0, matching = 0;
        for (int y = 0; y < portrait.height; ++y) {
            for (int x = 0; x < portrait.width; ++x) {
                if (IsWhite(portrait.At(x, y))) continue;
                ++opaque;
                outsideHeart += !IsBlack(Picture(360).At(left + x, top + y));
                matching += Same(portrait.At(x, y), Picture(kTitlePicture).At(left + x, top + y));
            }
        }
        EXPECT_GT(opaque, portrait.width * portrait.height / 3) << id;
        EXPECT_EQ(outsideHeart, 0) << id;
        EXPECT_GE(matching * 100, opaque * 95) << id;
    }
    const Decoded& masks = Picture(352);
    int whiteShown = 0;
    for (int y = 0; y < masks.FrameHeight(); ++y) {
        for (int x = 0; x < masks.width; ++x) whiteShown += IsBlack(masks.At(masks.frames - 1, x, y)) && IsWhite(Picture(351).At(x, y));
    }
    EXPECT_EQ(whiteShown, 0);
    EXPECT_TRUE(IsWhite(Picture(351).At(0, masks.FrameHeight() - 1))) << "on white outside its heart";
}

// The digits are drawn two pixels into the score box and five into the level
// box; a blank digit, all of one colour, must vanish into the box.
TEST(ControlStrip, NumberBoxesHoldTheDigitCellsOnTheirBlankColour) {
    const int blankFrame = kDigitFrames - 1;
    const Pixel32 blank = Picture(kDigitStrip).At(blankFrame, 0, 0);
    EXPECT_EQ(CountIf(Picture(kDigitStrip), blankFrame, [&](const Pixel32& p) { return !Same(p, blank); }), 0);
    for (const auto& [box, fieldX, fieldY, cells] : {std::tuple{kScoreBox, kScoreFieldX, kScoreFieldY, 4},
                                                     std::tuple{kLevelBox, kLevelFieldX, kLevelFieldY, kLevelFieldCells}}) {
        const int id = box.id, left = fieldX - box.x, top = fieldY - box.y;
        for (int y = top; y < top + kDigitHeight; ++y) {
            for (int x = left; x < left + kDigitWidth * cells; ++x) {
                ASSERT_TRUE(Same(Picture(id).At(x, y), blank)) << id << " at " << x << "," << y;
            }
        }
        EXPECT_FALSE(Same(Picture(id).At(0, 0), blank));
    }
}

// --- Panels, resting on the screen where the game rolls them in ------------

struct Rect {
    int left, top, right, bottom;  // right and bottom outside
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// The game's touch rectangles in the coordinates of a panel `panelHeight` high.
std::vector<Rect> OnPanel(const std::vector<RECT>& screen, int panelHeight) {
    const int dy = kPanelBottomY + 1 - panelHeight;
    std::vector<Rect> rects;
    for (const RECT& r : screen) rects.push_back({r.left - kPanelX, r.top - dy, r.right - kPanelX, r.bottom - dy});
    return rects;
}

bool ButtonFace(const Pixel32& p) { return p.red > 150 && p.green > 90 && p.red > p.blue + 80; }

// Round buttons: every button pixel of the bottom band lies in one of the
// touch rectangles, and each rectangle holds its button.
TEST(Panels, HelpAndAboutPagesAreOpaqueWithTheirButtonsUnderTheirRectangles) {
    const std::vector<RECT> helpButtons{kPrevPageRect, kNextPageRect, kHelpCloseRect};
    struct Page {
        int id, bandTop;
        std::vector<RECT> buttons;
    };
    std::vector<Page> pages{{kAboutPage, 198, {kAboutCloseRect}}};
    for (const int id : kHelpPages) pages.push_back({id, 200, helpButtons});
    for (const Page& page : pages) {
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
    const std::vector<RECT> yesNo{kDialogYesRect, kDialogNoRect};
    for (const auto& [id, buttons] : {std::pair{kExitDialog, yesNo}, std::pair{kStopDialog, yesNo},
                                      std::pair{kLevelCompletePanel, std::vector<RECT>{kNextLevelOkRect}}}) {
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
