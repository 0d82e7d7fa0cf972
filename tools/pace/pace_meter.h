// Runs the desktop program's real loop on its real host, playing the part of
// a player who closes the about page, watches the still title, starts a game
// and then hides it, and measures each stretch: game ticks a second and how
// far apart they fall, the share of a core the process used and how often its
// main thread woke, beside the floor program run at the same time.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

struct PaceReport {
    std::string stretch;  // "title", "play", "hidden"
    double seconds = 0;
    int ticks = 0;
    double shortestGapMs = 0;
    double longestGapMs = 0;
    double cpuShare = 0;  // of one core, 0 to 1
    int wakeUps = 0;      // times the main thread slept and woke
    int evenGaps = 0;     // gaps of 31 or 32 ms
    int newFrames = 0;    // frames presented that differ from the one before
    double floorCpuShare = -1;  // the floor's, beside it; negative: none ran
    double floorWakeUpsPerSecond = 0;
};

class PaceMeter final : public platform::Host {
public:
    // `inner` is the real host, `wake` makes its wait return; each stretch lasts `stretch`. `floorCommand`
    // runs the floor for a stretch ("idle" or "draw" is appended) and prints
    // its CPU share and wake-ups a second.
    PaceMeter(platform::Host& inner, std::function<void()> wake, std::chrono::milliseconds stretch,
              std::string floorCommand);

    const std::vector<PaceReport>& Reports() const { return reports_; }

    std::uint32_t TickCount() override { return inner_.TickCount(); }
    void ClockWatched() override { inner_.ClockWatched(); }
    void Sleep(std::uint32_t milliseconds) override { inner_.Sleep(milliseconds); }
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override {
        if (changed) ++current_.newFrames;
        inner_.PresentFrame(memory, config, changed);
    }
    int ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) override {
        return inner_.ShowMessageBox(caption, text, type);
    }
    void WindowVisibilityChanged(bool visible) override { inner_.WindowVisibilityChanged(visible); }
    void WindowBroughtForward() override { inner_.WindowBroughtForward(); }
    void HandOverReceived() override { inner_.HandOverReceived(); }
    void SetWindowIcon(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height) override {
        inner_.SetWindowIcon(pixels, width, height);
    }

private:
    using Clock = std::chrono::steady_clock;
    void StartStretch();
    void EndStretch();
    void NoteTick();
    // The player's next move once a stretch is over; none when all are done.
    std::optional<platform::HostEvent> NextMove();

    platform::Host& inner_;
    std::function<void()> wake_;
    std::chrono::milliseconds stretchLength_;
    std::string floorCommand_;
    std::vector<platform::HostEvent> moves_;  // taps still to make
    bool starting_ = false;
    bool settling_ = false;  // between a stretch's end and the next taps  // the stretch starts once its taps are handled
    std::FILE* floor_ = nullptr;
    int stage_ = 0;
    std::vector<PaceReport> reports_;
    PaceReport current_;
    Clock::time_point stretchStart_;
    double cpuAtStart_ = 0;
    long switchesAtStart_ = 0;
    std::uint32_t lastTickTime_ = 0;
};
