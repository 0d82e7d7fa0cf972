// The host of the scripted runner: a virtual clock, no window, and a script
// that stands in for the player. Each time the platform's queue runs dry, the
// host runs script lines until one of them gives the program something to do.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "hosts/headless/child_process.h"
#include "hosts/headless/screenshot.h"
#include "hosts/headless/script.h"
#include "hosts/headless/trace.h"
#include "platform/host.h"
#include "platform/platform.h"
#include "state/game_state.h"

struct HeadlessSettings {
    std::string scriptName;           // how messages name the script
    std::uint32_t clock = 1000;       // the virtual clock at start
    std::string relaunchProgram;      // the runner itself, for `relaunch`
    // The second copy's options besides its clock (namespace, display, the
    // flag that makes it insist on handing over, and so play no script).
    std::vector<std::string> relaunchOptions;
    std::chrono::milliseconds relaunchTimeout{60000};
    std::ostream* out = nullptr;      // `state -`
    std::ostream* errors = nullptr;   // failures and message boxes
    Trace* trace = nullptr;           // the golden trace to write or check
};

class HeadlessHost final : public platform::Host {
public:
    using StatusSource = std::function<platform::Status()>;

    HeadlessHost(Script script, HeadlessSettings settings, GameState& state, StatusSource status);

    std::uint32_t TickCount() override { return clock_; }
    void Sleep(std::uint32_t milliseconds) override { clock_ += milliseconds; }
    platform::HostEvent WaitForEvent(bool paintable) override;
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override;
    int ShowMessageBox(std::string_view caption, std::string_view text, std::uint32_t type) override;
    void WindowVisibilityChanged(bool) override {}

    // The program's loop has ended. A line it never got to (or a paint or
    // pen-up of a line it did not take) fails the run: nothing is left
    // unchecked. A program that ended before it ever asked for input (it
    // refused the display) played no part of the script, and fails nothing.
    void ProgramEnded();

    // An `expect`, `set`, `shot`, `state` or `relaunch` failed, or the program
    // ended before the script; the run ended there.
    bool Failed() const { return failed_; }

private:
    platform::HostEvent NextEvent(bool paintable);
    void TraceLastEvent();
    void TracePointReached(int line);
    std::optional<platform::HostEvent> Run(const Command& command, bool paintable);
    std::optional<platform::HostEvent> NextPaint(bool paintable);
    bool RelaunchStillRunning();
    void StartRelaunch(const Command& command);
    void WriteShot(const Command& command);
    void WriteState(const Command& command);
    void CheckExpectation(const Command& command);
    void SetGameField(const Command& command);
    void Fail(int line, const std::string& message);
    platform::HostEvent EndOfScript();

    Script script_;
    HeadlessSettings settings_;
    GameState& state_;
    StatusSource status_;

    std::size_t nextLine_ = 0;
    std::uint32_t clock_;
    std::uint32_t step_ = kDefaultPaintStep;
    std::uint32_t pendingPaints_ = 0;
    std::optional<platform::HostEvent> pendingPenUp_;
    int pendingLine_ = 0;  // the line of the pending paints or pen-up
    bool started_ = false;  // the program has asked for input

    std::optional<ChildProcess> relaunch_;
    int relaunchLine_ = 0;
    std::chrono::steady_clock::time_point relaunchDeadline_;

    std::optional<PresentedFrame> lastFrame_;
    // The event handed out last, for the trace: a paint writes a line only
    // when it ran a tick, every input of the script writes one.
    platform::HostEventKind tracedKind_ = platform::HostEventKind::None;
    int tracedLine_ = 0;
    std::uint32_t lastTickSeen_ = 0;
    bool ended_ = false;
    bool closeSent_ = false;
    bool failed_ = false;
};
