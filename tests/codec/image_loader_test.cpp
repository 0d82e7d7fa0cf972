// The two picture loaders over a resource table: a sound picture fills its
// slot, anything missing or damaged leaves the slot empty and answers 0.
#include <gtest/gtest.h>

#include "gfx/image.h"
#include "state/game_state.h"
#include "tests/codec/test_data.h"
#include "tests/support/fresh_game.h"
#include "tests/support/resource_builder.h"
#include "tools/dbb/packer.h"

namespace {

using codec_test::Bytes;

const Pixel32 kStalePixel{};

bool LoadsNothing(int (*load)(HINSTANCE, int, ImageRef*), HINSTANCE instance, int id) {
    ImageRef slot{7, 9, &kStalePixel};
    const int result = load(instance, id, &slot);
    return result == 0 && slot.width == 0 && slot.height == 0 && slot.pixels == nullptr;
}

Bytes Header(std::uint32_t width, std::uint32_t height) {
    Bytes bytes;
    codec_test::AppendU32(bytes, width);
    codec_test::AppendU32(bytes, height);
    return bytes;
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

TEST_F(ImageLoaderTest, RawPictureIsUsedInPlaceAndPackedOneDecodedIntoTheSharedBuffer) {
    const Bytes raw = codec_test::CartoonPicture(40, 90);
    resources_.AddPicture(136, 20, 20, 0x33221100u).Add("DBB", 339, dbb::Pack(raw));
    const HINSTANCE instance = resources_.Register();
    ImageRef slot;
    EXPECT_EQ(LoadImage(instance, 136, &slot), 1);
    EXPECT_EQ(slot.width, 20u);
    EXPECT_EQ(slot.height, 20u);
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(slot.pixels), resources_.Table().entries[0].data + 8);
    EXPECT_EQ(slot.pixels[399].red, 0x33);

    EXPECT_EQ(LoadPackedImage(instance, 339, &slot), 1);
    EXPECT_EQ(slot.width, 40u);
    EXPECT_EQ(slot.height, 90u);
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(slot.pixels), game.decodeBuffer + 8);
    EXPECT_TRUE(std::equal(raw.begin(), raw.end(), game.decodeBuffer));
}

TEST_F(ImageLoaderTest, MissingOrDamagedPictureLeavesTheSlotEmpty) {
    Bytes shortRaw = test_support::RawPicture(20, 20, 0);
    shortRaw.pop_back();
    const Bytes packed = dbb::Pack(codec_test::CartoonPicture(30, 30));
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
        .Add("DBB", 7, codec_test::Packed("", 0))
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
    std::vector<codec_test::Record> records;
    for (std::uint32_t at = 12; at < kDecodeBufferBytes + 4000; at += 1000) records.push_back({at, 1000, 4});
    resources_.Add("DBB", 1, codec_test::Packed(std::string(header.begin(), header.end()) + "abcd", 4000008, records));
    EXPECT_TRUE(LoadsNothing(LoadPackedImage, resources_.Register(), 1));
    EXPECT_EQ(game.blockImages[0].pixels, nullptr);
}

}  // namespace
