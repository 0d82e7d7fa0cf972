// The desktop host on SDL's dummy video driver: events are pushed into SDL's
// queue as the window system would deliver them.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "hosts/sdl/sdl_host.h"

namespace sdlhost {
namespace {

namespace fs = std::filesystem;
using platform::HostEvent;
using platform::HostEventKind;

class SdlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::string pattern = (fs::temp_directory_path() / "mirelink-host-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
    }

    void TearDown() override {
        host_.reset();
        fs::remove_all(directory_);
    }
    void OpenHost(SdlHostOptions options = {}) {
        options.scale = 2;
        options.shotsDirectory = directory_;
        options.clock = [this] { return clock_ += clockStep_; };
        options.hiddenWaitMs = 0;
        std::string error;
        host_ = SdlHost::Open(std::move(options), error);
        ASSERT_NE(host_, nullptr) << error;
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    void Push(SDL_Event event) {
        event.window.windowID = SDL_GetWindowID(host_->Window());  // the same place in every event kind
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void PushButton(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
        SDL_Event event{};
        event.type = type;
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        Push(event);
    }

    void PushWindowEvent(SDL_WindowEventID what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = static_cast<Uint8>(what);
        Push(event);
    }

    // The next event with nothing to paint (None once the queue is empty).
    // Asked twice for None: a poll stops once at the mark SDL leaves in its
    // queue when it pumps, before events pushed after it.
    HostEvent Next() {
        const HostEvent event = host_->WaitForEvent(false);
        return event.kind == HostEventKind::None ? host_->WaitForEvent(false) : event;
    }

    fs::path directory_;
    std::uint32_t clock_ = 1000;
    std::uint32_t clockStep_ = 0;
    std::unique_ptr<SdlHost> host_;
};

void ExpectEvent(const HostEvent& event, HostEventKind kind, int x = 0, int y = 0) {
    EXPECT_TRUE(event.kind == kind && event.x == x && event.y == y)
        << static_cast<int>(event.kind) << " at " << event.x << "," << event.y;
}

std::string ReadFile(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

TEST_F(SdlHostTest, OnlyTheLeftButtonOnThePictureIsThePen) {
    OpenHost();
    host_->WindowVisibilityChanged(true);
    PushButton(SDL_MOUSEBUTTONUP, 10, 10);  // a release with no press
    PushButton(SDL_MOUSEBUTTONDOWN, 10, 10, SDL_BUTTON_RIGHT);
    PushButton(SDL_MOUSEBUTTONDOWN, 480, 10);  // just right of the picture
    PushButton(SDL_MOUSEBUTTONUP, 480, 10);
    PushButton(SDL_MOUSEBUTTONDOWN, 10, 640);  // just below it
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    PushButton(SDL_MOUSEBUTTONUP, 478, 639);
    PushButton(SDL_MOUSEBUTTONDOWN, 20, 20);
    PushButton(SDL_MOUSEBUTTONUP, -40, 900);  // off the picture: ends at the nearest edge
    PushButton(SDL_MOUSEBUTTONUP, 20, 20);    // the press already ended
    PushButton(SDL_MOUSEBUTTONDOWN, 20, 20);
    PushButton(SDL_MOUSEBUTTONUP, 500, -3);
    ExpectEvent(Next(), HostEventKind::PenDown, 35, 272);
    ExpectEvent(Next(), HostEventKind::PenUp, 239, 319);
    ExpectEvent(Next(), HostEventKind::PenDown, 10, 10);
    ExpectEvent(Next(), HostEventKind::PenUp, 0, 319);
    ExpectEvent(Next(), HostEventKind::PenDown, 10, 10);
    ExpectEvent(Next(), HostEventKind::PenUp, 239, 0);
    ExpectEvent(Next(), HostEventKind::None);

    host_->ToggleFullScreen();  // the picture in a letterbox
    int width = 0, height = 0;
    SDL_GetWindowSize(host_->Window(), &width, &height);
    const Viewport viewport = FitViewport(width, height, 0);
    ASSERT_TRUE(viewport.left > 0 || viewport.top > 0) << width << "x" << height;
    PushButton(SDL_MOUSEBUTTONDOWN, viewport.left - 1, viewport.top - 1);  // on the black
    PushButton(SDL_MOUSEBUTTONDOWN, viewport.left, viewport.top + viewport.scale * 5);
    ExpectEvent(Next(), HostEventKind::PenDown, 0, 5);
}

// A click on another window leaves the game in view: only minimising it is
// the device's focus loss.
TEST_F(SdlHostTest, OnlyMinimisingIsAFocusLossAndTheCloseButtonIsARequest) {
    OpenHost();
    host_->WindowVisibilityChanged(true);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);       // the game may have asked first: asked again
    SDL_Event quit{.type = SDL_QUIT};  // a signal: the program ends, once
    SDL_PushEvent(&quit);
    SDL_PushEvent(&quit);
    for (const HostEventKind kind : {HostEventKind::FocusLost, HostEventKind::CloseRequest,
                                     HostEventKind::CloseRequest, HostEventKind::Close, HostEventKind::None}) {
        ExpectEvent(Next(), kind);
    }
}

TEST_F(SdlHostTest, AHangUpEndsTheProgramAsTerminationDoes) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        OpenHost();
        ASSERT_EQ(raise(signal), 0);
        ExpectEvent(Next(), HostEventKind::Close);
        host_.reset();
    }
}

TEST_F(SdlHostTest, AHiddenGameIsAMinimisedWindowThatComesBackOnceThroughTheHandOver) {
    OpenHost();
    host_->WindowVisibilityChanged(true);
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);  // by the window manager
    ExpectEvent(Next(), HostEventKind::FocusLost);
    host_->WindowVisibilityChanged(false);
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);   // from the taskbar
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);    // a click on it: no pen press
    PushButton(SDL_MOUSEBUTTONUP, 71, 545);
    ExpectEvent(Next(), HostEventKind::Restore);
    ExpectEvent(Next(), HostEventKind::None);  // one hand-over a hiding
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    ExpectEvent(Next(), HostEventKind::Close);  // nobody to ask while hidden
    host_->WindowVisibilityChanged(true);
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    ExpectEvent(Next(), HostEventKind::PenDown, 35, 272);
}

