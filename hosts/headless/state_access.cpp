#include "hosts/headless/state_access.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <span>
#include <type_traits>
#include <variant>

#include "hosts/headless/field_table.h"

using json = StateDocument;

namespace {

template <class T>
constexpr bool kIsLeaf = std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::uint32_t> ||
                         std::is_same_v<T, bool>;

std::string JoinPath(const std::string& parent, const PathStep& step) {
    if (step.isIndex) return parent + "[" + std::to_string(step.index) + "]";
    return parent.empty() ? step.name : parent + "." + step.name;
}

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Reads "[digits]" at `text`; returns the characters used, 0 when malformed.
std::size_t ReadIndex(std::string_view text, std::size_t* index) {
    const auto close = text.find(']');
    if (text.empty() || text[0] != '[' || close == std::string_view::npos || close == 1) return 0;
    const char* first = text.data() + 1;
    const char* last = text.data() + close;
    const auto [end, error] = std::from_chars(first, last, *index);
    if (error != std::errc{} || end != last) return 0;
    return close + 1;
}

// ---- JSON of the state ----

json ToJson(std::int32_t value) { return value; }
json ToJson(std::uint32_t value) { return value; }
json ToJson(bool value) { return value; }

template <class T>
json ToJson(T& value);

class JsonWriter {
public:
    template <class T>
    void operator()(const char* name, T& field, ValueRule = {}) {
        object_[name] = ToJson(field);
    }
    template <class T>
    void ReadOnly(const char* name, T& field) {
        object_[name] = ToJson(field);
    }
    template <class T>
    void Omit(const char*, T&) {}

    json Take() { return std::move(object_); }

private:
    json object_ = json::object();
};

template <class T>
json ToJson(T& value) {
    if constexpr (std::is_array_v<T>) {
        json array = json::array();
        for (auto& element : value) array.push_back(ToJson(element));
        return array;
    } else {
        JsonWriter writer;
        VisitFields(value, writer);
        return writer.Take();
    }
}

json PlatformJson(const platform::Status& status) {
    return {
        {"windowExists", status.windowExists},
        {"windowVisible", status.windowVisible},
        {"displayOpen", status.displayOpen},
        {"fullScreen", status.fullScreen},
        {"orientation", status.orientation},
        {"presents", status.presents},
        {"randState", status.randState},
        {"windowRect",
         {{"left", status.windowRect.left},
          {"top", status.windowRect.top},
          {"right", status.windowRect.right},
          {"bottom", status.windowRect.bottom}}},
    };
}

// ---- Finding one field of the state for `set` ----

enum class LeafType { Int32, UInt32, Bool, Double };

struct LeafRef {
    LeafType type = LeafType::Int32;
    void* address = nullptr;
    ValueRule rule;
    bool writable = true;
};

template <class T>
LeafRef MakeLeaf(T& field, ValueRule rule, bool writable) {
    LeafType type = LeafType::Double;
    if constexpr (std::is_same_v<T, std::int32_t>) type = LeafType::Int32;
    if constexpr (std::is_same_v<T, std::uint32_t>) type = LeafType::UInt32;
    if constexpr (std::is_same_v<T, bool>) type = LeafType::Bool;
    return LeafRef{type, &field, rule, writable};
}

using Resolution = std::variant<LeafRef, std::string>;

// Walks one record's field list looking for the field the next step names,
// then follows the rest of the path into it.
class Resolver {
public:
    Resolver(std::span<const PathStep> steps, std::string where) : steps_(steps), where_(std::move(where)) {}

    template <class T>
    void operator()(const char* name, T& field, ValueRule rule = {}) {
        if (Claims(name)) result_ = Descend(field, steps_.subspan(1), Here(), rule, true);
    }
    template <class T>
    void ReadOnly(const char* name, T& field) {
        if (Claims(name)) result_ = Descend(field, steps_.subspan(1), Here(), {}, false);
    }
    template <class T>
    void Omit(const char* name, T&) {
        // Built by appending: GCC's optimiser misreads "literal" + std::string&&.
        if (!Claims(name)) return;
        std::string message = "'";
        message += Here();
        message += "' is not part of the state";
        result_ = std::move(message);
    }

