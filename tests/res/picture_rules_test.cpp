// The see-through rules of the pictures: where pure white must be, where it
// must not be, and the masks and portraits that must line up with the title.
#include <gtest/gtest.h>

#include <algorithm>

#include "embedded_pictures.h"

namespace res_test {
namespace {

int CountWhite(const Decoded& picture, int frame) {
    int count = 0;
    for (int y = 0; y < picture.FrameHeight(); ++y) {
        for (int x = 0; x < picture.width; ++x) count += IsWhite(picture.At(frame, x, y));
    }
    return count;
}

bool HeartRed(const Pixel32& p) { return p.red > 110 && p.red > p.green + 60 && p.red > p.blue + 60; }

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;  // inclusive
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

template <typename Test>
Box BoxOf(const Decoded& picture, int frame, Test inside) {
    Box box;
    for (int y = 0; y < picture.FrameHeight(); ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!inside(picture.At(frame, x, y))) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
        }
    }
    return box;
}

Box OpaqueBox(const Decoded& picture, int frame) {
    return BoxOf(picture, frame, [](const Pixel32& p) { return !IsWhite(p); });
}

TEST(TitlePicture, HasNoPureWhiteSoItCoversTheBoard) { EXPECT_EQ(CountWhite(Picture(167), 0), 0); }

TEST(TitlePicture, MaskIsPureBlackHeartOnPureWhite) {
    const Decoded& mask = Picture(360);
    int black = 0;
    for (const Pixel32& p : mask.pixels) {
        ASSERT_TRUE(IsBlack(p) || IsWhite(p));
        black += IsBlack(p);
    }
    EXPECT_GT(black, 240 * 240 / 3);
    EXPECT_LT(black, 240 * 240 * 3 / 4);
    EXPECT_TRUE(IsWhite(mask.At(0, 0)));
    EXPECT_TRUE(IsWhite(mask.At(239, 0)));
    EXPECT_TRUE(IsBlack(mask.At(120, 150)));
}

// Along the mask's edge the title shows its red heart just inside and the
// bog a little outside, so the two hearts coincide.
TEST(TitlePicture, MaskHeartCoincidesWithTheTitleHeart) {
    const Decoded& mask = Picture(360);
    const Decoded& title = Picture(167);
    auto black = [&](int x, int y) { return x >= 0 && y >= 0 && x < 240 && y < 240 && IsBlack(mask.At(x, y)); };
    int rim = 0, redRim = 0, outside = 0, redOutside = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 240; ++x) {
            const bool nearWhite = !black(x - 1, y) || !black(x + 1, y) || !black(x, y - 1) || !black(x, y + 1);
            const bool blackWithin2 = black(x - 2, y) || black(x + 2, y) || black(x, y - 2) || black(x, y + 2);
            const bool blackWithin1 = black(x - 1, y) || black(x + 1, y) || black(x, y - 1) || black(x, y + 1);
            if (black(x, y) && nearWhite) {
                ++rim;
                redRim += HeartRed(title.At(x, y));
            } else if (!black(x, y) && blackWithin2 && !blackWithin1) {
                ++outside;
                redOutside += HeartRed(title.At(x, y));
            }
        }
    }
    ASSERT_GT(rim, 400);
    EXPECT_GE(redRim * 100, rim * 95) << redRim << " of " << rim;
    EXPECT_LE(redOutside * 100, outside * 5) << redOutside << " of " << outside;
}

struct Placed {
    int id, x, y;
};
constexpr Placed kFacesOnTitle[] = {{354, 22, 70}, {355, 118, 71}};

// The intro shifts the colours outside the heart; the faces must not flicker.
TEST(TitlePicture, LoversPortraitsLieInsideTheHeartAndMatchTheTitle) {
    const Decoded& mask = Picture(360);
    const Decoded& title = Picture(167);
    for (const Placed& face : kFacesOnTitle) {
        const Decoded& portrait = Picture(face.id);
        int opaque = 0, outsideHeart = 0, matching = 0;
        for (int y = 0; y < portrait.height; ++y) {
            for (int x = 0; x < portrait.width; ++x) {
                if (IsWhite(portrait.At(x, y))) continue;
                ++opaque;
                outsideHeart += !IsBlack(mask.At(face.x + x, face.y + y));
                matching += Same(portrait.At(x, y), title.At(face.x + x, face.y + y));
            }
        }
        EXPECT_GT(opaque, portrait.width * portrait.height / 3) << face.id;
        EXPECT_EQ(outsideHeart, 0) << face.id;
        EXPECT_GE(matching * 100, opaque * 95) << face.id;
    }
}

