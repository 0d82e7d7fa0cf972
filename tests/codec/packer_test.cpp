// The packer: what it writes must follow the packed format to the letter and
// unpack, with the game's own decoder, to exactly what went in.
#include <gtest/gtest.h>

#include <random>

#include "gfx/image.h"
#include "tests/codec/test_data.h"
#include "tools/dbb/packer.h"

namespace {

using codec_test::Bytes;
using codec_test::Packed;

// Packs `raw`, checks the result end to end, and returns its size over the input's.
double PackedRatio(const Bytes& raw) {
    const Bytes packed = dbb::Pack(raw);
    const dbb::LayoutCheck check = dbb::CheckPackedLayout(packed);
    EXPECT_TRUE(check.layout) << check.problem;
    Bytes out(raw.size() + 1);  // one byte of spare room shows output that runs too long
    out.resize(UnpackImage(packed.data(), static_cast<std::uint32_t>(packed.size()), out.data(),
                           static_cast<std::uint32_t>(out.size())));
    EXPECT_TRUE(out == raw);
    return static_cast<double>(packed.size()) / static_cast<double>(std::max<std::size_t>(raw.size(), 1));
}

Bytes Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes noise(size);
    for (auto& byte : noise) byte = static_cast<std::uint8_t>(random() | 1);
    return noise;
}

TEST(Packer, RoundTripsAnyInputAndPacksArtSmall) {
    constexpr double kAnySize = 1e9;  // too small to gain: only the round trip counts
    const std::pair<Bytes, double> cases[] = {
        {{}, kAnySize}, {{42}, kAnySize}, {Bytes(9, 7), kAnySize}, {Noise(10000, 7), 1.0 + 8.0 / 10000},
        {codec_test::CartoonPicture(240, 240), 0.03},
    };
    for (const auto& [raw, limit] : cases) EXPECT_LE(PackedRatio(raw), limit) << raw.size() << " bytes";
    for (std::size_t period = 1; period <= 13; ++period) {
        Bytes raw(5000);
        for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i % period * 37);
        EXPECT_LT(PackedRatio(raw), 0.05) << "period " << period;
    }
}

TEST(Packer, StaysWithinTheFormatsReach) {
    // The only earlier sight of the tail lies just out of copy distance.
    const Bytes tail = Noise(64, 11);
    Bytes far = tail;
    far.resize(far.size() + dbb::kMaxDistance - 40, 0);
    far.insert(far.end(), tail.begin(), tail.end());
    PackedRatio(far);

    // Past the last position a record can name, only literals remain.
    const Bytes beyond(std::size_t{dbb::kMaxRecordPosition} + 5000, 0);
    PackedRatio(beyond);
    const auto layout = dbb::CheckPackedLayout(dbb::Pack(beyond)).layout;
    ASSERT_TRUE(layout);
    EXPECT_LE(layout->records.back().position, dbb::kMaxRecordPosition);
}

TEST(PackedLayoutCheck, ReadsASoundLayoutAndRejectsEveryBrokenRule) {
    const auto sound = dbb::CheckPackedLayout(Packed("abcdef", 12, {{2, 2, 2}, {6, 4, 4}}));
    ASSERT_TRUE(sound.layout) << sound.problem;
    EXPECT_EQ(sound.layout->literalCount, 6u);
    ASSERT_EQ(sound.layout->records.size(), 2u);
    EXPECT_EQ(sound.layout->records[1].distance, 4u);

    Bytes partial = Packed("abcd", 12, {{2, 2, 2}});
    partial.pop_back();
    Bytes literalsPastTheEnd = Packed("abcd", 4);
    literalsPastTheEnd[0] = 100;
    const std::pair<const char*, Bytes> broken[] = {
        {"too short", {1, 0, 0, 0}},
        {"literals past the end", literalsPastTheEnd},
        {"partial record", partial},
        {"length 0", Packed("abcdef", 6, {{2, 0, 2}})},
        {"length 1001", Packed("ab", 1003, {{2, 1001, 1001}})},
        {"overlap", Packed("ab", 6, {{2, 4, 2}})},
        {"before the start", Packed("ab", 4, {{2, 2, 3}})},
        {"unsorted", Packed("abcdefgh", 12, {{4, 2, 2}, {2, 2, 2}})},
        {"inside the previous copy", Packed("abcdefgh", 12, {{4, 4, 4}, {6, 2, 2}})},
        {"too many literals", Packed("abcdefg", 6)},
        {"too few literals", Packed("abcde", 6)},
        {"past the unpacked size", Packed("abcd", 6, {{4, 4, 4}})},
    };
    for (const auto& [what, packed] : broken) EXPECT_FALSE(dbb::CheckPackedLayout(packed).layout) << what;
}

}  // namespace