    Resolution Result() const {
        if (result_) return *result_;
        if (where_.empty()) return "unknown field '" + steps_.front().name + "'";
        return "'" + where_ + "' has no field '" + steps_.front().name + "'";
    }

private:
    bool Claims(const char* name) const { return !result_ && steps_.front().name == name; }
    std::string Here() const { return JoinPath(where_, steps_.front()); }

    template <class T>
    static Resolution Descend(T& field, std::span<const PathStep> rest, const std::string& where,
                              ValueRule rule, bool writable) {
        if constexpr (std::is_array_v<T>) {
            constexpr std::size_t size = std::extent_v<T>;
            if (rest.empty() || !rest.front().isIndex) return "'" + where + "' is an array; give an index";
            if (rest.front().index >= size)
                return "index " + std::to_string(rest.front().index) + " is past the end of '" + where +
                       "' (" + std::to_string(size) + " entries)";
            return Descend(field[rest.front().index], rest.subspan(1), JoinPath(where, rest.front()), rule,
                           writable);
        } else if constexpr (kIsLeaf<T>) {
            if (!rest.empty()) return "'" + where + "' is a single value";
            return MakeLeaf(field, rule, writable);
        } else {
            if (rest.empty()) return "'" + where + "' is a record; name one of its fields";
            if (rest.front().isIndex) return "'" + where + "' is not an array";
            Resolver inner(rest, where);
            VisitFields(field, inner);
            Resolution found = inner.Result();
            if (auto* leaf = std::get_if<LeafRef>(&found)) {
                leaf->writable = leaf->writable && writable;
                // A rule given to a record holds for each of its numbers.
                if (!leaf->rule.limited) leaf->rule = rule;
            }
            return found;
        }
    }

    std::span<const PathStep> steps_;
    std::string where_;
    std::optional<Resolution> result_;
};

std::string CheckRange(const LeafRef& leaf, ScriptValue value, const std::string& where) {
    std::int64_t low = 0;
    std::int64_t high = 1;
    if (leaf.type == LeafType::Int32) {
        if (value.isFlag) return "'" + where + "' is a number; give an integer";
        low = std::numeric_limits<std::int32_t>::min();
        high = std::numeric_limits<std::int32_t>::max();
    } else if (leaf.type == LeafType::UInt32) {
        if (value.isFlag) return "'" + where + "' is a number; give an integer";
        high = std::numeric_limits<std::uint32_t>::max();
    }
    if (value.number < low || value.number > high)
        return std::to_string(value.number) + " does not fit '" + where + "' (" + std::to_string(low) + " to " +
               std::to_string(high) + ")";
    if (!leaf.rule.Accepts(value.number)) {
        std::string values = std::to_string(leaf.rule.low) + " to " + std::to_string(leaf.rule.high);
        if (leaf.rule.hasAlso) values += " or " + std::to_string(leaf.rule.also);
        return std::to_string(value.number) + " is not a value of '" + where + "' (" + values + ")";
    }
    return {};
}

void Write(const LeafRef& leaf, std::int64_t number) {
    switch (leaf.type) {
    case LeafType::Int32: *static_cast<std::int32_t*>(leaf.address) = static_cast<std::int32_t>(number); break;
    case LeafType::UInt32: *static_cast<std::uint32_t*>(leaf.address) = static_cast<std::uint32_t>(number); break;
    case LeafType::Bool: *static_cast<bool*>(leaf.address) = number != 0; break;
    case LeafType::Double: break;
    }
}

// ---- Comparing a value of the state's JSON ----

// The node at `path`, or why there is none.
std::variant<const json*, std::string> FindNode(const json& state, const FieldPath& path) {
    const json* node = &state;
    std::string where;
    for (const PathStep& step : path) {
        if (step.isIndex) {
            if (!node->is_array()) return "'" + where + "' is not an array";
            if (step.index >= node->size())
                return "index " + std::to_string(step.index) + " is past the end of '" + where + "' (" +
                       std::to_string(node->size()) + " entries)";
            node = &(*node)[step.index];
        } else {
            if (node->is_array()) return "'" + where + "' is an array; give an index";
            if (!node->is_object()) return "'" + where + "' is a single value";
            const auto found = node->find(step.name);
            if (found == node->end())
                return where.empty() ? "unknown field '" + step.name + "'"
                                     : "'" + where + "' has no field '" + step.name + "'";
            node = &*found;
        }
        where = JoinPath(where, step);
    }
    if (node->is_array()) return "'" + where + "' is an array; give an index";
    if (node->is_object()) return "'" + where + "' is a record; name one of its fields";
    return node;
}

bool Equal(const json& actual, std::int64_t wanted) {
    if (actual.is_boolean()) return actual.get<bool>() == (wanted != 0);
    if (actual.is_number_unsigned()) return wanted >= 0 && actual.get<std::uint64_t>() == static_cast<std::uint64_t>(wanted);
    if (actual.is_number_integer()) return actual.get<std::int64_t>() == wanted;
    return actual.get<double>() == static_cast<double>(wanted);
}

}  // namespace

