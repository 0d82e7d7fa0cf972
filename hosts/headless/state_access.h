// The game state as the runner shows, compares and writes it: the JSON of
// `state`, the paths of `expect` and `set` ("score", "kinds[13]",
// "cells[0].delay", "platform.presents"), and the values they take.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/platform.h"
#include "state/game_state.h"

// One step of a path: a field name or an array index.
struct PathStep {
    bool isIndex = false;
    std::string name;
    std::size_t index = 0;
};
using FieldPath = std::vector<PathStep>;

// "cells[0].delay" -> cells, [0], delay. Nothing on malformed text.
std::optional<FieldPath> ParseFieldPath(std::string_view text);

// A value written in a script: an integer, or true/false.
struct ScriptValue {
    bool isFlag = false;
    std::int64_t number = 0;  // a flag keeps 1 or 0
};
std::optional<ScriptValue> ParseScriptValue(std::string_view text);

// The state's JSON keeps the fields in the order the code declares them.
using StateDocument = nlohmann::ordered_json;

// The whole state: every listed GameState field plus "platform".
StateDocument StateJson(GameState& state, const platform::Status& status);

enum class ExpectOutcome { Match, Mismatch, Invalid };
struct ExpectResult {
    ExpectOutcome outcome = ExpectOutcome::Invalid;
    std::string message;  // "wanted 5, got 3", or why the check cannot be made
};

// Compares the value at `path` in `state` (as made by StateJson) with `wanted`.
// A flag field takes true/false or 1/0; a number field takes an integer only.
ExpectResult CheckExpect(const StateDocument& state, const FieldPath& path, ScriptValue wanted);

// Writes `value` into the integer or flag field at `path`; with `dryRun` only
// checks that it could. Returns an empty string on success, else the reason.
std::string SetField(GameState& state, const FieldPath& path, ScriptValue value, bool dryRun);

std::string FormatFieldPath(const FieldPath& path);
