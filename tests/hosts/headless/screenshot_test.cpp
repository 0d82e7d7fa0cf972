#include "hosts/headless/screenshot.h"

#include <algorithm>
#include <array>

#include <gtest/gtest.h>

namespace {

using Rgb = std::array<std::uint8_t, 3>;

// The whole-frame cases below cover full channels; these, the widening and
// where 5-5-5 keeps its bits.
TEST(ScreenDecoding, WidensEachChannelByRepeatingItsTopBits) {
    EXPECT_EQ(DecodeRgb565((0x10 << 11) | (0x20 << 5) | 0x01), (Rgb{132, 130, 8}));
    EXPECT_EQ(DecodeRgb555((0x10 << 11) | (0x10 << 6) | (0x01 << 1)), (Rgb{132, 132, 8}));
    EXPECT_EQ(DecodeRgb555(0x0001), (Rgb{0, 0, 0}));  // bit 0 carries nothing
}

PresentedFrame TwoByTwo(std::uint32_t format) {
    PresentedFrame frame;
    frame.config.width = 2;
    frame.config.height = 2;
    frame.config.xPitch = 2;
    frame.config.yPitch = 4;
    frame.config.format = format;
    // (0,0) white, (1,0) pure blue in 5-5-5, (0,1) pure red, (1,1) pure blue in 5-6-5.
    frame.memory = {0xFF, 0xFF, 0x3E, 0x00, 0x00, 0xF8, 0x1F, 0x00};
    return frame;
}

TEST(ScreenDecoding, FrameFollowsTheFormatTheGameChose) {
    const PresentedFrame as565 = TwoByTwo(0x80);
    EXPECT_EQ(DecodeFrame(&as565).rgb, (std::vector<std::uint8_t>{255, 255, 255, 0, 4, 247, 255, 0, 0, 0, 0, 255}));

    const PresentedFrame as555 = TwoByTwo(0x40);
    EXPECT_EQ(DecodeFrame(&as555).rgb[5], 255);   // (1,0) blue
    EXPECT_EQ(DecodeFrame(&as555).rgb[11], 123);  // (1,1) half blue here

    const PresentedFrame both = TwoByTwo(0xC0);  // the game prefers 5-6-5
    EXPECT_EQ(DecodeFrame(&both).rgb[11], 255);
}

TEST(ScreenDecoding, WhatWasNotPresentedStaysBlack) {
    PresentedFrame cut = TwoByTwo(0x80);
    cut.memory.resize(5);
    EXPECT_EQ(DecodeFrame(&cut).rgb, (std::vector<std::uint8_t>{255, 255, 255, 0, 4, 247, 0, 0, 0, 0, 0, 0}));

    const RgbPicture nothing = DecodeFrame(nullptr);  // a black portrait screen
    EXPECT_EQ(nothing.width, 240u);
    EXPECT_EQ(nothing.height, 320u);
    EXPECT_EQ(std::count(nothing.rgb.begin(), nothing.rgb.end(), 0), 240 * 320 * 3);
}

}  // namespace
