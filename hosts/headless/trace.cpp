#include "hosts/headless/trace.h"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <string_view>

#include "hosts/headless/state_access.h"

namespace {

std::string Hex(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

bool ParseHex(std::string_view text, std::uint32_t* value) {
    if (text.size() != 8) return false;
    std::uint32_t result = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0) return false;
        result = result << 4 | static_cast<std::uint32_t>(digit);
    }
    *value = result;
    return true;
}

std::string Describe(std::uint64_t number, int scriptLine, std::uint32_t clock) {
    return "play line " + std::to_string(number) + " (after script line " + std::to_string(scriptLine) +
           ", clock " + std::to_string(clock) + ")";
}

}  // namespace

std::optional<Trace> Trace::ForWriting(const std::string& path, std::string* error) {
    Trace trace(path, false);
    trace.out_.open(path, std::ios::binary | std::ios::trunc);
    if (!trace.out_) {
        *error = "cannot write the trace '" + path + "'";
        return std::nullopt;
    }
    return trace;
}

std::optional<Trace> Trace::ForChecking(const std::string& path, std::string* error) {
    Trace trace(path, true);
    trace.in_.open(path, std::ios::binary);
    if (!trace.in_) {
        *error = "cannot read the trace '" + path + "'";
        return std::nullopt;
    }
    return trace;
}

std::string Trace::Take(const TracePoint& point, GameState& state, const platform::Status& status) {
    const Line line{++number_, point.scriptLine, point.clock, HashScreen(point.frame)};
    const FieldHashes fields = HashStateFields(state, status);
    return checking_ ? Check(line, fields, state, status, point.frame) : Write(line, fields);
}

std::string Trace::Write(const Line& line, const FieldHashes& fields) {
    out_ << line.number << ' ' << line.scriptLine << ' ' << line.clock << ' ' << Hex(line.screen);
    const bool first = names_.empty();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& [name, hash] = fields[i];
        if (first) {
            names_.push_back(name);
            last_[name] = hash;
            out_ << ' ' << name << '=' << Hex(hash);
            continue;
        }
        if (last_[name] == hash) continue;
        last_[name] = hash;
        out_ << ' ' << i << '=' << Hex(hash);
    }
    out_ << '\n';
    return out_ ? std::string{} : "cannot write the trace '" + path_ + "'";
}

// The next line of the file, its fields applied to what the lines before left.
// Nothing at the end of the file; else an empty string, or why the line is
// not a trace line.
std::optional<std::string> Trace::ReadExpected(Line* line) {
    std::string text;
    if (!std::getline(in_, text)) return std::nullopt;
    ++fileLine_;
    std::istringstream words(text);
    std::string screen;
    if (!(words >> line->number >> line->scriptLine >> line->clock >> screen) || !ParseHex(screen, &line->screen))
        return "not a trace line";
    const bool first = fileLine_ == 1;
    std::string word;
    while (words >> word) {
        const auto equals = word.find('=');
        std::uint32_t hash = 0;
        if (equals == std::string::npos || equals == 0 || !ParseHex(std::string_view(word).substr(equals + 1), &hash))
            return "'" + word + "' is not FIELD=HASH";
        std::string name = word.substr(0, equals);
        if (first) {
            names_.push_back(name);
        } else {
            std::size_t index = 0;
            const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), index);
            if (error != std::errc{} || end != name.data() + name.size() || index >= names_.size())
                return "'" + word + "' names no field of the first line";
            name = names_[index];
        }
        last_[name] = hash;
    }
    return std::string{};
}

std::string Trace::Check(const Line& line, const FieldHashes& fields, GameState& state,
                         const platform::Status& status, const PresentedFrame* frame) {
    Line wanted;
    const auto unread = ReadExpected(&wanted);
    if (!unread) {
        const std::string extra = Describe(line.number, line.scriptLine, line.clock);
        return Difference("the play goes on past the trace's end: " + extra + " has no line in the trace", state,
                          status, frame);
    }
    if (!unread->empty()) return path_ + ":" + std::to_string(fileLine_) + ": " + *unread;

    std::string differs;
    if (wanted.number != line.number || wanted.scriptLine != line.scriptLine || wanted.clock != line.clock)
        differs += "; the trace has " + Describe(wanted.number, wanted.scriptLine, wanted.clock) + " here";
    // A field the trace names and the state no longer has is passed over.
    std::string names;
    for (const auto& [name, hash] : fields) {
        const auto known = last_.find(name);
        if (known == last_.end()) {
            names += (names.empty() ? "" : ", ") + name + " (not in the trace)";
        } else if (known->second != hash) {
            names += (names.empty() ? "" : ", ") + name;
        }
    }
    if (!names.empty()) differs += "; fields that differ: " + names;
    if (wanted.screen != line.screen) differs += "; the screen differs";
    if (differs.empty()) return {};
    return Difference(Describe(line.number, line.scriptLine, line.clock) + differs, state, status, frame);
}

std::string Trace::Difference(const std::string& what, GameState& state, const platform::Status& status,
                              const PresentedFrame* frame) {
    std::string message = "golden trace " + path_ + ":" + std::to_string(fileLine_) + ": " + what;
    const std::string json = path_ + ".actual.json";
    const std::string png = path_ + ".actual.png";
    std::ofstream file(json, std::ios::binary);
    file << StateJson(state, status).dump(2) << "\n";
    const std::string pngError = WritePng(png, DecodeFrame(frame));
    if (!file.flush() || !pngError.empty()) return message + " (the state and screen now could not be written)";
    return message + ". The state and the screen now: " + json + ", " + png;
}

std::string Trace::Finish(GameState& state, const platform::Status& status, const PresentedFrame* frame) {
    if (!checking_) {
        out_.flush();
        return out_ ? std::string{} : "cannot write the trace '" + path_ + "'";
    }
    Line wanted;
    const auto unread = ReadExpected(&wanted);
    if (!unread) return {};
    if (!unread->empty()) return path_ + ":" + std::to_string(fileLine_) + ": " + *unread;
    return Difference("the play ended after " + std::to_string(number_) + " lines, the trace goes on with " +
                          Describe(wanted.number, wanted.scriptLine, wanted.clock),
                      state, status, frame);
}
