// The packer: what it writes must follow the packed format to the letter and
// unpack, with the game's own decoder, to exactly what went in.
#include <gtest/gtest.h>

#include <random>

#include "gfx/image.h"
#include "tests/codec/packed_data.h"
#include "tests/codec/test_pictures.h"
#include "tools/dbb/packer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using codec_test::Packed;

// Packs `raw`, checks the result end to end, and returns its size over the input's.
double PackedRatio(const Bytes& raw) {
    const Bytes packed = dbb::Pack(raw);
    const dbb::LayoutCheck check = dbb::CheckPackedLayout(packed);
    EXPECT_TRUE(check.layout) << check.problem;
    // One byte of spare room shows output that runs too long.
    Bytes out(raw.size() + 1);
    out.resize(UnpackImage(packed.data(), static_cast<std::uint32_t>(packed.size()), out.data(),
                           static_cast<std::uint32_t>(out.size())));
    EXPECT_TRUE(out == raw);
    return static_cast<double>(packed.size()) / static_cast<double>(std::max<std::size_t>(raw.size(), 1));
}

TEST(Packer, RoundTripsAnyInput) {
    std::mt19937 random(7);
    Bytes noise(10000);
    for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
    for (const Bytes& raw : {Bytes{}, Bytes{42}, Bytes(9, 7), noise}) PackedRatio(raw);
    EXPECT_LE(PackedRatio(noise), 1.0 + 8.0 / 10000);
}

TEST(Packer, FlatArtAndPatternsPackSmall) {
    EXPECT_LT(PackedRatio(codec_test::CartoonPicture(240, 240)), 0.03);
    for (std::size_t period = 1; period <= 13; ++period) {
        Bytes raw(5000);
        for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i % period * 37);
        EXPECT_LT(PackedRatio(raw), 0.05) << period;
    }
}

TEST(Packer, LargestPictureOfTheGame) {
    // The heart masks: 15 frames of 200x180, black shapes on white.
    const auto raw = codec_test::RawPicture(200, 2700, [](std::uint32_t x, std::uint32_t y) {
        const int dx = static_cast<int>(x) - 100;
        const int dy = static_cast<int>(y % 180) - 90;
        const int size = static_cast<int>(y / 180) + 1;
        return dx * dx + dy * dy < size * size * 36 ? codec_test::Colour{0, 0, 0} : codec_test::Colour{255, 255, 255};
    });
    EXPECT_LT(PackedRatio(raw), 0.02);
}

TEST(Packer, StaysWithinTheFormatsReach) {
    // The only earlier sight of the tail lies just out of copy distance.
    Bytes tail(64);
    std::mt19937 random(11);
    for (auto& byte : tail) byte = static_cast<std::uint8_t>(random() | 1);
    Bytes far = tail;
    far.resize(far.size() + dbb::kMaxDistance - 40, 0);
    far.insert(far.end(), tail.begin(), tail.end());
    PackedRatio(far);

    // Past the last position a record can name, only literals remain.
    Bytes beyond(std::size_t{dbb::kMaxRecordPosition} + 5000, 0);
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

    auto partial = Packed("abcd", 12, {{2, 2, 2}});
    partial.pop_back();
    auto literalsPastTheEnd = Packed("abcd", 4);
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
