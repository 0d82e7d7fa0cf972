#include <gtest/gtest.h>

#include <sstream>

#include "hosts/sdl/session_recorder.h"

namespace sdlhost {
namespace {

using platform::HostEventKind;

TEST(SdlSessionRecorder, PaintsEvenlySpacedBecomeOneRunAndEveryOtherEventSetsItsClock) {
    std::ostringstream out;
    {
        SessionRecorder recorder(out, 4294967250u);
        for (const std::uint32_t clock : {4294967250u, 4294967281u, 16u, 47u, 48u}) {
            recorder.RecordEvent({HostEventKind::Paint, 0, 0}, clock);  // across the wrap
        }
        recorder.RecordEvent({HostEventKind::PenDown, 12, 34}, 60);
        recorder.RecordEvent({HostEventKind::None, 0, 0}, 61);
        recorder.RecordEvent({HostEventKind::CloseRequest, 0, 0}, 62);
        recorder.RecordScreenshot("/tmp/mirelink-20240307-090503-1.png");
        recorder.RecordEvent({HostEventKind::Close, 0, 0}, 70);
    }
    EXPECT_EQ(out.str(),
              "# runner-args: --clock 4294967250\n"
              "clock 4294967250\nstep 0\npaint\nstep 31\npaint 3\nstep 1\npaint\n"
              "clock 60\ndown 12 34\n"
              "clock 62\nclose\n"
              "# screenshot /tmp/mirelink-20240307-090503-1.png\n"
              "# the window was closed\n");
}

}  // namespace
}  // namespace sdlhost
