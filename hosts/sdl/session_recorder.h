// Writes a desktop session as a script for the headless runner, so that the
// runner replays it to the same screen: the clock the session started with
// (which seeds the random sequence), then every delivered event with the clock
// the game read for it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "platform/host.h"

namespace sdlhost {

// The script line of an event ("paint", "down 12 34", "up 12 34",
// "focus-lost"); empty for events the runner has no line for.
std::string ScriptLine(const platform::HostEvent& event);

class SessionRecorder {
public:
    // Writes the header at once: the runner's clock option as a comment and a
    // zero paint step, so that each paint runs at exactly its recorded clock.
    SessionRecorder(std::ostream& out, std::uint32_t startClock);
    ~SessionRecorder();
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // One event as the game received it, preceded by its clock.
    void RecordEvent(const platform::HostEvent& event, std::uint32_t clock);

    // A second copy of the program started and handed over to this one.
    void RecordRelaunch();

    // Marks where a screenshot was taken, as a comment: a `shot` line put
    // there makes the runner write the same picture.
    void RecordScreenshot(const std::string& fileName);

    void Flush();

private:
    std::ostream& out_;
};

}  // namespace sdlhost
