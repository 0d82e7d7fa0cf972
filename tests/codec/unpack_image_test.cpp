// The packed picture decoder: each rule of the format, and the bounds it keeps
// whatever the data holds (tests/fuzz damages pictures in every other way).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gfx/image.h"
#include "tests/codec/test_data.h"
#include "tools/dbb/packer.h"

namespace {

using codec_test::Bytes;
using codec_test::Packed;

struct Decoded {
    std::uint32_t written = 0;
    std::string output;
    bool guardIntact = true;
};

// Decodes from an allocation of exactly the packed size (so that ASan sees
// any read past it) into `capacity` bytes followed by a guard region.
Decoded Decode(const Bytes& packed, std::uint32_t capacity = 1024) {
    constexpr std::uint8_t kGuard = 0xEE;
    auto source = std::make_unique<std::uint8_t[]>(packed.size());
    std::copy(packed.begin(), packed.end(), source.get());
    Bytes destination(capacity + 64, kGuard);
    Decoded result;
    result.written = UnpackImage(source.get(), static_cast<std::uint32_t>(packed.size()), destination.data(), capacity);
    result.output.assign(destination.begin(), destination.begin() + std::min(result.written, capacity));
    result.guardIntact = std::all_of(destination.begin() + capacity, destination.end(), [](auto b) { return b == kGuard; });
    return result;
}

TEST(UnpackImage, FollowsEveryRuleAndStopsWhereTheDataGivesOut) {
    Bytes partialRecord = Packed("abcd", 8, {{4, 4, 4}});
    partialRecord.pop_back();  // reading this record would read past the data
    Bytes hugeCount = Packed("abc", 3);
    hugeCount[3] = 0xFF;
    const struct { const char* what; Bytes packed; std::string expected; } cases[] = {
        {"literals alone", Packed("hello", 5), "hello"},
        {"copy at its position", Packed("abcZ", 7, {{3, 3, 3}}), "abcabcZ"},
        {"overlapping copy repeats a pattern", Packed("xy", 9, {{2, 7, 2}}), "xyxyxyxyx"},
        {"zero-length record consumes only itself", Packed("ab", 4, {{2, 0, 0}, {2, 2, 2}}), "abab"},
        // After the first copy the output is at 6: the record at 4 is never
        // used, and so neither is the one at 8.
        {"record behind the output stalls the rest", Packed("abcdefgh", 12, {{2, 4, 2}, {4, 2, 4}, {8, 2, 8}}),
         "abababcdefgh"},
        {"records after the literals run out", Packed("xy", 10, {{2, 2, 2}, {4, 4, 4}, {8, 2, 5}}), "xyxyxyxyyx"},
        {"copy stops at the unpacked size", Packed("ab", 5, {{2, 100, 2}}), "ababa"},
        {"truncated header", {3, 0, 0}, ""},
        {"literal count past the data", hugeCount, ""},
        {"unpacked size missing", {3, 0, 0, 0, 'a', 'b', 'c', 3, 0, 0}, ""},
        {"partial record", partialRecord, "abcd"},
        {"literals run out", Packed("abc", 10), "abc"},
        {"copy from before the start", Packed("abcdef", 8, {{2, 2, 3}}), "ab"},
        {"farthest copy from before the start", Packed("ab", 8, {{2, 2, 0x3FFFFF}}), "ab"},
        {"copy of the byte being written", Packed("abcdef", 8, {{2, 2, 0}}), "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded decoded = Decode(c.packed);
        EXPECT_EQ(decoded.written, c.expected.size());
        EXPECT_EQ(decoded.output, c.expected);
    }
}

TEST(UnpackImage, NeverWritesPastTheCapacity) {
    const Decoded copies = Decode(Packed("ab", 0xFFFFFFFFu, {{2, 1000, 2}}), 10);
    EXPECT_EQ(copies.output, "ababababab");
    EXPECT_TRUE(copies.guardIntact);

    std::uint8_t destination[4] = {};
    EXPECT_EQ(UnpackImage(nullptr, 10, destination, 4), 0u);
    const Bytes packed = Packed("abc", 3);
    EXPECT_EQ(UnpackImage(packed.data(), static_cast<std::uint32_t>(packed.size()), nullptr, 4), 0u);
}

}  // namespace