std::optional<FieldPath> ParseFieldPath(std::string_view text) {
    FieldPath path;
    std::size_t at = 0;
    while (true) {
        if (at >= text.size() || !IsNameStart(text[at])) return std::nullopt;
        const std::size_t start = at;
        while (at < text.size() && IsNameChar(text[at])) ++at;
        path.push_back({false, std::string(text.substr(start, at - start)), 0});
        while (at < text.size() && text[at] == '[') {
            PathStep step{true, {}, 0};
            const std::size_t used = ReadIndex(text.substr(at), &step.index);
            if (used == 0) return std::nullopt;
            path.push_back(step);
            at += used;
        }
        if (at == text.size()) return path;
        if (text[at] != '.') return std::nullopt;
        ++at;
    }
}

std::optional<ScriptValue> ParseScriptValue(std::string_view text) {
    if (text == "true") return ScriptValue{true, 1};
    if (text == "false") return ScriptValue{true, 0};
    ScriptValue value;
    const char* last = text.data() + text.size();
    const char* first = text.data();
    if (first != last && *first == '+') ++first;  // from_chars takes no plus sign
    const auto [end, error] = std::from_chars(first, last, value.number);
    if (text.empty() || error != std::errc{} || end != last) return std::nullopt;
    return value;
}

json StateJson(GameState& state, const platform::Status& status) {
    JsonWriter writer;
    VisitFields(state, writer);
    json result = writer.Take();
    result["platform"] = PlatformJson(status);
    return result;
}

ExpectResult CheckExpect(const json& state, const FieldPath& path, ScriptValue wanted) {
    const auto found = FindNode(state, path);
    if (const auto* reason = std::get_if<std::string>(&found)) return {ExpectOutcome::Invalid, *reason};
    const json& actual = *std::get<const json*>(found);
    if (actual.is_boolean() && !wanted.isFlag && wanted.number != 0 && wanted.number != 1)
        return {ExpectOutcome::Invalid, "'" + FormatFieldPath(path) + "' is a flag; give true, false, 1 or 0"};
    if (!actual.is_boolean() && wanted.isFlag)
        return {ExpectOutcome::Invalid, "'" + FormatFieldPath(path) + "' is a number; give an integer"};
    if (Equal(actual, wanted.number)) return {ExpectOutcome::Match, {}};
    const std::string wantedText =
        actual.is_boolean() ? (wanted.number != 0 ? "true" : "false") : std::to_string(wanted.number);
    return {ExpectOutcome::Mismatch, "wanted " + wantedText + ", got " + actual.dump()};
}

std::string SetField(GameState& state, const FieldPath& path, ScriptValue value, bool dryRun) {
    if (path.empty() || path.front().isIndex) return "no field named";
    if (path.front().name == "platform") return "'platform' is the platform's; it cannot be set";
    Resolver resolver(path, {});
    VisitFields(state, resolver);
    const Resolution found = resolver.Result();
    if (const auto* reason = std::get_if<std::string>(&found)) return *reason;
    const LeafRef& leaf = std::get<LeafRef>(found);
    const std::string where = FormatFieldPath(path);
    if (!leaf.writable) return "'" + where + "' is read only: the game alone sets it";
    if (leaf.type == LeafType::Double) return "'" + where + "' is not an integer or flag field";
    if (std::string reason = CheckRange(leaf, value, where); !reason.empty()) return reason;
    if (!dryRun) Write(leaf, value.number);
    return {};
}

std::string FormatFieldPath(const FieldPath& path) {
    std::string text;
    for (const PathStep& step : path) text = JoinPath(text, step);
    return text;
}
