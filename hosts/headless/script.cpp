#include "hosts/headless/script.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>

namespace {

constexpr std::uint64_t kMaxMilliseconds = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kMaxPenCoordinate = 65535;
constexpr std::uint64_t kLastCell = kBoardSize - 1;

// A word of the script as a message quotes it: a long one cut short, so that
// a line of megabytes does not come back whole on the terminal.
std::string Quote(const std::string& word) {
    constexpr std::size_t kShown = 40;
    return "'" + (word.size() <= kShown ? word : word.substr(0, kShown) + "...") + "'";
}

std::vector<std::string> Words(std::string_view line) {
    if (const auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    std::vector<std::string> words;
    std::istringstream stream{std::string(line)};
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::optional<std::uint64_t> ParseWhole(const std::string& text, std::uint64_t low, std::uint64_t high) {
    std::uint64_t value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc{} || end != last || value < low || value > high) return std::nullopt;
    return value;
}

class LineParser {
public:
    LineParser(int line, std::vector<std::string> words) : words_(std::move(words)) { command_.line = line; }

    std::variant<Command, std::string> Parse();

private:
    const std::string& Name() const { return words_.front(); }
    std::size_t ArgumentCount() const { return words_.size() - 1; }
    std::string WantArguments(const char* usage) const { return Name() + ": usage is '" + usage + "'"; }

    // Argument `i` (from 1) as a whole number in [low, high], into `out`.
    std::string ReadWhole(std::size_t i, const char* what, std::uint64_t low, std::uint64_t high,
                          std::uint64_t* out) const {
        const auto value = ParseWhole(words_[i], low, high);
        if (!value)
            return Name() + ": " + what + " must be a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not " + Quote(words_[i]);
        *out = *value;
        return {};
    }

    // `fallback`: the amount when the argument is left out; none: it is required.
    std::string ParseAmount(const char* usage, const char* what, std::uint64_t low,
                            std::optional<std::uint64_t> fallback);
    std::string ParsePosition(CommandKind kind, const char* usage, std::uint64_t high, bool cell);
    std::string ParseFile(CommandKind kind, const char* usage);
    std::string ParseField(CommandKind kind, const char* usage);
    std::string ParseBare(CommandKind kind);

    std::vector<std::string> words_;
    Command command_;
};

std::string LineParser::ParseAmount(const char* usage, const char* what, std::uint64_t low,
                                    std::optional<std::uint64_t> fallback) {
    if (ArgumentCount() > 1 || (ArgumentCount() == 0 && !fallback)) return WantArguments(usage);
    std::uint64_t amount = fallback.value_or(0);
    if (ArgumentCount() == 1) {
        if (std::string error = ReadWhole(1, what, low, kMaxMilliseconds, &amount); !error.empty()) return error;
    }
    command_.amount = static_cast<std::uint32_t>(amount);
    return {};
}

std::string LineParser::ParsePosition(CommandKind kind, const char* usage, std::uint64_t high, bool cell) {
    command_.kind = kind;
    if (ArgumentCount() != 2) return WantArguments(usage);
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    if (std::string error = ReadWhole(1, cell ? "C" : "X", 0, high, &x); !error.empty()) return error;
    if (std::string error = ReadWhole(2, cell ? "R" : "Y", 0, high, &y); !error.empty()) return error;
    if (cell) {
        x = x * kCellPixels + kCellPixels / 2;
        y = y * kCellPixels + kCellPixels / 2;
    }
    command_.x = static_cast<std::int32_t>(x);
    command_.y = static_cast<std::int32_t>(y);
    return {};
}

std::string LineParser::ParseFile(CommandKind kind, const char* usage) {
    command_.kind = kind;
    if (ArgumentCount() != 1) return WantArguments(usage);
    command_.file = words_[1];
    return {};
}

std::string LineParser::ParseField(CommandKind kind, const char* usage) {
    command_.kind = kind;
    if (ArgumentCount() != 2) return WantArguments(usage);
    const auto path = ParseFieldPath(words_[1]);
    if (!path) return Name() + ": " + Quote(words_[1]) + " is not a field path such as score, kinds[13] or cells[0].delay";
    const auto value = ParseScriptValue(words_[2]);
    if (!value) return Name() + ": " + Quote(words_[2]) + " is not an integer, true or false";
    command_.path = *path;
    command_.value = *value;
    return {};
}

std::string LineParser::ParseBare(CommandKind kind) {
    command_.kind = kind;
    return ArgumentCount() == 0 ? std::string{} : Name() + " takes no arguments";
}

std::variant<Command, std::string> LineParser::Parse() {
    std::string error;
    const std::string& name = Name();
    if (name == "paint") {
        command_.kind = CommandKind::Paint;
        error = ParseAmount("paint [N]", "N", 1, 1);
    } else if (name == "step") {
        command_.kind = CommandKind::Step;
        error = ParseAmount("step MS", "MS", 0, std::nullopt);
    } else if (name == "clock") {
        command_.kind = CommandKind::Clock;
        error = ParseAmount("clock MS", "MS", 0, std::nullopt);
    } else if (name == "down") {
        error = ParsePosition(CommandKind::PenDown, "down X Y", kMaxPenCoordinate, false);
    } else if (name == "up") {
        error = ParsePosition(CommandKind::PenUp, "up X Y", kMaxPenCoordinate, false);
    } else if (name == "tap") {
        error = ParsePosition(CommandKind::Tap, "tap X Y", kMaxPenCoordinate, false);
    } else if (name == "tapcell") {
        error = ParsePosition(CommandKind::Tap, "tapcell C R", kLastCell, true);
    } else if (name == "focus-lost") {
        error = ParseBare(CommandKind::FocusLost);
    } else if (name == "close") {
        error = ParseBare(CommandKind::Close);
    } else if (name == "relaunch") {
        error = ParseBare(CommandKind::Relaunch);
    } else if (name == "shot") {
        error = ParseFile(CommandKind::Shot, "shot FILE");
    } else if (name == "state") {
        error = ParseFile(CommandKind::State, "state FILE");
    } else if (name == "expect") {
        error = ParseField(CommandKind::Expect, "expect PATH VALUE");
    } else if (name == "set") {
        error = ParseField(CommandKind::Set, "set PATH VALUE");
    } else {
        error = "unknown command " + Quote(name);
    }
    if (!error.empty()) return error;
    return command_;
}

// Without O_NONBLOCK, opening a named pipe would wait for a writer. Windows
// has neither flag, but would read "\r\n" as "\n" without O_BINARY, and
// names files in wide characters: a narrow name loses any letter outside the
// system's code page.
int OpenForReading(const std::string& path) {
#ifdef _WIN32
    return ::_wopen(std::filesystem::u8path(path).c_str(), O_RDONLY | O_BINARY);
#else
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
}

// Reads what the open descriptor holds, refusing it as a script when it is
// not a regular file or holds more than `maxBytes`.
ScriptFile ReadOpenFile(int descriptor, std::size_t maxBytes) {
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) return {{}, std::strerror(errno)};
    if (!S_ISREG(info.st_mode)) return {{}, "not a regular file"};
    const std::string tooLarge = "larger than " + std::to_string(maxBytes) + " bytes";
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return {{}, tooLarge};
    // The size can change while the file is read: the limit holds whatever it says.
    ScriptFile file;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return {{}, std::strerror(errno)};
        if (count == 0) return file;
        if (static_cast<std::size_t>(count) > maxBytes - file.text.size()) return {{}, tooLarge};
        file.text.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace

ScriptFile ReadScriptFile(const std::string& path, std::size_t maxBytes) {
    const int descriptor = OpenForReading(path);
    if (descriptor < 0) {
        const int reason = errno;
        // Windows opens no folder as a file; it answers "Permission denied".
        std::error_code ignored;
        if (std::filesystem::is_directory(std::filesystem::u8path(path), ignored)) return {{}, "not a regular file"};
        return {{}, std::strerror(reason)};
    }
    ScriptFile file = ReadOpenFile(descriptor, maxBytes);
    ::close(descriptor);
    return file;
}

std::variant<Script, ScriptError> ParseScript(std::string_view text) {
    Script script;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        auto parsed = LineParser(lineNumber, std::move(words)).Parse();
        if (auto* error = std::get_if<std::string>(&parsed)) return ScriptError{lineNumber, *error};
        script.push_back(std::get<Command>(std::move(parsed)));
    }
    return script;
}

std::optional<ScriptError> CheckScriptFields(const Script& script, GameState& state) {
    std::optional<StateDocument> snapshot;  // made for the first `expect`
    for (const Command& command : script) {
        if (command.kind == CommandKind::Expect) {
            if (!snapshot) snapshot = StateJson(state, platform::Status{});
            const ExpectResult result = CheckExpect(*snapshot, command.path, command.value);
            if (result.outcome == ExpectOutcome::Invalid) return ScriptError{command.line, "expect: " + result.message};
        } else if (command.kind == CommandKind::Set) {
            const std::string reason = SetField(state, command.path, command.value, true);
            if (!reason.empty()) return ScriptError{command.line, "set: " + reason};
        }
    }
    return std::nullopt;
}