TEST(TitlePicture, SpellFramesSitOnTheSorceressAndGrow) {
    const Decoded& spell = Picture(359);
    const Decoded& title = Picture(167);
    int previous = -1;
    for (int frame = 0; frame < 4; ++frame) {
        int differing = 0;
        for (int y = 0; y < spell.FrameHeight(); ++y) {
            for (int x = 0; x < spell.width; ++x) differing += !Same(spell.At(frame, x, y), title.At(51 + x, 15 + y));
        }
        EXPECT_LT(differing, spell.width * spell.FrameHeight() / 5) << "frame " << frame;
        EXPECT_GT(differing, previous) << "frame " << frame;
        previous = differing;
    }
    EXPECT_EQ(CountWhite(spell, 0), 0);
}

TEST(HeartMasks, ArePureBlackOnWhiteAndGrowFromSmallToTheWholeFrame) {
    const Decoded& masks = Picture(352);
    int previousBlack = 0;
    for (int frame = 0; frame < 15; ++frame) {
        int black = 0;
        for (int y = 0; y < 180; ++y) {
            for (int x = 0; x < 200; ++x) {
                const Pixel32& p = masks.At(frame, x, y);
                ASSERT_TRUE(IsBlack(p) || IsWhite(p)) << "frame " << frame;
                black += IsBlack(p);
                if (frame > 0 && IsBlack(masks.At(frame - 1, x, y))) {
                    ASSERT_TRUE(IsBlack(p)) << "frame " << frame << " shrinks at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(black, previousBlack) << "frame " << frame;
        previousBlack = black;
    }
    const Box small = BoxOf(masks, 0, IsBlack);
    EXPECT_NEAR(small.Width(), 44, 4);
    EXPECT_NEAR(small.Height(), 37, 4);
    // Drawn at (20, 0), the small heart sits around (114, 86) on screen.
    EXPECT_NEAR(20 + (small.left + small.right) / 2.0, 114, 3);
    EXPECT_NEAR((small.top + small.bottom) / 2.0, 86, 3);
    const Box whole = BoxOf(masks, 14, IsBlack);
    EXPECT_EQ(whole.left, 0);
    EXPECT_EQ(whole.top, 0);
    EXPECT_EQ(whole.right, 199);
    EXPECT_EQ(whole.bottom, 179);
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
    EXPECT_TRUE(IsWhite(lovers.At(0, 179)));  // on white outside its heart
}

TEST(DigitStrip, IsOpaqueWithTenDifferentDigitsAndABlank) {
    const Decoded& digits = Picture(170);
    for (int frame = 0; frame < 11; ++frame) EXPECT_EQ(CountWhite(digits, frame), 0) << "frame " << frame;
    const Pixel32 blank = digits.At(10, 0, 0);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 14; ++x) ASSERT_TRUE(Same(digits.At(10, x, y), blank));
    }
    for (int a = 0; a < 10; ++a) {
        for (int b = a + 1; b < 11; ++b) {
            int differing = 0;
            for (int y = 0; y < 24; ++y) {
                for (int x = 0; x < 14; ++x) differing += !Same(digits.At(a, x, y), digits.At(b, x, y));
            }
            EXPECT_GT(differing, 10) << a << " and " << b << " look alike";
        }
    }
}

// Every bog animation stands on the same ground as the bog cell: the edges
// of every frame are the tile's, and the frames shown alone (the waits, and
// the strips drawn without the tile) are opaque.
TEST(BogAnimations, ShareTheBogCellAtTheirEdgesAndAreOpaque) {
    const Decoded& tile = Picture(136);
    EXPECT_EQ(CountWhite(tile, 0), 0);
    for (int id : {300, 301, 302, 303, 312, 313, 314, 343, 344}) {
        const Decoded& strip = Picture(id);
        for (int frame = 0; frame < strip.frames; ++frame) {
            EXPECT_EQ(CountWhite(strip, frame), 0) << id << " frame " << frame;
            for (int y = 0; y < 20; ++y) {
                for (int x : {0, 19}) {
                    ASSERT_TRUE(Same(strip.At(frame, x, y), tile.At(x, y)))
                        << id << " frame " << frame << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(BogAnimations, EndOnTheirWaitPictures) {
    const Decoded& tile = Picture(136);
    // The leaving animations end on bare reeds: the bog cell itself.
    for (const auto& [id, frame] : {std::pair{301, 12}, std::pair{303, 11}, std::pair{344, 12}}) {
        const Decoded& strip = Picture(id);
        int differing = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) differing += !Same(strip.At(frame, x, y), tile.At(x, y));
        }
        EXPECT_EQ(differing, 0) << id;
    }
    // A resting frog dozes and wakes from the same picture it rose to.
    const Decoded& rise = Picture(302);
    const Decoded& doze = Picture(312);
    const Decoded& wake = Picture(313);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_TRUE(Same(rise.At(11, x, y), doze.At(0, x, y)));
            ASSERT_TRUE(Same(rise.At(11, x, y), wake.At(6, x, y)));
        }
    }
}

TEST(BogAnimations, BushAndBloomsCoverTheCellWhenShownAlone) {
    const Decoded& bush = Picture(321);
    EXPECT_GT(CountWhite(bush, 0), 200);  // a small bush over the bog
    EXPECT_EQ(CountWhite(bush, 10), 0);
    for (int id = 322; id <= 326; ++id) {
        for (int frame = 0; frame < 7; ++frame) EXPECT_EQ(CountWhite(Picture(id), frame), 0) << id;
    }
}

TEST(Sprites, BallsButterflyAndWalkersAreSeeThroughAroundTheirShapes) {
    auto cornersWhiteCentreNot = [](int id, int frame) {
        const Decoded& p = Picture(id);
        const int w = p.width - 1;
        const int h = p.FrameHeight() - 1;
        EXPECT_TRUE(IsWhite(p.At(frame, 0, 0)) && IsWhite(p.At(frame, w, 0)) && IsWhite(p.At(frame, 0, h)) &&
                    IsWhite(p.At(frame, w, h)))
            << id << " frame " << frame;
        EXPECT_GT(p.width * p.FrameHeight() - CountWhite(p, frame), p.width * p.FrameHeight() / 10)
            << id << " frame " << frame;
    };
    for (int frame = 0; frame < 16; ++frame) cornersWhiteCentreNot(305, frame);
    cornersWhiteCentreNot(304, 19);
    cornersWhiteCentreNot(345, 0);
    for (int id : {327, 328, 329, 330, 331, 332, 335, 336}) {
        cornersWhiteCentreNot(id, 0);
        cornersWhiteCentreNot(id, 1);
    }
}

TEST(Faces, GrowOutOfTheirCorners) {
    const Decoded& hero = Picture(339);
    const Decoded& heroine = Picture(340);
    int previousHero = 0, previousHeroine = 0;
    for (int frame = 0; frame < 9; ++frame) {
        const Box h = OpaqueBox(hero, frame);
        const Box s = OpaqueBox(heroine, frame);
        EXPECT_LE(h.left, 3) << frame;
        EXPECT_LE(h.top, 3) << frame;
        EXPECT_GE(s.right, 36) << frame;
        EXPECT_GE(s.bottom, 36) << frame;
        EXPECT_GT(h.Width() * h.Height(), previousHero);
        EXPECT_GT(s.Width() * s.Height(), previousHeroine);
        previousHero = h.Width() * h.Height();
        previousHeroine = s.Width() * s.Height();
    }
    EXPECT_LE(OpaqueBox(hero, 0).right, 20);
    EXPECT_GE(OpaqueBox(heroine, 0).left, 19);
}

// The shrinking portraits start as the portraits the faces fly as, and end
// in the lovers' home cells: the hero's frame is drawn at (0, 0), the
// heroine's at (133, 125), her home cell being (220, 220)-(239, 239).
TEST(Faces, ShrinkingPortraitsStartAsThePortraitsAndEndInTheHomeCells) {
    const Decoded& hero = Picture(357);
    const Decoded& heroine = Picture(358);
    const Decoded& heroPortrait = Picture(354);
    const Decoded& heroinePortrait = Picture(355);
    for (int y = 0; y < 113; ++y) {
        for (int x = 0; x < 106; ++x) {
            ASSERT_TRUE(Same(hero.At(0, x, y), heroPortrait.At(x, y))) << x << "," << y;
            if (x < 104) {
                ASSERT_TRUE(Same(heroine.At(0, x, y), heroinePortrait.At(x, y))) << x << "," << y;
            } else {
                ASSERT_TRUE(IsWhite(heroine.At(0, x, y)));
            }
        }
    }
    const Box heroEnd = OpaqueBox(hero, 9);
    EXPECT_GE(heroEnd.left, 0);
    EXPECT_LE(heroEnd.right, 19);
    EXPECT_LE(heroEnd.bottom, 19);
    const Box heroineEnd = OpaqueBox(heroine, 9);
    EXPECT_GE(133 + heroineEnd.left, 220);
    EXPECT_GE(125 + heroineEnd.top, 220);
    EXPECT_LE(133 + heroineEnd.right, 239);
    EXPECT_LE(125 + heroineEnd.bottom, 239);
}

}  // namespace
}  // namespace res_test
