#include <cstdio>

#include "platform/internal/instance_channel.h"

namespace platform::internal {
namespace {

std::uint64_t Fnv1a(std::uint64_t hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

}  // namespace

std::string KeyDigest(const InstanceKey& key) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    // Lengths first, so that ("ab", "c") and ("a", "bc") never collide by shape.
    const std::uint64_t lengths[3] = {key.instanceNamespace.size(), key.className.size(), key.title.size()};
    hash = Fnv1a(hash, lengths, sizeof lengths);
    hash = Fnv1a(hash, key.instanceNamespace.data(), key.instanceNamespace.size());
    hash = Fnv1a(hash, key.className.data(), key.className.size() * sizeof(char16_t));
    hash = Fnv1a(hash, key.title.data(), key.title.size() * sizeof(char16_t));
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace platform::internal
