// The program, run in this process on a host of our own: a virtual clock that
// moves only by paints and the game's own sleeps, so it runs as fast as the
// machine allows; a driver that stands in for the player; and the rules
// checked after every event the program takes.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "hosts/sdl/session_recorder.h"
#include "platform/host.h"
#include "tests/soak/checker.h"

namespace soak {

class VirtualHost;

// Whatever gives the program its input: events planned ahead, handed out one
// by one, each paint with the clock advance before it.
class Driver {
public:
    virtual ~Driver() = default;
    void Attach(VirtualHost& host) { host_ = &host; }
    // The next event; `shown`: the window is shown, so paints and pens reach
    // the game. While hidden, paints only let time pass. Once done, a close.
    platform::HostEvent Next(bool shown);
    std::uint32_t PaintStep() const { return step_; }
    virtual bool Done() const = 0;

protected:
    // Plans the next events when the last plan has run out; a program started
    // afresh drops what was planned for the last one.
    virtual void Plan(bool shown) = 0;
    void Push(platform::HostEvent event, std::uint32_t step = 31) { pending_.push_back({event, step}); }
    void Push(const std::vector<platform::HostEvent>& events) {
        for (const platform::HostEvent& event : events) Push(event);
    }
    VirtualHost* host_ = nullptr;

private:
    struct Planned {
        platform::HostEvent event;
        std::uint32_t step;
    };
    std::deque<Planned> pending_;
    std::uint64_t program_ = 0;
    std::uint32_t step_ = 31;
};

class VirtualHost final : public platform::Host {
public:
    VirtualHost(Driver& driver, std::uint32_t clock) : driver_(driver), clock_(clock) {}

    // Starts the program from the state a fresh process finds and runs it
    // until its loop ends. False once a rule has broken.
    bool RunProgram();

    // Ends the run with a failure of the driver's own (a player stuck).
    void Fail(Failure failure);
    const std::optional<Failure>& Failed() const { return failure_; }
    // "tick T (event E, clock C)": where the run is.
    std::string Where() const;

    bool DriverDone() const { return driver_.Done(); }
    const Checker& Rules() const { return checker_; }
    const std::atomic<std::uint64_t>& EventCount() const { return events_; }
    std::uint32_t ProgramStartClock() const { return startClock_; }
    std::uint64_t Programs() const { return programs_; }
    // Writes the program run so far as a mirelink-headless script; false
    // when the file cannot be written.
    bool WriteScript(const std::string& path);

    std::uint32_t TickCount() override { return clock_; }
    void Sleep(std::uint32_t milliseconds) override {
        clock_ += milliseconds;
        recorder_->ClockMovedUnseen();  // the script's next line sets the clock
    }
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t*, const platform::DisplayConfig&, bool) override {}
    int ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) override;
    void WindowVisibilityChanged(bool) override {}

private:
    Driver& driver_;
    Checker checker_;
    std::string script_;  // the program run so far, as the runner replays it
    std::optional<sdlhost::SessionRecorder> recorder_;
    std::uint32_t clock_;
    std::uint32_t startClock_ = 0;
    std::atomic<std::uint64_t> events_{0};
    std::uint64_t programs_ = 0;
    std::optional<Failure> failure_;
};

}  // namespace soak
