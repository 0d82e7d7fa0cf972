// The runner's script parser and its check of every `expect` and `set` on
// any text. Beyond the sanitizers: every line number names a line of the
// text, in order; a field path reads back the same from its written form;
// and a script the check passed has each of its `set` lines write and each
// of its `expect` lines compare, as the run will.
#include <algorithm>
#include <variant>

#include "hosts/headless/script.h"
#include "tests/fuzz/require.h"

namespace {

bool SamePath(const FieldPath& a, const FieldPath& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PathStep& x, const PathStep& y) {
        return x.isIndex == y.isIndex && x.name == y.name && x.index == y.index;
    });
}

bool NamesField(CommandKind kind) { return kind == CommandKind::Expect || kind == CommandKind::Set; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Made once: the state is megabytes, and its JSON slow to make. Whether a
    // path names a field, and what a field takes, depend on neither's values.
    static GameState* const state = new GameState();
    static const StateDocument* const json = new StateDocument(StateJson(*state, platform::Status{}));

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const auto parsed = ParseScript(text);
    if (const auto* error = std::get_if<ScriptError>(&parsed)) {
        Require(error->line >= 1 && error->line <= lines, "a mistake names a line of the text");
        Require(!error->message.empty(), "a mistake says what it is");
        return 0;
    }
    const Script& script = std::get<Script>(parsed);
    int previous = 0;
    for (const Command& command : script) {
        Require(command.line > previous && command.line <= lines, "commands name their lines, in order");
        previous = command.line;
        if (!NamesField(command.kind)) continue;
        const auto again = ParseFieldPath(FormatFieldPath(command.path));
        Require(again && SamePath(*again, command.path), "a path reads back the same from its written form");
    }
    if (CheckScriptFields(script, *state)) return 0;
    for (const Command& command : script) {
        if (command.kind == CommandKind::Set)
            Require(SetField(*state, command.path, command.value, false).empty(), "a checked `set` writes");
        if (command.kind == CommandKind::Expect)
            Require(CheckExpect(*json, command.path, command.value).outcome != ExpectOutcome::Invalid,
                    "a checked `expect` compares");
    }
    return 0;
}
