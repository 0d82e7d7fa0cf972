// The events of one program run, written as a mirelink-headless script, so
// that a failure found here replays in the scripted runner.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace soak {

class ScriptRecorder {
public:
    // A fresh program, started at this clock.
    void Start(std::uint32_t clock);
    // One event, delivered after `step` ms when it is a paint.
    void Record(const platform::HostEvent& event, std::uint32_t step);
    void Comment(const std::string& text);
    // False when the file cannot be written.
    bool WriteTo(const std::string& path);

private:
    void FlushPaints();
    void AppendPen(const char* verb, const platform::HostEvent& event);

    std::string text_;
    std::uint32_t step_ = 31;
    std::uint64_t paints_ = 0;
};

}  // namespace soak
