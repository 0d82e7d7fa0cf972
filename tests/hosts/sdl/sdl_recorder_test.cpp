#include <gtest/gtest.h>

#include <sstream>

#include "hosts/sdl/session_recorder.h"

namespace sdlhost {
namespace {

using platform::HostEvent;
using platform::HostEventKind;

TEST(SdlSessionRecorder, HeaderCarriesTheStartClockAndAZeroStep) {
    std::ostringstream out;
    { SessionRecorder recorder(out, 4000123456u); }
    EXPECT_EQ(out.str(), "# runner-args: --clock 4000123456\nstep 0\n");
}

TEST(SdlSessionRecorder, EveryEventIsStampedWithItsOwnClock) {
    std::ostringstream out;
    {
        SessionRecorder recorder(out, 1000);
        recorder.RecordEvent({HostEventKind::Paint, 0, 0}, 1016);
        recorder.RecordEvent({HostEventKind::Paint, 0, 0}, 1016);  // same clock: still two paints
        recorder.RecordEvent({HostEventKind::PenDown, 12, 34}, 1020);
        recorder.RecordEvent({HostEventKind::PenUp, 12, 35}, 1100);
        recorder.RecordEvent({HostEventKind::None, 0, 0}, 1150);
        recorder.RecordEvent({HostEventKind::FocusLost, 0, 0}, 1200);
        recorder.RecordRelaunch();
    }
    EXPECT_EQ(out.str(),
              "# runner-args: --clock 1000\nstep 0\n"
              "clock 1016\npaint\n"
              "clock 1016\npaint\n"
              "clock 1020\ndown 12 34\n"
              "clock 1100\nup 12 35\n"
              "clock 1200\nfocus-lost\n"
              "relaunch\n");
}

TEST(SdlSessionRecorder, CloseAndScreenshotsLeaveOnlyComments) {
    std::ostringstream out;
    SessionRecorder recorder(out, 5);
    recorder.RecordScreenshot("/tmp/mirelink-20240307-090503-1.png");
    recorder.RecordEvent({HostEventKind::Close, 0, 0}, 10);
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);  // header
    std::getline(lines, line);  // step 0
    int comments = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line.rfind("# ", 0), 0u) << line;
        ++comments;
    }
    EXPECT_EQ(comments, 2);
    EXPECT_NE(out.str().find("# screenshot /tmp/mirelink-20240307-090503-1.png\n"),
              std::string::npos);
}

}  // namespace
}  // namespace sdlhost
