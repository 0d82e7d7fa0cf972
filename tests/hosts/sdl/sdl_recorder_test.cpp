#include <gtest/gtest.h>

#include <sstream>

#include "hosts/sdl/session_recorder.h"

namespace sdlhost {
namespace {

using platform::HostEventKind;

TEST(SdlSessionRecorder, EveryEventIsStampedWithItsOwnClockAndTheRestAreComments) {
    std::ostringstream out;
    {
        SessionRecorder recorder(out, 4000123456u);
        recorder.RecordEvent({HostEventKind::Paint, 0, 0}, 1016);
        recorder.RecordEvent({HostEventKind::Paint, 0, 0}, 1016);  // same clock: still two paints
        recorder.RecordEvent({HostEventKind::PenDown, 12, 34}, 1020);
        recorder.RecordEvent({HostEventKind::None, 0, 0}, 1150);
        recorder.RecordScreenshot("/tmp/mirelink-20240307-090503-1.png");
        recorder.RecordEvent({HostEventKind::Close, 0, 0}, 1200);
    }
    std::istringstream lines(out.str());
    std::string line;
    for (const char* expected : {"# runner-args: --clock 4000123456", "step 0", "clock 1016", "paint",
                                 "clock 1016", "paint", "clock 1020", "down 12 34",
                                 "# screenshot /tmp/mirelink-20240307-090503-1.png"}) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, expected);
    }
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.rfind("# ", 0), 0u) << "closing is only a comment: " << line;
    EXPECT_FALSE(std::getline(lines, line)) << line;
}

}  // namespace
}  // namespace sdlhost
