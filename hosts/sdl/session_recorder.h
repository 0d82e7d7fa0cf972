// Writes a desktop session as a script for the headless runner, so that the
// runner replays it to the same screen: the clock the session started with
// (which seeds the random sequence), then every delivered event at the clock
// the game read for it. Paints come about a thousand a second, mostly evenly
// spaced: a run of paints the same number of milliseconds apart is written as
// one `step` and one `paint N`. Every line is written out as soon as it is
// complete, so a session that is killed keeps all but its last run of paints.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace sdlhost {

// The script line of an event ("paint", "down 12 34", "up 12 34",
// "focus-lost", "close", "relaunch"); empty for events the runner has no
// line for.
std::string ScriptLine(const platform::HostEvent& event);

class SessionRecorder {
public:
    // Takes each line, newline included; false when it could not be kept
    // (the disk is full), and the recorder then writes nothing more: a
    // recording that stops short replays what it holds, and no more.
    using LineWriter = std::function<bool(std::string_view)>;

    // Writes the header at once: the runner's clock option as a comment.
    SessionRecorder(LineWriter write, std::uint32_t startClock);
    ~SessionRecorder();
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // One event as the game received it, at its clock.
    void RecordEvent(const platform::HostEvent& event, std::uint32_t clock);

    // A second copy of the program started and handed over to this one.
    void RecordRelaunch();

    // Marks where a screenshot was taken, as a comment: a `shot` line put
    // there makes the runner write the same picture.
    void RecordScreenshot(const std::string& fileName);

    // The game slept (a panel slid in): the clock moved by itself, and the
    // next line written sets it again.
    void ClockMovedUnseen() { clockKnown_ = false; }

    // Writes the run of paints under way.
    void Flush();

private:
    void WriteLine(const std::string& line);
    void MoveClockTo(std::uint32_t clock);

    LineWriter write_;
    bool stopped_ = false;       // a line could not be written
    std::uint32_t clock_;        // the runner's clock after the lines written
    bool clockKnown_ = false;    // clock_ is the runner's clock, not a guess
    std::int64_t step_ = -1;     // the runner's paint step; -1 before the first is written
    std::uint32_t runStep_ = 0;  // the spacing of the paints in the run under way
    std::uint32_t runPaints_ = 0;
};

}  // namespace sdlhost
