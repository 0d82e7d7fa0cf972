#include "hosts/sdl/session_recorder.h"

#include <utility>

namespace sdlhost {
namespace {

std::string PenLine(const char* verb, const platform::HostEvent& event) {
    return std::string(verb) + " " + std::to_string(event.x) + " " + std::to_string(event.y);
}

}  // namespace

std::string ScriptLine(const platform::HostEvent& event) {
    using Kind = platform::HostEventKind;
    switch (event.kind) {
        case Kind::Paint:
            return "paint";
        case Kind::PenDown:
            return PenLine("down", event);
        case Kind::PenUp:
            return PenLine("up", event);
        case Kind::FocusLost:
            return "focus-lost";
        case Kind::CloseRequest:
            return "close";
        // The user brought the hidden window back: the runner's relaunch is
        // the very same hand-over.
        case Kind::Restore:
            return "relaunch";
        case Kind::None:
        case Kind::Close:
            break;
    }
    return {};
}

SessionRecorder::SessionRecorder(LineWriter write, std::uint32_t startClock)
    : write_(std::move(write)), clock_(startClock) {
    WriteLine("# runner-args: --clock " + std::to_string(startClock));
}

SessionRecorder::~SessionRecorder() { Flush(); }

void SessionRecorder::RecordEvent(const platform::HostEvent& event, std::uint32_t clock) {
    if (event.kind == platform::HostEventKind::Paint) {
        if (!clockKnown_) {
            // Set the clock, and paint at it.
            Flush();
            MoveClockTo(clock);
            runStep_ = 0;
            runPaints_ = 1;
            return;
        }
        // The clock wraps as the game's does: the step is the unsigned gap.
        const std::uint32_t gap = clock - clock_;
        if (runPaints_ > 0 && gap == runStep_) {
            ++runPaints_;
        } else {
            Flush();
            runStep_ = gap;
            runPaints_ = 1;
        }
        clock_ = clock;
        return;
    }
    if (event.kind == platform::HostEventKind::Close) {
        Flush();
        WriteLine("# the window was closed");
        return;
    }
    const std::string line = ScriptLine(event);
    if (line.empty()) {
        return;
    }
    Flush();
    MoveClockTo(clock);
    WriteLine(line);
}

void SessionRecorder::RecordRelaunch() {
    Flush();
    WriteLine("relaunch");
}

void SessionRecorder::RecordScreenshot(const std::string& fileName) {
    Flush();
    WriteLine("# screenshot " + fileName);
}

void SessionRecorder::Flush() {
    if (runPaints_ == 0) {
        return;
    }
    if (step_ != runStep_) {
        WriteLine("step " + std::to_string(runStep_));
        step_ = runStep_;
    }
    WriteLine(runPaints_ == 1 ? std::string("paint") : "paint " + std::to_string(runPaints_));
    runPaints_ = 0;
}

// The paints of a run already moved the runner's clock; any other event
// sets it unless it is there already.
void SessionRecorder::MoveClockTo(std::uint32_t clock) {
    if (clockKnown_ && clock == clock_) {
        return;
    }
    WriteLine("clock " + std::to_string(clock));
    clock_ = clock;
    clockKnown_ = true;
}

void SessionRecorder::WriteLine(const std::string& line) {
    if (!stopped_) stopped_ = !write_(line + '\n');
}

}  // namespace sdlhost
