// The runner's host: what the golden plays never make it do with its clock,
// the relaunch of a second copy, and the end of the program.
#include "hosts/headless/headless_host.h"

#include <memory>
#include <sstream>

#include <gtest/gtest.h>

namespace {

using platform::HostEventKind;

class HeadlessHostTest : public ::testing::Test {
protected:
    // A host running `text`; a relaunch runs the stand-in for a second copy
    // with `relaunchOption`.
    HeadlessHost& Start(std::string_view text, std::string relaunchOption = "0") {
        HeadlessSettings settings;
        settings.scriptName = "test.mls";
        settings.relaunchProgram = MIRELINK_SECOND_COPY_STAND_IN;
        settings.relaunchOptions = {std::move(relaunchOption)};
        settings.relaunchTimeout = relaunchTimeout;
        settings.out = &out;
        settings.errors = &errors;
        host = std::make_unique<HeadlessHost>(std::get<Script>(ParseScript(text)), settings, *state,
                                              [this] { return status; });
        return *host;
    }

    HostEventKind Next(bool paintable = true) { return host->WaitForEvent(paintable).kind; }

    // The events other than None until the script's end asks the window to close.
    std::vector<HostEventKind> Drain() {
        std::vector<HostEventKind> events;
        for (int guard = 0; guard < 5000; ++guard) {
            const HostEventKind kind = Next();
            if (kind == HostEventKind::Close) return events;
            if (kind != HostEventKind::None) events.push_back(kind);
        }
        ADD_FAILURE() << "the script never ended";
        return events;
    }

    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    platform::Status status;
    std::chrono::milliseconds relaunchTimeout{60000};
    std::ostringstream out;
    std::ostringstream errors;
    std::unique_ptr<HeadlessHost> host;
};

// The clock of paints, steps, sleeps and its wrap is the golden plays' own;
// here, what they never do.
TEST_F(HeadlessHostTest, HiddenWindowGetsNoPaintsButTheTimePasses) {
    HeadlessHost& h = Start("paint 5\npaint 100000\n");
    EXPECT_EQ(Next(true), HostEventKind::Paint);
    EXPECT_EQ(Next(false), HostEventKind::Close);  // the rest, mid-count included, pass hidden
    EXPECT_EQ(h.TickCount(), 1000u + 100005u * 31u);
}

TEST_F(HeadlessHostTest, RelaunchWaitsForTheSecondCopyAndEndsTheRunIfItFailsOrNeverEnds) {
    const std::chrono::milliseconds patient(60000);
    const struct {
        const char* option;
        std::chrono::milliseconds timeout;
        std::size_t paints;
        const char* message;
    } cases[] = {
        {"0", patient, 4, ""},  // the copy gets the clock of the moment and no script
        {"3", patient, 3, "test.mls:2: relaunch: the second copy exited with code 3\n"},
        {"forever", std::chrono::milliseconds(50), 3,
         "test.mls:2: relaunch: the second copy did not end in time; it was stopped\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        errors.str("");
        relaunchTimeout = c.timeout;
        HeadlessHost& h = Start("paint 3\nrelaunch\npaint\n", c.option);
        EXPECT_EQ(Drain(), (std::vector<HostEventKind>(c.paints, HostEventKind::Paint)));
        EXPECT_EQ(h.Failed(), *c.message != '\0');
        EXPECT_EQ(errors.str(), c.message);
    }
}

TEST_F(HeadlessHostTest, ProgramEndingBeforeTheScriptFailsTheRunAtTheFirstLineNotRun) {
    const std::string ended = ": the program has ended; this line and the rest of the script cannot run\n";
    const struct {
        const char* text;
        int events;  // taken before the program ends
        std::string message;
    } cases[] = {
        {"paint\nexpect score 1\n", 1, "test.mls:2" + ended},
        {"paint 3\nexpect score 1\n", 2, "test.mls:1" + ended},  // a paint not taken
        {"tap 1 2\n", 1, "test.mls:1" + ended},                   // the pen-up not taken
        {"paint\n", 2, ""},  // the script had ended and asked the window to close
        {"paint\n", 0, ""},  // never asked for input: the display was refused
        {"expect score 1\npaint\n", 1, "test.mls:1: expect score: wanted 1, got 0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        errors.str("");
        HeadlessHost& h = Start(c.text);
        for (int i = 0; i < c.events; ++i) Next();
        h.ProgramEnded();
        EXPECT_EQ(errors.str(), c.message);
        EXPECT_EQ(h.Failed(), !c.message.empty());
    }
}

}  // namespace
