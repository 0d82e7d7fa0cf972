// Every picture of the script is in the program, at its size and frame count.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "embedded_pictures.h"

namespace res_test {
namespace {

TEST(PictureTable, EveryScriptPictureDecodesToItsSizeWithTheUnusedByteZero) {
    int pictures = 0;
    for (const art::PictureLine& line : ScriptPictures()) {
        SCOPED_TRACE(line.FileName());
        const std::optional<Decoded> picture = LoadEmbedded(line);
        ASSERT_TRUE(picture.has_value()) << "missing or does not decode to its size";
        EXPECT_EQ(picture->width, line.width);
        EXPECT_EQ(picture->height, line.height);
        EXPECT_EQ(std::count_if(picture->pixels.begin(), picture->pixels.end(),
                                [](const Pixel32& p) { return p.unused != 0; }),
                  0);
        pictures += line.kind == art::PictureKind::Picture;
    }
    EXPECT_EQ(pictures, 90);
}

TEST(PictureTable, StripFramesAreTheSizesTheGameStepsThrough) {
    struct Strip {
        int id, width, frameHeight, frames;
    };
    const Strip strips[] = {{170, 14, 24, 11},  {300, 20, 20, 13}, {301, 20, 20, 13}, {302, 20, 20, 12},
                            {303, 20, 20, 12},  {304, 20, 20, 20}, {305, 20, 20, 16}, {306, 20, 20, 5},
                            {311, 20, 20, 5},   {312, 20, 20, 7},  {313, 20, 20, 7},  {314, 20, 20, 13},
                            {321, 20, 20, 11},  {322, 20, 20, 7},  {326, 20, 20, 7},  {327, 30, 30, 2},
                            {336, 30, 30, 2},   {339, 40, 40, 9},  {340, 40, 40, 9},  {343, 20, 20, 12},
                            {344, 20, 20, 13},  {345, 20, 20, 10}, {347, 40, 40, 12}, {348, 40, 40, 12},
                            {352, 200, 180, 15}, {357, 106, 113, 10}, {358, 106, 113, 10}, {359, 144, 74, 5}};
    for (const Strip& strip : strips) {
        const Decoded& picture = Picture(strip.id);
        EXPECT_EQ((std::array{picture.width, picture.FrameHeight(), picture.frames, picture.height}),
                  (std::array{strip.width, strip.frameHeight, strip.frames, strip.frameHeight * strip.frames}))
            << strip.id;
    }
}

}  // namespace
}  // namespace res_test
