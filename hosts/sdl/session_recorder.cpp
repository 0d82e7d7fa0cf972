#include "hosts/sdl/session_recorder.h"

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
        case Kind::None:
        case Kind::Close:
            break;
    }
    return {};
}

SessionRecorder::SessionRecorder(std::ostream& out, std::uint32_t startClock) : out_(out) {
    out_ << "# runner-args: --clock " << startClock << "\n"
         << "step 0\n";
}

SessionRecorder::~SessionRecorder() { Flush(); }

void SessionRecorder::RecordEvent(const platform::HostEvent& event, std::uint32_t clock) {
    if (event.kind == platform::HostEventKind::Close) {
        out_ << "# the window was closed\n";
        Flush();
        return;
    }
    const std::string line = ScriptLine(event);
    if (line.empty()) {
        return;
    }
    out_ << "clock " << clock << "\n" << line << "\n";
    // Paints come sixty times a second; anything rarer is worth keeping
    // should the session end abruptly.
    if (event.kind != platform::HostEventKind::Paint) {
        Flush();
    }
}

void SessionRecorder::RecordRelaunch() {
    out_ << "relaunch\n";
    Flush();
}

void SessionRecorder::RecordScreenshot(const std::string& fileName) {
    out_ << "# screenshot " << fileName << "\n";
    Flush();
}

void SessionRecorder::Flush() { out_.flush(); }

}  // namespace sdlhost
