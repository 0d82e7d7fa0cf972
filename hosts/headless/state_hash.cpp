#include "hosts/headless/state_hash.h"

#include <string_view>
#include <type_traits>

#include "hosts/headless/field_table.h"

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

// One hash for each top-level field, whether or not a script may set it
// (a panel's flag is the game's alone, yet the game writes it): all but the
// picture slots, which point into memory and show on the screen anyway.
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
    void ReadOnly(const char* name, T& field) {
        if constexpr (!std::is_same_v<std::remove_all_extents_t<T>, ImageRef>) (*this)(name, field);
    }
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
