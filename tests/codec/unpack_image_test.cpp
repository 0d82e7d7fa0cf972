// The packed picture decoder: each rule of the format, and the bounds it keeps
// whatever the data holds.
#include <gtest/gtest.h>

#include <memory>

#include "gfx/image.h"
#include "tests/codec/packed_data.h"

namespace {

using codec_test::Packed;

constexpr std::uint8_t kGuardByte = 0xEE;
constexpr std::size_t kGuardBytes = 64;

struct Decoded {
    std::uint32_t written = 0;
    std::string output;
    bool guardIntact = true;
};

// Decodes from an allocation of exactly the packed size (so that ASan sees
// any read past it) into `capacity` bytes followed by a guard region.
Decoded Decode(const std::vector<std::uint8_t>& packed, std::uint32_t capacity = 1024) {
    auto source = std::make_unique<std::uint8_t[]>(packed.size());
    std::copy(packed.begin(), packed.end(), source.get());
    std::vector<std::uint8_t> destination(capacity + kGuardBytes, kGuardByte);
    Decoded result;
    result.written =
        UnpackImage(source.get(), static_cast<std::uint32_t>(packed.size()), destination.data(), capacity);
    result.output.assign(destination.begin(), destination.begin() + std::min(result.written, capacity));
    for (std::size_t i = capacity; i < destination.size(); ++i) result.guardIntact &= destination[i] == kGuardByte;
    return result;
}

struct Case {
    const char* what;
    std::vector<std::uint8_t> packed;
    std::string expected;
};

void ExpectOutputs(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Decoded decoded = Decode(c.packed);
        EXPECT_EQ(decoded.written, c.expected.size()) << c.what;
        EXPECT_EQ(decoded.output, c.expected) << c.what;
    }
}

TEST(UnpackImage, FollowsEveryRuleOfTheFormat) {
    ExpectOutputs({
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
    });
}

TEST(UnpackImage, StopsWhereTheDataGivesOut) {
    std::vector<std::uint8_t> partialRecord = Packed("abcd", 8, {{4, 4, 4}});
    partialRecord.pop_back();  // reading this record would read past the data
    std::vector<std::uint8_t> hugeCount = Packed("abc", 3);
    hugeCount[3] = 0xFF;
    ExpectOutputs({
        {"truncated header", {3, 0, 0}, ""},
        {"literal count past the data", hugeCount, ""},
        {"unpacked size missing", {3, 0, 0, 0, 'a', 'b', 'c', 3, 0, 0}, ""},
        {"partial record", partialRecord, "abcd"},
        {"literals run out", Packed("abc", 10), "abc"},
        {"copy from before the start", Packed("abcdef", 8, {{2, 2, 3}}), "ab"},
        {"farthest copy from before the start", Packed("ab", 8, {{2, 2, 0x3FFFFF}}), "ab"},
        {"copy of the byte being written", Packed("abcdef", 8, {{2, 2, 0}}), "ab"},
    });
}

TEST(UnpackImage, TruncationAnywhereStaysInBounds) {
    const auto whole = Packed("abcdefgh", 40, {{8, 8, 8}, {16, 16, 16}, {32, 8, 5}});
    ASSERT_EQ(Decode(whole).written, 40u);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Decoded decoded = Decode({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}, 40);
        EXPECT_LT(decoded.written, 40u) << size;
        EXPECT_TRUE(decoded.guardIntact) << size;
    }
}

TEST(UnpackImage, NeverWritesPastTheCapacity) {
    const Decoded literals = Decode(Packed(std::string(100, 'q'), 100), 10);
    EXPECT_EQ(literals.written, 10u);
    EXPECT_TRUE(literals.guardIntact);
    const Decoded copies = Decode(Packed("ab", 0xFFFFFFFFu, {{2, 1000, 2}}), 10);
    EXPECT_EQ(copies.output, "ababababab");
    EXPECT_TRUE(copies.guardIntact);

    std::uint8_t destination[4] = {};
    EXPECT_EQ(UnpackImage(nullptr, 10, destination, 4), 0u);
    const auto packed = Packed("abc", 3);
    EXPECT_EQ(UnpackImage(packed.data(), static_cast<std::uint32_t>(packed.size()), nullptr, 4), 0u);
}

}  // namespace
