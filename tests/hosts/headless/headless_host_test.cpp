#include "hosts/headless/headless_host.h"

#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

namespace {

using platform::HostEvent;
using platform::HostEventKind;

class HeadlessHostTest : public ::testing::Test {
protected:
    // A host running `text`; a relaunch runs `sh -c relaunchCommand`.
    HeadlessHost& Start(std::string_view text, std::string relaunchCommand = "exit 0") {
        auto parsed = ParseScript(text);
        EXPECT_TRUE(std::holds_alternative<Script>(parsed));
        HeadlessSettings settings;
        settings.scriptName = "test.mls";
        settings.clock = 1000;
        settings.relaunchProgram = "/bin/sh";
        settings.relaunchOptions = {"-c", std::move(relaunchCommand)};
        settings.relaunchTimeout = relaunchTimeout;
        settings.out = &out;
        settings.errors = &errors;
        host = std::make_unique<HeadlessHost>(std::get<Script>(std::move(parsed)), settings, *state,
                                              [this] { return status; });
        return *host;
    }

    HostEventKind Next(bool paintable = true) { return host->WaitForEvent(paintable).kind; }

    // Events until the script's end asks the window to close; Nones only
    // when `withNones`.
    std::vector<HostEventKind> Drain(bool withNones = false) {
        std::vector<HostEventKind> events;
        for (int guard = 0; guard < 5000; ++guard) {
            const HostEventKind kind = Next();
            if (kind == HostEventKind::Close) return events;
            if (kind != HostEventKind::None || withNones) events.push_back(kind);
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

TEST_F(HeadlessHostTest, EachPaintAdvancesTheClockByTheStepFirst) {
    HeadlessHost& h = Start("paint 2\nstep 10\nclock 5000\npaint\n");
    EXPECT_EQ(h.TickCount(), 1000u);
    EXPECT_EQ(Next(), HostEventKind::Paint);
    EXPECT_EQ(h.TickCount(), 1031u);
    EXPECT_EQ(Next(), HostEventKind::Paint);
    EXPECT_EQ(h.TickCount(), 1062u);
    EXPECT_EQ(Next(), HostEventKind::Paint);
    EXPECT_EQ(h.TickCount(), 5010u);
    h.Sleep(40);
    EXPECT_EQ(h.TickCount(), 5050u);
    EXPECT_EQ(Next(), HostEventKind::Close);
}

TEST_F(HeadlessHostTest, HiddenWindowGetsNoPaintsButTheTimePasses) {
    HeadlessHost& h = Start("paint 100000\npaint 2\n");
    EXPECT_EQ(Next(false), HostEventKind::Close);
    EXPECT_EQ(h.TickCount(), 1000u + 100002u * 31u);
}

TEST_F(HeadlessHostTest, PaintsResumeWhenTheWindowComesBackMidCount) {
    HeadlessHost& h = Start("paint 5\n");
    EXPECT_EQ(Next(true), HostEventKind::Paint);
    EXPECT_EQ(Next(false), HostEventKind::Close);  // the other four pass hidden
    EXPECT_EQ(h.TickCount(), 1000u + 5u * 31u);
}

TEST_F(HeadlessHostTest, ClockWrapsPastItsTop) {
    HeadlessHost& h = Start("clock 4294967290\npaint\n");
    EXPECT_EQ(Next(), HostEventKind::Paint);
    EXPECT_EQ(h.TickCount(), 25u);
}

TEST_F(HeadlessHostTest, PenLinesBecomePenEventsAtTheirPositions) {
    HeadlessHost& h = Start("down 5 6\nup 7 8\ntap 35 272\ntapcell 11 3\nfocus-lost\n");
    const HostEvent down = h.WaitForEvent(true);
    EXPECT_EQ(down.kind, HostEventKind::PenDown);
    EXPECT_EQ(down.x, 5);
    EXPECT_EQ(down.y, 6);
    const HostEvent up = h.WaitForEvent(true);
    EXPECT_EQ(up.kind, HostEventKind::PenUp);
    EXPECT_EQ(up.y, 8);
    const HostEvent tapDown = h.WaitForEvent(true);
    const HostEvent tapUp = h.WaitForEvent(true);
    EXPECT_EQ(tapDown.kind, HostEventKind::PenDown);
    EXPECT_EQ(tapUp.kind, HostEventKind::PenUp);
    EXPECT_EQ(tapUp.x, 35);
    EXPECT_EQ(tapUp.y, 272);
    const HostEvent cellDown = h.WaitForEvent(false);  // pens reach even a hidden window
    EXPECT_EQ(cellDown.x, 230);
    EXPECT_EQ(cellDown.y, 70);
    EXPECT_EQ(Next(), HostEventKind::PenUp);
    EXPECT_EQ(Next(), HostEventKind::FocusLost);
    EXPECT_EQ(Next(), HostEventKind::Close);
    EXPECT_EQ(Next(), HostEventKind::Close);  // and again, should the program linger
    EXPECT_FALSE(h.Failed());
}

TEST_F(HeadlessHostTest, SetAndExpectWorkOnTheGameState) {
    HeadlessHost& h = Start("set score 40\nset cells[2].rolling 1\nexpect score 40\nexpect cells[2].rolling true\n"
                            "paint\n");
    EXPECT_EQ(Drain(), (std::vector<HostEventKind>{HostEventKind::Paint}));
    EXPECT_EQ(state->score, 40);
    EXPECT_TRUE(state->cells[2].rolling);
    EXPECT_FALSE(h.Failed());
    EXPECT_EQ(errors.str(), "");
}

TEST_F(HeadlessHostTest, FailedExpectEndsTheRunAtItsLine) {
    HeadlessHost& h = Start("paint\n\nexpect score 5\nset score 9\npaint\n");
    EXPECT_EQ(Next(), HostEventKind::Paint);
    EXPECT_EQ(Next(), HostEventKind::Close);
    EXPECT_TRUE(h.Failed());
    EXPECT_EQ(errors.str(), "test.mls:3: expect score: wanted 5, got 0\n");
    EXPECT_EQ(state->score, 0);  // nothing after the failure ran
}

TEST_F(HeadlessHostTest, StateGoesToStandardOutputAsJson) {
    state->level = 3;
    status.presents = 2;
    Start("state -\n");
    Drain();
    const nlohmann::json json = nlohmann::json::parse(out.str());
    EXPECT_EQ(json["level"], 3);
    EXPECT_EQ(json["platform"]["presents"], 2);
}

class HostFiles : public HeadlessHostTest {
protected:
    std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / ("headless-host-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string File(const char* name) const { return (dir / name).string(); }

    static std::vector<std::uint8_t> ReadPixels(const std::string& path) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
        image.format = PNG_FORMAT_RGB;
        std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) return {};
        return pixels;
    }
};

TEST_F(HostFiles, ShotsShowTheLastPresentedFrame) {
    HeadlessHost& h = Start("shot " + File("before.png") + "\npaint\nshot " + File("after.png") + "\n");
    EXPECT_EQ(Next(), HostEventKind::Paint);
    const std::vector<std::uint8_t> white(153600, 0xFF);
    h.PresentFrame(white.data(), platform::DisplayConfig{});
    EXPECT_EQ(Next(), HostEventKind::Close);
    ASSERT_FALSE(h.Failed()) << errors.str();

    EXPECT_EQ(ReadPixels(File("before.png")), std::vector<std::uint8_t>(240 * 320 * 3, 0));
    EXPECT_EQ(ReadPixels(File("after.png")), std::vector<std::uint8_t>(240 * 320 * 3, 255));
}

TEST_F(HostFiles, UnwritableOutputFailsTheRunAtItsLine) {
    HeadlessHost& h = Start("paint\nstate " + File("no/such/dir.json") + "\n");
    Drain();
    EXPECT_TRUE(h.Failed());
    EXPECT_EQ(errors.str().rfind("test.mls:2: state: cannot write", 0), 0u) << errors.str();
}

TEST_F(HeadlessHostTest, RelaunchWaitsForTheSecondCopyWithItsClockAndEmptyScript) {
    // $0 is "--clock": the copy gets the clock of the moment and no script.
    HeadlessHost& h = Start("paint 3\nrelaunch\npaint\n", R"(test "$1" = 1093 && test "$2" = /dev/null)");
    EXPECT_EQ(Drain(), (std::vector<HostEventKind>(4, HostEventKind::Paint)));
    EXPECT_FALSE(h.Failed()) << errors.str();
}

TEST_F(HeadlessHostTest, FailedRelaunchEndsTheRun) {
    HeadlessHost& h = Start("paint\nrelaunch\npaint\n", "exit 3");
    EXPECT_EQ(Drain(), (std::vector<HostEventKind>{HostEventKind::Paint}));
    EXPECT_TRUE(h.Failed());
    EXPECT_EQ(errors.str(), "test.mls:2: relaunch: the second copy exited with code 3\n");
}

TEST_F(HeadlessHostTest, RelaunchThatNeverEndsIsStopped) {
    relaunchTimeout = std::chrono::milliseconds(50);
    HeadlessHost& h = Start("relaunch\n", "sleep 30");
    Drain();
    EXPECT_TRUE(h.Failed());
    EXPECT_EQ(errors.str(), "test.mls:1: relaunch: the second copy did not end in time; it was stopped\n");
}

}  // namespace
