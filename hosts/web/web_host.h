// The browser host: the game in a web page. A canvas shows the 240x320
// screen, pointer events (mouse or touch) are the pen, a hidden tab is the
// focus loss, and a button on the page brings a hidden game back through the
// same hand-over a second start sends on the desktop.
//
// The game's loop blocks in its message wait, which a page cannot do: the
// program is built so that its waits yield to the browser (Asyncify), and
// the page holds the pending input until the program asks for it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "hosts/sdl/paint_schedule.h"
#include "hosts/sdl/pixel_convert.h"
#include "platform/host.h"

namespace webhost {


class WebHost final : public platform::Host {
public:
    // `startClock`: the tick count the program starts at (it seeds the game's
    // random sequence).
    explicit WebHost(std::uint32_t startClock);

    std::uint32_t TickCount() override;
    void ClockWatched() override { schedule_.ClockWatched(); }
    void Sleep(std::uint32_t milliseconds) override;
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override;
    int ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) override;
    void WindowVisibilityChanged(bool visible) override;

private:
    std::uint32_t Now() const;  // the program's clock now

    sdlhost::PaintSchedule schedule_;
    sdlhost::SleepRun sleepRun_;
    std::uint32_t startClock_;
    double startTime_;
    std::uint32_t tickCount_;
    std::array<std::uint32_t, sdlhost::kScreenPixels> xrgb_{};
    std::array<std::uint8_t, sdlhost::kScreenPixels * 4> rgba_{};  // the frame as the canvas takes it
};

// The page's start clock: `?clock=MS` in its address, else the time of day.
std::uint32_t PageStartClock();

// The program has ended ("X", then "Yes"): the page says so and offers to
// start again.
void ShowProgramEnded();

}  // namespace webhost
