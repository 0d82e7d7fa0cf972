// A host without a window, for unit tests of the game and the platform: a
// virtual clock, a script of input events, and a record of everything the
// platform showed (message boxes, frames, visibility changes, hand-overs).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/platform.h"

namespace test_support {

struct MessageBoxRecord {
    std::string caption;
    std::string text;
    std::uint32_t type;
};

class FakeHost : public platform::Host {
public:
    // What WaitForEvent answers once the script has run out.
    enum class WhenIdle {
        PaintOrClose,  // Paint while the window is shown, otherwise Close (default)
        Close,
        None,
    };

    FakeHost() = default;
    ~FakeHost() override;
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // Forgets the platform's state (a fresh process) and installs this host.
    // The instance namespace becomes one of this test process's own, so that
    // tests running in parallel (or a desktop game) never find one another.
    void Install(const platform::DisplayConfig& display = {});

    // ---- clock ----
    void SetClock(std::uint32_t milliseconds) { clock_ = milliseconds; }
    void AdvanceClock(std::uint32_t milliseconds) { clock_ += milliseconds; }
    std::uint32_t Clock() const { return clock_; }
    // Added to the clock before each scripted or idle Paint is handed out, so
    // that a game loop advances as it would in real time (0 = the clock stands).
    std::uint32_t paintStepMs = 0;
    std::uint64_t totalSleptMs = 0;
    int sleepCalls = 0;

    // ---- input script ----
    void Push(const platform::HostEvent& event) { events_.push_back(event); }
    void PushPaint(int count = 1);
    void PushPenDown(std::int32_t x, std::int32_t y);
    void PushPenUp(std::int32_t x, std::int32_t y);
    void PushTap(std::int32_t x, std::int32_t y);  // down then up at the same place
    void PushFocusLost();
    void PushClose();
    void PushNone();
    std::size_t PendingEvents() const { return events_.size(); }
    WhenIdle whenIdle = WhenIdle::PaintOrClose;
    // Idle paints handed out before the host asks to close instead, so that a
    // game loop under test cannot run for ever; negative = no limit.
    int idlePaintLimit = -1;
    int idlePaints = 0;
    // Called on every WaitForEvent before the script; an event it returns is
    // handed out instead. Lets a test react to the loop (count paints, stop).
    std::function<std::optional<platform::HostEvent>(bool paintable)> onWait;
    int waitCalls = 0;
    bool lastPaintable = false;

    // ---- what the platform showed ----
    std::vector<MessageBoxRecord> messageBoxes;
    int messageBoxResult = 1;  // IDOK; 0 = the box could not be shown
    std::uint64_t framesPresented = 0;
    std::uint64_t framesChanged = 0;  // presented frames that differed from the one before
    std::vector<std::uint8_t> lastFrame;  // a copy of display memory at the last present
    platform::DisplayConfig lastFrameConfig{};
    std::vector<bool> visibilityLog;  // every change, in order
    int broughtForward = 0;
    int handOvers = 0;
    std::vector<std::uint8_t> iconPixels;
    std::uint32_t iconWidth = 0;
    std::uint32_t iconHeight = 0;

    // platform::Host
    std::uint32_t TickCount() override { return clock_; }
    void Sleep(std::uint32_t milliseconds) override;
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override;
    int ShowMessageBox(std::string_view caption, std::string_view text,
                       std::uint32_t type) override;
    void WindowVisibilityChanged(bool visible) override { visibilityLog.push_back(visible); }
    void WindowBroughtForward() override { ++broughtForward; }
    void HandOverReceived() override { ++handOvers; }
    void SetWindowIcon(const std::uint8_t* pixels, std::uint32_t width,
                       std::uint32_t height) override;

private:
    platform::HostEvent Idle(bool paintable);
    std::uint32_t clock_ = 1000;
    std::deque<platform::HostEvent> events_;
    bool installed_ = false;
    platform::DisplayConfig installedDisplay_{};
};

}  // namespace test_support
