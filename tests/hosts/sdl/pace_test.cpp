// When the desktop and the page paint, and how the game's sleeps keep time:
// all on clocks the tests set.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "hosts/sdl/paint_schedule.h"

namespace sdlhost {
namespace {

struct Paint {
    std::uint32_t clock;
    bool readsClock;  // the game's tick gate looked at the clock
    bool inputBefore;  // input came just before this paint
};

struct ScheduleCase {
    const char* what;
    std::vector<Paint> paints;
    std::uint32_t now;
    std::optional<std::uint32_t> wait;  // from `now` to the next paint
};

TEST(PaintSchedule, PaintsOnlyWhenAPaintCanChangeSomething) {
    const ScheduleCase cases[] = {
        {"the first paint comes at once", {}, 5000, 0},
        {"a still screen waits for input", {{1000, false, false}}, 1001, std::nullopt},
        {"a ticking game paints at its pace", {{1000, true, false}}, 1010, 21},
        {"a late wake-up paints at once", {{1000, true, false}}, 1040, 0},
        {"each paint at the pace sets the next", {{1000, true, false}, {1032, true, false}}, 1040, 23},
        {"a paint after input leaves the pace", {{1000, true, false}, {1010, true, true}}, 1020, 11},
        {"input earns one paint at once", {{1000, false, false}, {1500, false, true}}, 1600, std::nullopt},
        {"a game that stops ticking stops the paints", {{1000, true, false}, {1031, false, false}}, 1100,
         std::nullopt},
        {"the pace crosses the clock's wrap", {{0xFFFFFFF0u, true, false}}, 0xFFFFFFF5u, 26},
    };
    for (const ScheduleCase& c : cases) {
        SCOPED_TRACE(c.what);
        PaintSchedule schedule;
        for (const Paint& paint : c.paints) {
            if (paint.inputBefore) schedule.Woken();
            schedule.PaintDone();
            schedule.Painting(paint.clock);
            if (paint.readsClock) schedule.ClockWatched();
        }
        schedule.PaintDone();
        EXPECT_EQ(schedule.WaitFrom(c.now), c.wait);
    }
    PaintSchedule schedule;
    schedule.ClockWatched();  // start-up seeding its random numbers: no paint
    schedule.Painting(1000);
    schedule.PaintDone();
    EXPECT_EQ(schedule.WaitFrom(1001), std::nullopt);
    schedule.Woken();  // a knock on the hand-over channel
    EXPECT_EQ(schedule.WaitFrom(1001), 0u);
}

// A slide of 8 steps of 6 ms: however late each sleep wakes, the slide ends
// at its nominal 48 ms plus at most one sleep's lateness.
TEST(SleepRun, ASleepThatOvershotShortensTheNextOnes) {
    struct Case {
        const char* what;
        std::uint32_t late;  // every sleep wakes this late
        std::uint32_t work;  // and drawing a step takes this long
        std::uint32_t end;   // when the last sleep ends
    };
    for (const Case& c : {Case{"an idle machine", 0, 0, 1048}, Case{"a busy machine", 4, 1, 1052},
                          Case{"a machine far too busy", 20, 0, 1050}}) {
        SCOPED_TRACE(c.what);
        SleepRun run;
        std::uint32_t now = 1000;
        std::uint32_t woke = now;
        for (int step = 0; step < 8; ++step) {
            const std::uint32_t slept = run.Plan(6, now);
            woke = now + slept + (slept > 0 ? c.late : 0);
            now = woke + c.work;
        }
        EXPECT_EQ(woke, c.end);
    }
    SleepRun run;
    EXPECT_EQ(run.Plan(6, 1000), 6u);
    run.End();  // the next message: a new run
    EXPECT_EQ(run.Plan(6, 2000), 6u);
}

}  // namespace
}  // namespace sdlhost
