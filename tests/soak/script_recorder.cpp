#include "tests/soak/script_recorder.h"

#include <cstdio>
#include <fstream>

namespace soak {

using platform::HostEventKind;

namespace {
constexpr std::uint32_t kRunnerStep = 31;  // the runner's step until a `step` line
}

void ScriptRecorder::Start(std::uint32_t clock) {
    text_ = "# runner-args: --clock " + std::to_string(clock) + "\n";
    step_ = kRunnerStep;
    paints_ = 0;
}

void ScriptRecorder::FlushPaints() {
    if (paints_ == 0) return;
    text_ += paints_ == 1 ? std::string("paint\n") : "paint " + std::to_string(paints_) + "\n";
    paints_ = 0;
}

void ScriptRecorder::Record(const platform::HostEvent& event, std::uint32_t step) {
    if (event.kind == HostEventKind::Paint) {
        if (step != step_) {
            FlushPaints();
            text_ += "step " + std::to_string(step) + "\n";
            step_ = step;
        }
        ++paints_;
        return;
    }
    FlushPaints();
    switch (event.kind) {
        case HostEventKind::PenDown: AppendPen("down", event); break;
        case HostEventKind::PenUp: AppendPen("up", event); break;
        case HostEventKind::FocusLost: text_ += "focus-lost\n"; break;
        case HostEventKind::CloseRequest: text_ += "close\n"; break;
        case HostEventKind::Restore: text_ += "relaunch\n"; break;
        default: break;  // the runner closes the program at the end of its script
    }
}

void ScriptRecorder::AppendPen(const char* verb, const platform::HostEvent& event) {
    char line[48];
    std::snprintf(line, sizeof line, "%s %d %d\n", verb, static_cast<int>(event.x), static_cast<int>(event.y));
    text_ += line;
}

void ScriptRecorder::Comment(const std::string& text) {
    FlushPaints();
    text_ += "# " + text + "\n";
}

bool ScriptRecorder::WriteTo(const std::string& path) {
    FlushPaints();
    std::ofstream file(path, std::ios::binary);
    file << text_;
    return static_cast<bool>(file.flush());
}

}  // namespace soak
