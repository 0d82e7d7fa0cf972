// The runner's script: one command a line, `#` starts a comment. The whole
// script is read and checked before the program starts, so that a mistake in
// line 90 does not surface after a minute of play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "hosts/headless/state_access.h"
#include "state/game_state.h"

enum class CommandKind {
    Paint,      // amount: how many paints
    Step,       // amount: clock advance before each paint
    Clock,      // amount: the new clock
    PenDown,    // x, y
    PenUp,      // x, y
    Tap,        // x, y (tapcell is a tap at the cell's centre)
    FocusLost,
    Close,      // the window's close button
    Relaunch,
    Shot,       // file
    State,      // file; "-" is standard output
    Expect,     // path, value
    Set,        // path, value
};

struct Command {
    CommandKind kind = CommandKind::Paint;
    int line = 0;
    std::uint32_t amount = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::string file;
    FieldPath path;
    ScriptValue value;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

using Script = std::vector<Command>;

constexpr std::uint32_t kDefaultPaintStep = 31;

// A script is a regular file of at most this many bytes (16 MiB): a device, a
// pipe or a directory given by mistake might never end (/dev/zero).
constexpr std::size_t kMaxScriptBytes = std::size_t{16} << 20;

// The text of the script file at `path`, or (in `error`) why it cannot be a
// script: it is missing or unreadable, not a regular file, or larger than
// `maxBytes`. Nothing beyond `maxBytes` is read, and a pipe is not waited on.
struct ScriptFile {
    std::string text;
    std::string error;  // empty when the text was read
};
ScriptFile ReadScriptFile(const std::string& path, std::size_t maxBytes = kMaxScriptBytes);

std::variant<Script, ScriptError> ParseScript(std::string_view text);

// Checks every `expect` and `set` against the state's fields: the path names
// a field, the value suits it. `state` is only read.
std::optional<ScriptError> CheckScriptFields(const Script& script, GameState& state);