TEST_F(SdlHostTest, AKnockOnTheChannelWakesTheLoopOnceUntilAnswered) {
    OpenHost();
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const Uint32 knock = SDL_RegisterEvents(1);
    {
        HandOverWatcher watcher(channel[0], knock);
        ASSERT_TRUE(watcher.Watching());
        ASSERT_EQ(write(channel[1], "k", 1), 1);
        SDL_Event event;
        ASSERT_EQ(SDL_WaitEventTimeout(&event, 30000), 1);
        EXPECT_EQ(event.type, knock);
        EXPECT_EQ(SDL_WaitEventTimeout(&event, 50), 0) << "the same knock again before it was answered";
        watcher.Answered();  // not answered after all: still readable, so it knocks again
        ASSERT_EQ(SDL_WaitEventTimeout(&event, 30000), 1);
        EXPECT_EQ(event.type, knock);
    }  // the watcher stops while waiting for an answer
    close(channel[0]);
    close(channel[1]);
}

TEST_F(SdlHostTest, TickCountIsTheClockOfTheCurrentEventOrOfTheLastSleep) {
    OpenHost();
    clock_ = 1500;
    EXPECT_EQ(host_->TickCount(), 1000u);  // nothing delivered yet
    PushButton(SDL_MOUSEBUTTONDOWN, 10, 10);
    Next();
    clock_ = 1600;
    Next();  // None: no event, no new stamp
    EXPECT_EQ(host_->TickCount(), 1500u);
    clockStep_ = 5;  // the clock moves 5 ms between any two readings
    host_->Sleep(1);
    host_->Sleep(1);  // the first overshot the two: the second is skipped
    EXPECT_EQ(host_->TickCount(), 1505u);  // by the time each took, not to the clock's reading
}

// A slide sleeps between its steps: the window is redrawn meanwhile, and a
// press waits for the game rather than being lost.
TEST_F(SdlHostTest, InputDuringASleepWaitsForTheGame) {
    OpenHost();
    host_->WindowVisibilityChanged(true);
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    host_->Sleep(2);
    ExpectEvent(host_->WaitForEvent(true), HostEventKind::PenDown, 35, 272);
}

