// The packed picture decoder (tests/fuzz damages pictures in every other
// way), the packer, and the two picture loaders over a resource table.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "state/game_state.h"
#include "tests/support/fresh_game.h"
#include "tests/support/platform_seam.h"
#include "tests/support/resource_builder.h"
#include "tools/dbb/packer.h"

namespace {

using test_support::AppendU32;
using Bytes = std::vector<std::uint8_t>;

struct Record {
    std::uint32_t position, length, distance;
};

Bytes Header(std::uint32_t width, std::uint32_t height) {
    Bytes bytes;
    AppendU32(bytes, width);
    AppendU32(bytes, height);
    return bytes;
}

// A raw picture of flat colours with a few shapes on white: how most of the
// art looks.
Bytes CartoonPicture(std::uint32_t width, std::uint32_t height) {
    Bytes raw = Header(width, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const int dx = static_cast<int>(x % 60) - 30, dy = static_cast<int>(y % 70) - 35;
            const std::uint8_t shade = dx * dx + dy * dy < 400 ? 40 : (x / 7 + y / 5) % 11 == 0 ? 120 : y % 90 < 3 ? 0 : 255;
            raw.insert(raw.end(), {0, shade, static_cast<std::uint8_t>(shade / 2), 200});
        }
    }
    return raw;
}

// N, the literals, T, the records (3-byte position, then length | distance << 10).
Bytes Packed(const std::string& literals, std::uint32_t unpackedSize, const std::vector<Record>& records = {}) {
    Bytes out;
    AppendU32(out, static_cast<std::uint32_t>(literals.size()));
    for (const char literal : literals) out.push_back(static_cast<std::uint8_t>(literal));
    AppendU32(out, unpackedSize);
    for (const Record& record : records) {
        AppendU32(out, record.position);
        out.pop_back();
        AppendU32(out, record.length | record.distance << 10);
    }
    return out;
}

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

// Every capacity from none to past the unpacked size, for literals, a copy
// and an overlapping copy: the output is the whole picture's first bytes and
// nothing lands beyond the capacity, whichever byte the capacity cuts.
TEST(UnpackImage, NeverWritesPastTheCapacity) {
    const Decoded copies = Decode(Packed("ab", 0xFFFFFFFFu, {{2, 1000, 2}}), 10);
    EXPECT_EQ(copies.output, "ababababab");
    EXPECT_TRUE(copies.guardIntact);
    for (const Bytes& packed : {Packed("abcdefgh", 8), Packed("abcZ", 10, {{3, 6, 3}}), Packed("xy", 11, {{2, 9, 2}})}) {
        const std::string whole = Decode(packed).output;
        for (std::uint32_t capacity = 0; capacity <= whole.size() + 2; ++capacity) {
            const Decoded cut = Decode(packed, capacity);
            EXPECT_TRUE(cut.guardIntact && cut.output == whole.substr(0, capacity)) << whole << " into " << capacity;
        }
    }

    std::uint8_t destination[4] = {};
    EXPECT_EQ(UnpackImage(nullptr, 10, destination, 4), 0u);
    const Bytes packed = Packed("abc", 3);
    EXPECT_EQ(UnpackImage(packed.data(), static_cast<std::uint32_t>(packed.size()), nullptr, 4), 0u);
}

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
        {CartoonPicture(240, 240), 0.03},
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

const Pixel32 kStalePixel{};

bool LoadsNothing(int (*load)(HINSTANCE, int, ImageRef*), HINSTANCE instance, int id) {
    ImageRef slot{7, 9, &kStalePixel};
    const int result = load(instance, id, &slot);
    return result == 0 && slot.width == 0 && slot.height == 0 && slot.pixels == nullptr;
}

class ImageLoaderTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::ResetForTesting();
        test_support::FreshGame();
    }
    void TearDown() override { platform::ResetForTesting(); }

    test_support::ResourceBuilder resources_;
};

TEST_F(ImageLoaderTest, MissingOrDamagedPictureLeavesTheSlotEmpty) {
    Bytes shortRaw = test_support::RawPicture(20, 20, 0);
    shortRaw.pop_back();
    const Bytes packed = dbb::Pack(CartoonPicture(30, 30));
    Bytes lyingPacked = packed;  // its header claims one more row than it holds
    lyingPacked[4 + 4] += 1;
    resources_.AddString(137, u"not a picture")
        .Add("DBB", 1, shortRaw)
        .Add("DBB", 2, test_support::RawPicture(20, 20, 0))
        .Add("DBB", 3, Bytes{20, 0, 0, 0})
        // 2^31 x 2^31 pixels: 4 x w x h wraps to 0 in 64 bits.
        .Add("DBB", 4, Header(0x80000000u, 0x80000000u))
        .Add("DBB", 5, Bytes(packed.begin(), packed.end() - 10))
        .Add("DBB", 6, lyingPacked)
        .Add("DBB", 7, Packed("", 0))
        .AddPicture(70000 & 0xFFFF, 1, 1);
    const HINSTANCE instance = resources_.Register();
    for (const int id : {135, 137, 70000, 1, 3, 4}) EXPECT_TRUE(LoadsNothing(LoadImage, instance, id)) << id;
    for (const int id : {135, 137, -1, 2, 3, 5, 6, 7}) EXPECT_TRUE(LoadsNothing(LoadPackedImage, instance, id)) << id;
    EXPECT_EQ(LoadImage(instance, 2, nullptr), 0);
    EXPECT_EQ(LoadPackedImage(instance, 2, nullptr), 0);
}

TEST_F(ImageLoaderTest, PackedPictureLargerThanTheBufferStopsAtItsEnd) {
    // Copies that would run on past the decode buffer, into the slots after it.
    const Bytes header = Header(1000, 1000);
    std::vector<Record> records;
    for (std::uint32_t at = 12; at < kDecodeBufferBytes + 4000; at += 1000) records.push_back({at, 1000, 4});
    resources_.Add("DBB", 1, Packed(std::string(header.begin(), header.end()) + "abcd", 4000008, records));
    EXPECT_TRUE(LoadsNothing(LoadPackedImage, resources_.Register(), 1));
    EXPECT_EQ(game.blockImages[0].pixels, nullptr);
}

}  // namespace
