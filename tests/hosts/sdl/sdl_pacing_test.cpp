#include <gtest/gtest.h>

#include <chrono>

#include "hosts/sdl/frame_pacer.h"

namespace sdlhost {
namespace {

using namespace std::chrono_literals;
using Clock = FramePacer::Clock;

TEST(SdlFramePacer, IntervalFollowsTheRefreshRateOrSixtyHertz) {
    EXPECT_EQ(FramePacer::RefreshInterval(100), 10ms);
    const auto sixty = FramePacer::RefreshInterval(60);
    EXPECT_GT(sixty, 16ms);
    EXPECT_LT(sixty, 17ms);
    EXPECT_EQ(FramePacer::RefreshInterval(0), sixty);  // the display does not say
    EXPECT_EQ(FramePacer::RefreshInterval(-30), sixty);
    EXPECT_EQ(FramePacer::RefreshInterval(100000), sixty);
}

TEST(SdlFramePacer, FirstFrameIsShownAtOnce) {
    const FramePacer pacer(10ms);
    const auto now = Clock::now();
    EXPECT_TRUE(pacer.MayRenderAt(now));
    EXPECT_LE(pacer.NextDeadline(), now);
}

TEST(SdlFramePacer, FramesWithinOneRefreshAreHeldBack) {
    FramePacer pacer(10ms);
    const auto start = Clock::now();
    pacer.Rendered(start);
    EXPECT_FALSE(pacer.MayRenderAt(start + 6ms));  // a panel slide row
    EXPECT_FALSE(pacer.MayRenderAt(start + 9ms));
    EXPECT_TRUE(pacer.MayRenderAt(start + 10ms));
    EXPECT_EQ(pacer.NextDeadline(), start + 10ms);
    pacer.Rendered(start + 12ms);
    EXPECT_EQ(pacer.NextDeadline(), start + 22ms);
}

}  // namespace
}  // namespace sdlhost
