// The packed picture decoder: each rule of the format, and the bounds it keeps
// whatever the data holds, down to many thousand ways of damaging a picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

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
    const struct {
        const char* what;
        Bytes packed;
        std::string expected;
    } cases[] = {
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

// Damage as files suffer it: flipped bits, cut ends, overwritten bytes, runs
// copied over other places, and size fields set near a boundary.
class Mutator {
  public:
    explicit Mutator(unsigned seed) : random_(seed) {}

    std::uint32_t Below(std::size_t bound) { return bound == 0 ? 0 : static_cast<std::uint32_t>(random_() % bound); }

    void Mutate(Bytes& data) {
        for (int round = 1 + static_cast<int>(Below(4)); round > 0 && !data.empty(); --round) {
            switch (Below(5)) {
                case 0: data[Below(data.size())] ^= static_cast<std::uint8_t>(1 << Below(8)); break;
                case 1: data.resize(Below(data.size() + 1)); break;
                case 2: data[Below(data.size())] = static_cast<std::uint8_t>(random_()); break;
                case 3: Splice(data); break;
                default: SetSizeField(data); break;
            }
        }
    }

  private:
    void Splice(Bytes& data) {
        const std::size_t from = Below(data.size());
        const std::size_t to = Below(data.size());
        const std::size_t length = Below(data.size() - std::max(from, to) + 1);
        std::copy(data.begin() + from, data.begin() + from + length, data.begin() + to);
    }

    // The literal count or the unpacked size.
    void SetSizeField(Bytes& data) {
        if (data.size() < 8) return;
        const std::uint32_t values[] = {0, 1, static_cast<std::uint32_t>(data.size()), 0x7FFFFFFF, 0xFFFFFFFF};
        const std::uint32_t value = values[Below(std::size(values))];
        const std::size_t count = data[0] | data[1] << 8 | data[2] << 16 | std::size_t{data[3]} << 24;
        const std::size_t at = Below(2) == 0 || count > data.size() - 8 ? 0 : 4 + count;
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }

    std::mt19937 random_;
};

TEST(UnpackImageFuzz, DamagedDataNeverLeavesItsBounds) {
    const Bytes raw = codec_test::CartoonPicture(60, 70);
    const Bytes packed = dbb::Pack(raw);
    const auto fullSize = static_cast<std::uint32_t>(raw.size());
    for (unsigned seed = 1; seed <= 20000; ++seed) {
        Mutator mutator(seed);
        Bytes damaged = packed;
        mutator.Mutate(damaged);
        // Mostly the real size; sometimes less room than the data asks for.
        const std::uint32_t capacity = mutator.Below(4) == 0 ? mutator.Below(fullSize) : fullSize;
        const Decoded decoded = Decode(damaged, capacity);
        ASSERT_LE(decoded.written, capacity) << "seed " << seed;
        ASSERT_TRUE(decoded.guardIntact) << "seed " << seed;
    }
}

}  // namespace
