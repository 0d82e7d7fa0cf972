// The see-through rules of the pictures: where pure white must be, where it
// must not be, and the masks and portraits that must line up with the title.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "embedded_pictures.h"

namespace res_test {
namespace {

bool Opaque(const Pixel32& p) { return !IsWhite(p); }

TEST(TitlePicture, TitleHasNoPureWhiteAndItsMaskIsAPureBlackHeartOnWhite) {
    EXPECT_EQ(CountWhite(Picture(167), 0), 0) << "the title covers the board";
    const Decoded& mask = Picture(360);
    EXPECT_EQ(CountIf(mask, 0, [](const Pixel32& p) { return !IsBlack(p) && !IsWhite(p); }), 0);
    const int black = CountIf(mask, 0, IsBlack);
    EXPECT_GT(black, 240 * 240 / 3);
    EXPECT_LT(black, 240 * 240 * 3 / 4);
    EXPECT_TRUE(IsWhite(mask.At(0, 0)) && IsWhite(mask.At(239, 0)) && IsBlack(mask.At(120, 150)));
}

// The intro shifts the colours outside the heart; the faces must not flicker.
TEST(TitlePicture, LoversPortraitsLieInsideTheHeartAndMatchTheTitle) {
    for (const auto& [id, left, top] : {std::array{354, 22, 70}, std::array{355, 118, 71}}) {
        SCOPED_TRACE(id);
        const Decoded& portrait = Picture(id);
        int opaque = 0, outsideHeart = 0, matching = 0;
        for (int y = 0; y < portrait.height; ++y) {
            for (int x = 0; x < portrait.width; ++x) {
                if (IsWhite(portrait.At(x, y))) continue;
                ++opaque;
                outsideHeart += !IsBlack(Picture(360).At(left + x, top + y));
                matching += Same(portrait.At(x, y), Picture(167).At(left + x, top + y));
            }
        }
        EXPECT_GT(opaque, portrait.width * portrait.height / 3);
        EXPECT_EQ(outsideHeart, 0);
        EXPECT_GE(matching * 100, opaque * 95);
    }
}

TEST(HeartMasks, ArePureBlackOnWhiteAndGrowFromSmallToTheWholeFrame) {
    const Decoded& masks = Picture(352);
    for (int frame = 0; frame < 15; ++frame) {
        SCOPED_TRACE(frame);
        ASSERT_EQ(CountIf(masks, frame, [](const Pixel32& p) { return !IsBlack(p) && !IsWhite(p); }), 0);
        if (frame == 0) continue;
        for (int y = 0; y < 180; ++y) {
            for (int x = 0; x < 200; ++x) {
                ASSERT_TRUE(!IsBlack(masks.At(frame - 1, x, y)) || IsBlack(masks.At(frame, x, y))) << x << "," << y;
            }
        }
        EXPECT_GT(CountIf(masks, frame, IsBlack), CountIf(masks, frame - 1, IsBlack));
    }
    const Box whole = BoxOf(masks, 14, IsBlack);
    EXPECT_EQ((std::array{whole.left, whole.top, whole.right, whole.bottom}), (std::array{0, 0, 199, 179}));
}

// Through the largest mask every pixel of the lovers' picture is drawn, the
// white ones included: none may show.
TEST(HeartMasks, LoversPictureHasNoWhiteUnderTheLargestMask) {
    const Decoded& masks = Picture(352);
    const Decoded& lovers = Picture(351);
    int whiteShown = 0;
    for (int y = 0; y < 180; ++y) {
        for (int x = 0; x < 200; ++x) whiteShown += IsBlack(masks.At(14, x, y)) && IsWhite(lovers.At(x, y));
    }
    EXPECT_EQ(whiteShown, 0);
    EXPECT_TRUE(IsWhite(lovers.At(0, 179))) << "on white outside its heart";
}

TEST(DigitStrip, IsOpaqueWithAPlainBlank) {
    const Decoded& digits = Picture(170);
    for (int frame = 0; frame < 11; ++frame) EXPECT_EQ(CountWhite(digits, frame), 0) << "frame " << frame;
    const Pixel32 blank = digits.At(10, 0, 0);
    EXPECT_EQ(CountIf(digits, 10, [&](const Pixel32& p) { return !Same(p, blank); }), 0);
}

// Every bog animation stands on the same ground as the bog cell: the edges
// of every frame are the tile's, and the frames shown alone are opaque.
TEST(BogAnimations, ShareTheBogCellAtTheirEdgesAndAreOpaque) {
    const Decoded& tile = Picture(136);
    EXPECT_EQ(CountWhite(tile, 0), 0);
    for (int id : {300, 301, 302, 303, 312, 313, 314, 343, 344}) {
        const Decoded& strip = Picture(id);
        for (int frame = 0; frame < strip.frames; ++frame) {
            SCOPED_TRACE(std::to_string(id) + " frame " + std::to_string(frame));
            EXPECT_EQ(CountWhite(strip, frame), 0);
            for (int y = 0; y < 20; ++y) {
                ASSERT_TRUE(Same(strip.At(frame, 0, y), tile.At(0, y)) && Same(strip.At(frame, 19, y), tile.At(19, y)))
                    << "row " << y;
            }
        }
    }
}

TEST(BogAnimations, EndOnTheirWaitPictures) {
    // The leaving animations end on bare reeds: the bog cell itself.
    for (const auto& [id, frame] : {std::pair{301, 12}, std::pair{303, 11}, std::pair{344, 12}}) {
        EXPECT_EQ(Differing(Picture(id), frame, Picture(136), 0), 0) << id;
    }
    // A resting frog dozes and wakes from the same picture it rose to.
    EXPECT_EQ(Differing(Picture(302), 11, Picture(312), 0), 0);
    EXPECT_EQ(Differing(Picture(302), 11, Picture(313), 6), 0);
}

TEST(BogAnimations, BushAndBloomsCoverTheCellWhenShownAlone) {
    EXPECT_GT(CountWhite(Picture(321), 0), 200) << "a small bush over the bog";
    EXPECT_EQ(CountWhite(Picture(321), 10), 0);
    for (int id = 322; id <= 326; ++id) {
        for (int frame = 0; frame < 7; ++frame) EXPECT_EQ(CountWhite(Picture(id), frame), 0) << id;
    }
}

TEST(Sprites, BallsButterflyAndWalkersAreSeeThroughAroundTheirShapes) {
    std::vector<std::pair<int, int>> frames{{304, 19}, {345, 0}};
    for (int frame = 0; frame < 16; ++frame) frames.emplace_back(305, frame);
    for (int id : {327, 328, 329, 330, 331, 332, 335, 336}) frames.insert(frames.end(), {{id, 0}, {id, 1}});
    for (const auto& [id, frame] : frames) {
        const Decoded& p = Picture(id);
        const int w = p.width - 1, h = p.FrameHeight() - 1;
        EXPECT_TRUE(IsWhite(p.At(frame, 0, 0)) && IsWhite(p.At(frame, w, 0)) && IsWhite(p.At(frame, 0, h)) &&
                    IsWhite(p.At(frame, w, h)))
            << id << " frame " << frame;
        EXPECT_GT(CountIf(p, frame, Opaque), p.width * p.FrameHeight() / 10) << id << " frame " << frame;
    }
}

// A thrown ball rolls off from the picture shown before it without a jump:
// the pair's second ball (frame 0, drawn over the first) from the curled
// frog; a stone's ball (frame 8) from the ball the stone leaves in its cell,
// (200, 0) + (20, 0) and (0, 200) + (0, 20) on the screen.
TEST(Balls, RollOffFromTheCurledFrogAndTheStonesWithoutAJump) {
    const Decoded& ball = Picture(305);
    EXPECT_EQ(Differing(Picture(304), 19, ball, 0), 0);
    for (const auto& [id, x, y] : {std::tuple{347, 20, 0}, std::tuple{348, 0, 20}}) {
        const Decoded& stone = Picture(id);
        EXPECT_EQ(Differing(ball, 8, stone, 11, x, y), 0) << id;
        EXPECT_EQ(CountIf(stone, 11, Opaque), CountIf(ball, 8, Opaque)) << id << ": the ball alone";
    }
}

// The shrinking portraits take over the faces where their flight ends, and
// end in the lovers' home cells. The hero's frame is drawn at (0, 0) while
// his flight ends at (4, 1); the heroine's is drawn where hers ends, at
// (133, 125), her home cell being (220, 220)-(239, 239).
TEST(Faces, ShrinkingPortraitsStartWhereTheFlightEndsAndEndInTheHomeCells) {
    const Decoded& hero = Picture(357);
    const Decoded& heroine = Picture(358);
    // Frame 0 is the portrait moved by (dx, dy), white around it.
    auto startsAs = [](const Decoded& shrinking, const Decoded& portrait, int dx, int dy) {
        for (int y = 0; y < shrinking.FrameHeight(); ++y) {
            for (int x = 0; x < shrinking.width; ++x) {
                const int px = x - dx, py = y - dy;
                const bool inside = px >= 0 && py >= 0 && px < portrait.width && py < portrait.height;
                const Pixel32& p = shrinking.At(0, x, y);
                if (!(inside ? Same(p, portrait.At(px, py)) : IsWhite(p))) return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(startsAs(hero, Picture(354), 4, 1));
    EXPECT_TRUE(startsAs(heroine, Picture(355), 0, 0));
    const Box heroEnd = BoxOf(hero, 9, Opaque);
    EXPECT_TRUE(heroEnd.left >= 0 && heroEnd.right <= 19 && heroEnd.bottom <= 19);
    const Box heroineEnd = BoxOf(heroine, 9, Opaque);
    EXPECT_TRUE(133 + heroineEnd.left >= 220 && 125 + heroineEnd.top >= 220 && 133 + heroineEnd.right <= 239 &&
                125 + heroineEnd.bottom <= 239);
}

}  // namespace
}  // namespace res_test
