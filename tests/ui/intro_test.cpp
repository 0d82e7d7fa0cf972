// The intro that opens every game: its four phases tick by tick, the spell,
// the colour shift, the faces' flight and their shrinking into the corners.
#include <gtest/gtest.h>

#include "state/game_state.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace test_support;

constexpr int kTitle = 167;

class Intro : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartAGame();
    }
    std::uint16_t Rgb565(int red, int green, int blue) const {
        return static_cast<std::uint16_t>((red & 0xF8) << 8 | (green & 0xFC) << 3 | (blue & 0xF8) >> 3);
    }
};

TEST_F(Intro, ItsPhasesFollowEachOtherWithoutAnEmptyTick) {
    const struct {
        int tick;
        bool running, spell, shift, flight, shrinking;
        int counter;  // the running phase's counter after the tick
    } expected[] = {
        {12, true, true, false, false, false, 3},    // the spell's third pass done
        {13, true, false, true, false, false, 1},    // the first colour step
        {32, true, false, true, false, false, 20},
        {33, true, false, false, true, false, 1},    // the faces at point 0
        {87, true, false, false, true, false, 55},
        {88, false, false, false, false, true, 1},   // home: the shrinking's frame 0
        {97, false, false, false, false, true, 10},
        {98, false, true, false, false, false, 0},   // over; the spell armed again
    };
    int tick = 0;
    for (const auto& e : expected) {
        SCOPED_TRACE(e.tick);
        Ticks(e.tick - tick);
        tick = e.tick;
        EXPECT_EQ(game.introRunning, e.running);
        EXPECT_EQ(game.introSpellArmed, e.spell);
        EXPECT_EQ(game.introShiftRunning, e.shift);
        EXPECT_EQ(game.introFlightRunning, e.flight);
        EXPECT_EQ(game.introShrinking, e.shrinking);
        const int counter = e.spell ? game.introSpellPass
                            : e.shift ? game.introShiftStep
                            : e.flight ? game.introFlightPoint
                                       : game.introShrinkFrame;
        EXPECT_EQ(counter, e.counter);
    }
}

TEST_F(Intro, TheSpellThenTheColoursShiftOutsideTheHeartAndWrapPast255) {
    Ticks(1);
    EXPECT_EQ(ScreenPixel(10, 10), ScreenColour(kTitle));
    EXPECT_EQ(ScreenPixel(60, 20), ScreenColour(359, 0)) << "spell frame 0 on the first tick";
    Ticks(12);
    // The title's flat colour is (56, 20, 8); its heart is the left half.
    EXPECT_EQ(ScreenPixel(60, 20), ScreenColour(kTitle)) << "inside the heart: unchanged, the spell gone";
    EXPECT_EQ(ScreenPixel(200, 20), Rgb565(68, 32, 20));
    Ticks(19);
    EXPECT_EQ(ScreenPixel(200, 20), Rgb565(56 + 240 - 256, 20 + 240 - 256, 8 + 240)) << "bytes past 255 wrap";
}

TEST_F(Intro, TheFacesFlyTheirPathsFromTheirPlacesOnTheTitle) {
    Ticks(33);
    const struct {
        int point;
        Point hero, heroine;
    } table[] = {{0, {22, 70}, {118, 71}},   {1, {21, 70}, {119, 71}},   {10, {15, 84}, {122, 62}},
                 {20, {41, 96}, {106, 54}},  {30, {70, 63}, {86, 76}},   {39, {48, 12}, {101, 110}},
                 {40, {48, 12}, {101, 110}}, {47, {26, 7}, {117, 117}},  {54, {4, 1}, {133, 125}}};
    for (const auto& t : table) {
        SCOPED_TRACE(t.point);
        EXPECT_EQ(game.heroPath[t.point].x, t.hero.x);
        EXPECT_EQ(game.heroPath[t.point].y, t.hero.y);
        EXPECT_EQ(game.heroinePath[t.point].x, t.heroine.x);
        EXPECT_EQ(game.heroinePath[t.point].y, t.heroine.y);
    }
    EXPECT_EQ(ScreenPixel(22, 70), ScreenColour(354));
    EXPECT_NE(ScreenPixel(21, 70), ScreenColour(354));
    EXPECT_EQ(ScreenPixel(221, 182), ScreenColour(355)) << "the heroine over him";
    EXPECT_EQ(ScreenPixel(5, 5), ScreenColour(341)) << "the corners wait empty";
    Ticks(55);
    EXPECT_EQ(ScreenPixel(5, 5), ScreenColour(357, 0)) << "the hero's face shrinks into his corner";
    EXPECT_EQ(ScreenPixel(133, 125), ScreenColour(358, 0));
}

TEST_F(Intro, StopIsRefusedUntilTheFacesAreHomeAndAStoppedShrinkingEndsInTheNextGame) {
    Ticks(87);
    Tap(100, 260);
    EXPECT_FALSE(game.modalShown) << "still flying: no question";
    Ticks(3);  // frame 2 of the shrinking is drawn
    Tap(100, 260);
    ASSERT_TRUE(game.stopConfirmPending);
    Tap(60, 200);  // "Yes"
    EXPECT_FALSE(game.gamePlaying);
    EXPECT_TRUE(game.introShrinking);

    Tap(100, 260);  // a new game: the old shrinking ends first
    Ticks(7);
    EXPECT_EQ(ScreenPixel(5, 5), ScreenColour(357, 9));
    Ticks(1);
    EXPECT_FALSE(game.introShrinking);
    EXPECT_EQ(game.introSpellPass, 0);
    Ticks(1);
    EXPECT_EQ(ScreenPixel(60, 20), ScreenColour(359, 0)) << "then the new game's spell";
}

}  // namespace
