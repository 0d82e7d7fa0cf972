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
    for (int unknown : {0, -30, 100000}) EXPECT_EQ(FramePacer::RefreshInterval(unknown), sixty) << unknown;
}

TEST(SdlFramePacer, FirstFrameIsShownAtOnceAndFramesWithinOneRefreshAreHeldBack) {
    FramePacer pacer(10ms);
    const auto start = Clock::now();
    EXPECT_TRUE(pacer.MayRenderAt(start));
    EXPECT_LE(pacer.NextDeadline(), start);
    pacer.Rendered(start);
    EXPECT_FALSE(pacer.MayRenderAt(start + 9ms));
    EXPECT_TRUE(pacer.MayRenderAt(start + 10ms));
    EXPECT_EQ(pacer.NextDeadline(), start + 10ms);
    pacer.Rendered(start + 12ms);
    EXPECT_EQ(pacer.NextDeadline(), start + 22ms);
}

}  // namespace
}  // namespace sdlhost
