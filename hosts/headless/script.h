// The runner's script: one command a line, `#` starts a comment. The whole
// script is read and checked before the program starts, so that a mistake in
// line 90 does not surface after a minute of play.
#pragma once

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

std::variant<Script, ScriptError> ParseScript(std::string_view text);

// Checks every `expect` and `set` against the state's fields: the path names
// a field, the value suits it. `state` is only read.
std::optional<ScriptError> CheckScriptFields(const Script& script, GameState& state);
