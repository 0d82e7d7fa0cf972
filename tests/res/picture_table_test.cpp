// Every picture of the script is in the program, at its size and frame count.
#include <gtest/gtest.h>

#include <set>

#include "embedded_pictures.h"

namespace res_test {
namespace {

TEST(PictureTable, EveryScriptPictureLoadsAtItsSize) {
    int pictures = 0;
    for (const art::PictureLine& line : ScriptPictures()) {
        const std::optional<Decoded> picture = LoadEmbedded(line);
        ASSERT_TRUE(picture.has_value()) << line.FileName() << " is missing or does not decode to its size";
        EXPECT_EQ(picture->width, line.width) << line.FileName();
        EXPECT_EQ(picture->height, line.height) << line.FileName();
        if (line.kind == art::PictureKind::Picture) ++pictures;
    }
    EXPECT_EQ(pictures, 90);
}

TEST(PictureTable, FramesAreTheSizesTheGameDrawsThem) {
    struct Strip {
        int id, width, frameHeight, frames;
    };
    // The strips the game steps through, as it addresses them.
    const Strip strips[] = {{170, 14, 24, 11},  {300, 20, 20, 13}, {301, 20, 20, 13}, {302, 20, 20, 12},
                            {303, 20, 20, 12},  {304, 20, 20, 20}, {305, 20, 20, 16}, {306, 20, 20, 5},
                            {311, 20, 20, 5},   {312, 20, 20, 7},  {313, 20, 20, 7},  {314, 20, 20, 13},
                            {321, 20, 20, 11},  {322, 20, 20, 7},  {326, 20, 20, 7},  {327, 30, 30, 2},
                            {336, 30, 30, 2},   {339, 40, 40, 9},  {340, 40, 40, 9},  {343, 20, 20, 12},
                            {344, 20, 20, 13},  {345, 20, 20, 10}, {347, 40, 40, 12}, {348, 40, 40, 12},
                            {352, 200, 180, 15}, {357, 106, 113, 10}, {358, 106, 113, 10}, {359, 144, 74, 5}};
    for (const Strip& strip : strips) {
        const art::PictureLine& line = ScriptLine(strip.id);
        EXPECT_EQ(line.width, strip.width) << strip.id;
        EXPECT_EQ(line.FrameHeight(), strip.frameHeight) << strip.id;
        EXPECT_EQ(line.frames, strip.frames) << strip.id;
        EXPECT_EQ(Picture(strip.id).height, strip.frameHeight * strip.frames) << strip.id;
    }
}

TEST(PictureTable, PixelsKeepTheirUnusedByteZero) {
    for (const art::PictureLine& line : ScriptPictures()) {
        const std::optional<Decoded> picture = LoadEmbedded(line);
        ASSERT_TRUE(picture.has_value()) << line.FileName();
        std::size_t nonZero = 0;
        for (const Pixel32& p : picture->pixels) nonZero += p.unused != 0;
        EXPECT_EQ(nonZero, 0u) << line.FileName();
    }
}

}  // namespace
}  // namespace res_test
