#include "hosts/headless/trace.h"

#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <type_traits>

#include "hosts/headless/field_table.h"
#include "hosts/headless/state_access.h"

namespace {

// The time of the last tick is the clock of the line a tick writes.
constexpr std::string_view kTickTimeField = "lastTickTime";

// Feeds values to the hash as fixed-width little-endian bytes, so that every
// platform hashes alike; records through their own field lists.
class ValueHasher {
public:
    template <class T>
    void operator()(const char*, T& field, ValueRule = {}) {
        Add(field);
    }
    template <class T>
    void ReadOnly(const char*, T&) {}
    template <class T>
    void Omit(const char*, T&) {}

    void Add(bool value) { AddBytes(value ? 1 : 0, 1); }
    void Add(std::int32_t value) { AddBytes(static_cast<std::uint32_t>(value), 4); }
    void Add(std::uint32_t value) { AddBytes(value, 4); }
    void Add(std::uint64_t value) { AddBytes(value, 8); }
    void Add(double value) { AddBytes(std::bit_cast<std::uint64_t>(value), 8); }
    template <class T>
    void Add(T& value) {
        if constexpr (std::is_array_v<T>) {
            for (auto& element : value) Add(element);
        } else {
            VisitFields(value, *this);
        }
    }

    std::uint32_t Value() const { return Fold(hash_); }

private:
    void AddBytes(std::uint64_t value, int count) {
        std::uint8_t bytes[8];
        for (int i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
        hash_ = Fnv1a(hash_, bytes, static_cast<std::size_t>(count));
    }

    std::uint64_t hash_ = kFnvOffset;
};

// One hash for each top-level field the game writes.
class FieldLister {
public:
    explicit FieldLister(FieldHashes& out) : out_(out) {}

    template <class T>
    void operator()(const char* name, T& field, ValueRule = {}) {
        if (name == kTickTimeField) return;
        ValueHasher hasher;
        hasher.Add(field);
        out_.emplace_back(name, hasher.Value());
    }
    template <class T>
    void ReadOnly(const char*, T&) {}
    template <class T>
    void Omit(const char*, T&) {}

private:
    FieldHashes& out_;
};

std::uint32_t HashPlatform(const platform::Status& status) {
    ValueHasher hasher;
    hasher.Add(status.windowExists);
    hasher.Add(status.windowVisible);
    hasher.Add(status.displayOpen);
    hasher.Add(status.fullScreen);
    hasher.Add(static_cast<std::uint32_t>(status.orientation));
    hasher.Add(static_cast<std::int32_t>(status.windowRect.left));
    hasher.Add(static_cast<std::int32_t>(status.windowRect.top));
    hasher.Add(static_cast<std::int32_t>(status.windowRect.right));
    hasher.Add(static_cast<std::int32_t>(status.windowRect.bottom));
    hasher.Add(status.randState);
    return hasher.Value();
}

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

std::uint64_t Fnv1a(std::uint64_t hash, const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

FieldHashes HashStateFields(GameState& state, const platform::Status& status) {
    FieldHashes fields;
    FieldLister lister(fields);
    VisitFields(state, lister);
    fields.emplace_back("platform", HashPlatform(status));
    return fields;
}

std::uint32_t HashScreen(const PresentedFrame* frame) {
    if (!frame || frame->memory.empty()) return 0;
    return Fold(Fnv1a(kFnvOffset, frame->memory.data(), frame->memory.size()));
}

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
// An empty string, "end" at the end of the file, else why it is not a trace.
std::string Trace::ReadExpected(Line* line) {
    std::string text;
    if (!std::getline(in_, text)) return "end";
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
    return {};
}

std::string Trace::Check(const Line& line, const FieldHashes& fields, GameState& state,
                         const platform::Status& status, const PresentedFrame* frame) {
    Line wanted;
    const std::string unread = ReadExpected(&wanted);
    if (unread == "end")
        return Difference("the play goes on past the trace's end: " + Describe(line.number, line.scriptLine, line.clock) +
                              " has no line in the trace",
                          state, status, frame);
    if (!unread.empty()) return path_ + ":" + std::to_string(fileLine_) + ": " + unread;

    std::string differs;
    if (wanted.number != line.number || wanted.scriptLine != line.scriptLine || wanted.clock != line.clock)
        differs += "; the trace has " + Describe(wanted.number, wanted.scriptLine, wanted.clock) + " here";
    std::string names;
    for (const auto& [name, hash] : fields) {
        const auto known = last_.find(name);
        if (known == last_.end() || known->second != hash) names += (names.empty() ? "" : ", ") + name;
    }
    if (last_.size() != fields.size()) names += (names.empty() ? "" : ", ") + std::string("(the list of fields)");
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
    const std::string unread = ReadExpected(&wanted);
    if (unread == "end") return {};
    if (!unread.empty()) return path_ + ":" + std::to_string(fileLine_) + ": " + unread;
    return Difference("the play ended after " + std::to_string(number_) + " lines, the trace goes on with " +
                          Describe(wanted.number, wanted.scriptLine, wanted.clock),
                      state, status, frame);
}