TEST_F(SdlHostTest, RecordingIsAReplayableScript) {
    SdlHostOptions options;
    options.recordPath = directory_ / "session.txt";
    OpenHost(options);
    host_->WindowVisibilityChanged(true);
    const auto paintAt = [this](std::uint32_t clock) {
        clock_ = clock;
        EXPECT_EQ(host_->WaitForEvent(true).kind, HostEventKind::Paint);
        host_->ClockWatched();  // as a ticking game does
    };
    paintAt(1016);
    paintAt(1047);
    paintAt(1078);
    clock_ = 1020;
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    host_->WaitForEvent(true);
    clock_ = 1021;
    EXPECT_EQ(host_->WaitForEvent(true).kind, HostEventKind::Paint);  // right after input
    clock_ = 1100;
    PushButton(SDL_MOUSEBUTTONUP, 71, 545);
    host_->WaitForEvent(true);
    host_->Sleep(1);  // a panel slides in: the clock moves unseen
    paintAt(1150);
    host_->HandOverReceived();
    clock_ = 1200;
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    host_->WaitForEvent(true);
    host_->WindowVisibilityChanged(false);
    clock_ = 1300;
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    EXPECT_EQ(Next().kind, HostEventKind::Restore);
    EXPECT_TRUE(host_->Recording());
    EXPECT_TRUE(host_->EndRecording());
    EXPECT_EQ(ReadFile(directory_ / "session.txt"),
              "# runner-args: --clock 1000\n"
              "clock 1016\nstep 0\npaint\nstep 31\npaint 2\n"
              "clock 1020\ndown 35 272\nstep 1\npaint\n"
              "clock 1100\nup 35 272\n"
              "clock 1150\nstep 0\npaint\n"
              "relaunch\n"
              "clock 1200\nfocus-lost\n"
              "clock 1300\nrelaunch\n");
}

// A disk that fills up (a file size limit stands in for it): the recording
// stops where the disk did, and the session is not a whole one.
TEST_F(SdlHostTest, RecordingCutShortFailsTheSession) {
    SdlHostOptions options;
    options.recordPath = directory_ / "session.txt";
    OpenHost(options);
    host_->WindowVisibilityChanged(true);
    const std::string kept = "# runner-args: --clock 1000\nclock 1016\n";
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit full{kept.size(), saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
    for (const std::uint32_t clock : {1016u, 1020u, 1030u}) {
        clock_ = clock;
        PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
        host_->WaitForEvent(true);
    }
    const bool whole = host_->EndRecording();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(whole);
    EXPECT_EQ(ReadFile(directory_ / "session.txt"), kept);
}

TEST_F(SdlHostTest, RecordingFileAppearsOnlyWithTheFirstEvent) {
    SdlHostOptions options;
    options.recordPath = directory_ / "session.txt";
    options.recordOverwrite = true;
    std::ofstream(options.recordPath) << "a running copy's recording\n";
    OpenHost(options);
    EXPECT_FALSE(host_->Recording());
    host_.reset();  // a copy that only handed over
    EXPECT_EQ(ReadFile(directory_ / "session.txt"), "a running copy's recording\n");
}

TEST_F(SdlHostTest, PresentedFrameIsKeptAndF12SavesIt) {
    OpenHost();
    host_->WindowVisibilityChanged(true);
    std::vector<std::uint8_t> memory(153600, 0);
    memory[(272 * 240 + 35) * 2] = 0x1F;  // blue, little-endian
    host_->PresentFrame(memory.data(), platform::DisplayConfig{}, true);
    EXPECT_EQ(host_->LastFrame()[272 * 240 + 35], 0x0000FFu);
    memory[(272 * 240 + 35) * 2] = 0;
    host_->PresentFrame(memory.data(), platform::DisplayConfig{}, false);
    EXPECT_EQ(host_->LastFrame()[272 * 240 + 35], 0x0000FFu) << "an unchanged frame is not looked at";

    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.state = SDL_PRESSED;
    key.key.keysym.sym = SDLK_F12;
    Push(key);
    ExpectEvent(Next(), HostEventKind::None);  // handled by the host, not the game
    const fs::directory_iterator shots(directory_);
    ASSERT_NE(shots, fs::directory_iterator());
    EXPECT_EQ(shots->path().filename().string().rfind("mirelink-", 0), 0u);
    EXPECT_EQ(shots->path().extension(), ".png");
    EXPECT_EQ(std::next(fs::directory_iterator(directory_)), fs::directory_iterator()) << "one picture";
}

}  // namespace
}  // namespace sdlhost
