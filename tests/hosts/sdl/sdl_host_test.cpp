// The desktop host on SDL's dummy video driver: events are pushed into SDL's
// queue as the window system would deliver them.
#include <gtest/gtest.h>

#include <cstdlib>
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
    HostEvent Next() { return host_->WaitForEvent(false); }

    fs::path directory_;
    std::uint32_t clock_ = 1000;
    std::uint32_t clockStep_ = 0;
    std::unique_ptr<SdlHost> host_;
};

void ExpectEvent(const HostEvent& event, HostEventKind kind, int x = 0, int y = 0) {
    EXPECT_EQ(event.kind, kind);
    EXPECT_EQ(event.x, x);
    EXPECT_EQ(event.y, y);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SdlVideoDriver, DriversThatDrawNowhereNeedToBeAskedFor) {
    EXPECT_TRUE(IsVisibleVideoDriver("x11", nullptr));
    EXPECT_FALSE(IsVisibleVideoDriver("offscreen", nullptr));
    EXPECT_FALSE(IsVisibleVideoDriver("dummy", nullptr));
    EXPECT_FALSE(IsVisibleVideoDriver("dummy", "x11"));
    EXPECT_TRUE(IsVisibleVideoDriver("dummy", "dummy"));
    EXPECT_FALSE(IsVisibleVideoDriver(nullptr, nullptr));
}

TEST_F(SdlHostTest, OnlyTheLeftButtonOnThePictureIsThePen) {
    OpenHost();
    PushButton(SDL_MOUSEBUTTONUP, 10, 10);  // a release with no press
    PushButton(SDL_MOUSEBUTTONDOWN, 10, 10, SDL_BUTTON_RIGHT);
    PushButton(SDL_MOUSEBUTTONDOWN, 480, 10);  // just right of the picture
    PushButton(SDL_MOUSEBUTTONUP, 480, 10);
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    PushButton(SDL_MOUSEBUTTONUP, 478, 639);
    PushButton(SDL_MOUSEBUTTONDOWN, 20, 20);
    PushButton(SDL_MOUSEBUTTONUP, -40, 900);  // off the picture: ends at the nearest edge
    PushButton(SDL_MOUSEBUTTONUP, 20, 20);    // the press already ended
    ExpectEvent(Next(), HostEventKind::PenDown, 35, 272);
    ExpectEvent(Next(), HostEventKind::PenUp, 239, 319);
    ExpectEvent(Next(), HostEventKind::PenDown, 10, 10);
    ExpectEvent(Next(), HostEventKind::PenUp, 0, 319);
    ExpectEvent(Next(), HostEventKind::None);
}

TEST_F(SdlHostTest, ShownFullScreenWindowMapsThroughTheLetterbox) {
    OpenHost();
    host_->WindowVisibilityChanged(true);
    EXPECT_NE(SDL_GetWindowFlags(host_->Window()) & SDL_WINDOW_SHOWN, 0u);
    host_->ToggleFullScreen();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(host_->Window(), &width, &height);
    const Viewport viewport = FitViewport(width, height, 0);
    ASSERT_TRUE(viewport.left > 0 || viewport.top > 0) << width << "x" << height;
    PushButton(SDL_MOUSEBUTTONDOWN, viewport.left - 1, viewport.top - 1);  // on the black
    PushButton(SDL_MOUSEBUTTONDOWN, viewport.left, viewport.top + viewport.scale * 5);
    ExpectEvent(Next(), HostEventKind::PenDown, 0, 5);
    host_->WindowVisibilityChanged(false);
    EXPECT_NE(SDL_GetWindowFlags(host_->Window()) & SDL_WINDOW_HIDDEN, 0u);
}

TEST_F(SdlHostTest, FocusLossCountsOnlyAfterFocusWasGainedAndClosingIsReportedOnce) {
    OpenHost();
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);  // stray, at start-up
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);  // repeated while hiding
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    ExpectEvent(Next(), HostEventKind::FocusLost);
    ExpectEvent(Next(), HostEventKind::Close);
    ExpectEvent(Next(), HostEventKind::None);
}

TEST_F(SdlHostTest, TickCountIsTheClockOfTheCurrentEventOrOfTheLastSleep) {
    OpenHost();
    EXPECT_EQ(host_->TickCount(), 1000u);
    clock_ = 1500;
    EXPECT_EQ(host_->TickCount(), 1000u);  // nothing delivered yet
    PushButton(SDL_MOUSEBUTTONDOWN, 10, 10);
    Next();
    EXPECT_EQ(host_->TickCount(), 1500u);
    clock_ = 1600;
    Next();  // None: no event, no new stamp
    EXPECT_EQ(host_->TickCount(), 1500u);

    clockStep_ = 5;  // the clock moves 5 ms between any two readings
    host_->Sleep(1);
    EXPECT_EQ(host_->TickCount(), 1505u);  // by the time it took, not to the clock's reading
    host_->Sleep(1);
    EXPECT_EQ(host_->TickCount(), 1510u);
}

TEST_F(SdlHostTest, RecordingIsAReplayableScript) {
    SdlHostOptions options;
    options.recordPath = directory_ / "session.txt";
    OpenHost(options);
    host_->WindowVisibilityChanged(true);
    clock_ = 1016;
    EXPECT_EQ(host_->WaitForEvent(true).kind, HostEventKind::Paint);
    clock_ = 1020;
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    host_->WaitForEvent(true);
    clock_ = 1100;
    PushButton(SDL_MOUSEBUTTONUP, 71, 545);
    host_->WaitForEvent(true);
    host_->HandOverReceived();
    clock_ = 1200;
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    host_->WaitForEvent(true);
    clock_ = 1300;
    PushButton(SDL_MOUSEBUTTONDOWN, 71, 545);
    EXPECT_EQ(Next().kind, HostEventKind::PenDown);  // the hidden window never sees it
    EXPECT_TRUE(host_->Recording());
    host_.reset();
    EXPECT_EQ(ReadFile(directory_ / "session.txt"),
              "# runner-args: --clock 1000\nstep 0\n"
              "clock 1016\npaint\n"
              "clock 1020\ndown 35 272\n"
              "clock 1100\nup 35 272\n"
              "relaunch\n"
              "clock 1200\nfocus-lost\n");
}

TEST_F(SdlHostTest, RecordingFileAppearsOnlyWithTheFirstEvent) {
    SdlHostOptions options;
    options.recordPath = directory_ / "session.txt";
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
    host_->PresentFrame(memory.data(), platform::DisplayConfig{});
    EXPECT_EQ(host_->LastFrame()[272 * 240 + 35], 0x0000FFu);

    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.state = SDL_PRESSED;
    key.key.keysym.sym = SDLK_F12;
    Push(key);
    ExpectEvent(Next(), HostEventKind::None);  // handled by the host, not the game
    std::vector<fs::path> shots;
    for (const auto& entry : fs::directory_iterator(directory_)) shots.push_back(entry.path());
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0].extension(), ".png");
    EXPECT_EQ(shots[0].filename().string().rfind("mirelink-", 0), 0u);
}

}  // namespace
}  // namespace sdlhost
