// Runs the desktop program's real loop on its real host, playing the part of
// a player who closes the about page, watches the title, starts a game and
// then hides it, and measures each stretch: game ticks a second and how far
// apart they fall, the share of a core the process used, and how often the
// loop woke while the game was hidden.
#pragma once

#include <chrono>
#include <cstdint>
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
    int wakeUps = 0;      // returns from the host's wait
};

class PaceMeter final : public platform::Host {
public:
    // `inner` is the real host; each stretch lasts `stretch`.
    PaceMeter(platform::Host& inner, std::chrono::milliseconds stretch);

    const std::vector<PaceReport>& Reports() const { return reports_; }

    std::uint32_t TickCount() override { return inner_.TickCount(); }
    void Sleep(std::uint32_t milliseconds) override { inner_.Sleep(milliseconds); }
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override {
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
    void StartStretch(const char* name);
    void EndStretch();
    void NoteTick();
    // The player's next move once a stretch is over; none when all are done.
    std::optional<platform::HostEvent> NextMove();

    platform::Host& inner_;
    std::chrono::milliseconds stretchLength_;
    std::vector<platform::HostEvent> moves_;  // taps still to make
    int stage_ = 0;
    std::vector<PaceReport> reports_;
    PaceReport current_;
    Clock::time_point stretchStart_;
    double cpuAtStart_ = 0;
    std::uint32_t lastTickTime_ = 0;
};
