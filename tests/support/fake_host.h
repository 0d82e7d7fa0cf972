// A host without a window, for unit tests of the game and the platform: a
// virtual clock, a script of input events, and a record of everything the
// platform showed (message boxes, frames, visibility changes, hand-overs).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/platform.h"

namespace test_support {

struct MessageBoxRecord {
    std::string caption;
    std::string text;
};

class FakeHost : public platform::Host {
public:
    FakeHost() = default;
    ~FakeHost() override;
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // Forgets the platform's state (a fresh process) and installs this host.
    // The instance namespace becomes one of this test process's own, so that
    // tests running in parallel (or a desktop game) never find one another.
    void Install(const platform::DisplayConfig& display = {});

    // ---- input script: once it has run out, a paint while the window is
    // shown, else a close ----
    void Push(std::initializer_list<platform::HostEvent> events) { events_.insert(events_.end(), events); }
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
    std::vector<bool> visibilityLog;  // every change, in order
    int handOvers = 0;
    std::uint32_t iconWidth = 0;

    void AdvanceClock(std::uint32_t milliseconds) { clock_ += milliseconds; }

    // platform::Host
    std::uint32_t TickCount() override { return clock_; }
    void Sleep(std::uint32_t milliseconds) override { clock_ += milliseconds; }  // a virtual clock
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t*, const platform::DisplayConfig&, bool changed) override {
        ++framesPresented;
        framesChanged += changed ? 1 : 0;
    }
    int ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t) override {
        messageBoxes.push_back({std::string(caption), std::string(text)});
        return messageBoxResult;
    }
    void WindowVisibilityChanged(bool visible) override { visibilityLog.push_back(visible); }
    void WindowBroughtForward() override {}
    void HandOverReceived() override { ++handOvers; }
    void SetWindowIcon(const std::uint8_t*, std::uint32_t width, std::uint32_t) override { iconWidth = width; }

private:
    std::uint32_t clock_ = 1000;
    std::deque<platform::HostEvent> events_;
    bool installed_ = false;
    platform::DisplayConfig installedDisplay_{};
};

}  // namespace test_support
