// The golden trace of a play: one line after every paint that ran a game tick
// and after every input of the script, holding the screen's hash and the
// hashes of the game state's fields. `--trace FILE` writes it; `--check-trace
// FILE` plays the same script and stops at the first line that differs, so any
// change in what the game does, draws or draws at random shows up.
//
// A line:  NUMBER SCRIPT-LINE CLOCK SCREEN [FIELD=HASH ...]
// The first line lists every field by name, each later line only the fields
// whose hash changed since the line before, by their place in the first line
// (0 the first); hashes in hex (state_hash.h says which fields and how). A
// field the trace names that the state no longer has is passed over, so that
// a field moved out of the state asks for no new traces; a field of the state
// that the trace lacks is a difference.
#pragma once

#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hosts/headless/screenshot.h"
#include "hosts/headless/state_hash.h"
#include "platform/platform.h"
#include "state/game_state.h"

// Where a line is taken: after the input or the paint of this script line.
struct TracePoint {
    int scriptLine = 0;
    std::uint32_t clock = 0;
    const PresentedFrame* frame = nullptr;
};

class Trace {
public:
    // The trace to write, or to check against; nothing (and `error`) when
    // the file cannot be opened or is not a trace.
    static std::optional<Trace> ForWriting(const std::string& path, std::string* error);
    static std::optional<Trace> ForChecking(const std::string& path, std::string* error);

    // Takes the line for this point: writes it, or compares it with the
    // file's next line. Returns an empty string, or what differs; on a
    // difference the state and the screen are written beside the trace
    // (FILE.actual.json, FILE.actual.png).
    std::string Take(const TracePoint& point, GameState& state, const platform::Status& status);
    // The play has ended: a line of the file it never reached is a difference
    // too; a trace being written is flushed.
    std::string Finish(GameState& state, const platform::Status& status, const PresentedFrame* frame);

private:
    struct Line {
        std::uint64_t number = 0;
        int scriptLine = 0;
        std::uint32_t clock = 0;
        std::uint32_t screen = 0;
    };

    Trace(std::string path, bool checking) : path_(std::move(path)), checking_(checking) {}
    std::string Write(const Line& line, const FieldHashes& fields);
    std::string Check(const Line& line, const FieldHashes& fields, GameState& state, const platform::Status& status,
                      const PresentedFrame* frame);
    std::optional<std::string> ReadExpected(Line* line);
    std::string Difference(const std::string& what, GameState& state, const platform::Status& status,
                           const PresentedFrame* frame);

    std::string path_;
    bool checking_;
    std::ofstream out_;
    std::ifstream in_;
    std::uint64_t fileLine_ = 0;   // the trace's line last read
    std::uint64_t number_ = 0;     // lines taken so far
    std::vector<std::string> names_;  // the fields in the order of the first line: a later line's ids
    std::map<std::string, std::uint32_t> last_;  // the fields as the previous line left them
};
