#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "hosts/sdl/pixel_convert.h"
#include "platform/gx/gx.h"

namespace sdlhost {
namespace {

using Picture = std::array<std::uint32_t, kScreenPixels>;

// The frame cases below cover full channels; these, the widening and where
// 5-5-5 keeps its bits.
TEST(SdlPixelValues, ChannelsWidenByRepeatingTheirTopBits) {
    EXPECT_EQ(Rgb565ToXrgb((16 << 11) | (32 << 5) | 1), 0x848208u);
    EXPECT_EQ(Rgb555ToXrgb((16 << 11) | (16 << 6) | (1 << 1)), 0x848408u);
    EXPECT_EQ(Rgb555ToXrgb(0x0001), 0x000000u);  // bit 0 carries nothing
}

void Put(std::vector<std::uint8_t>& memory, const platform::DisplayConfig& config, int x, int y,
         std::uint16_t value) {
    const std::size_t offset = static_cast<std::size_t>(y * config.yPitch + x * config.xPitch);
    memory[offset] = static_cast<std::uint8_t>(value & 0xFF);
    memory[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint32_t At(const Picture& picture, int x, int y) {
    return picture[static_cast<std::size_t>(y) * kScreenWidth + static_cast<std::size_t>(x)];
}

TEST(SdlFrameConversion, LittleEndianTopRowFirstWithThePitchesGiven) {
    platform::DisplayConfig padded;
    padded.xPitch = 4;
    padded.yPitch = 1024;
    for (const platform::DisplayConfig& config : {platform::DisplayConfig{}, padded}) {
        SCOPED_TRACE(config.yPitch);
        std::vector<std::uint8_t> memory(static_cast<std::size_t>(config.yPitch) * config.height);
        Put(memory, config, 0, 0, 0xF800);
        Put(memory, config, 239, 0, 0x001F);
        Put(memory, config, 0, 319, 0x07E0);
        Put(memory, config, 35, 272, 0xFFFF);
        Picture picture{};
        ConvertFrame(memory.data(), config, picture);
        EXPECT_EQ(At(picture, 0, 0), 0xFF0000u);
        EXPECT_EQ(At(picture, 239, 0), 0x0000FFu);
        EXPECT_EQ(At(picture, 0, 319), 0x00FF00u);
        EXPECT_EQ(At(picture, 35, 272), 0xFFFFFFu);
        EXPECT_EQ(At(picture, 1, 0), 0u);
    }
}

TEST(SdlFrameConversion, FormatFlagsPickTheLayout) {
    platform::DisplayConfig config;
    std::vector<std::uint8_t> memory(153600);
    Put(memory, config, 5, 5, 0x07C0);  // full green in 5-5-5, mostly green in 5-6-5

    Picture picture{};
    config.format = kfDirect | kfDirect555;
    ConvertFrame(memory.data(), config, picture);
    EXPECT_EQ(At(picture, 5, 5), 0x00FF00u);

    // Both flags: the game writes 5-6-5, so the picture must be read as such.
    config.format = kfDirect555 | kfDirect565;
    ConvertFrame(memory.data(), config, picture);
    EXPECT_EQ(At(picture, 5, 5), Rgb565ToXrgb(0x07C0));
}

TEST(SdlFrameConversion, WhatTheDisplayCannotShowIsBlack) {
    std::vector<std::uint8_t> memory(153600, 0xFF);
    Picture picture{};
    picture.fill(0x123456u);
    platform::DisplayConfig eightBit;
    eightBit.bitsPerPixel = 8;
    ConvertFrame(memory.data(), eightBit, picture);
    EXPECT_EQ(At(picture, 0, 0), 0u);
    EXPECT_EQ(At(picture, 239, 319), 0u);

    picture.fill(0x123456u);
    ConvertFrame(nullptr, platform::DisplayConfig{}, picture);
    EXPECT_EQ(At(picture, 100, 100), 0u);

    platform::DisplayConfig small;  // a smaller display leaves the rest black
    small.width = 100;
    small.height = 50;
    small.yPitch = 200;
    picture.fill(0x123456u);
    ConvertFrame(memory.data(), small, picture);
    EXPECT_EQ(At(picture, 99, 49), 0xFFFFFFu);
    EXPECT_EQ(At(picture, 100, 49), 0u);
    EXPECT_EQ(At(picture, 99, 50), 0u);
}

TEST(SdlIconConversion, RowsAreFlippedAndChannelsReordered) {
    // 2x2 icon, rows bottom-up; bytes are (unused, blue, green, red).
    const std::array<std::uint8_t, 16> icon = {
        0, 0x01, 0x02, 0x03, 0, 0x04, 0x05, 0x06,  // bottom row
        0, 0x07, 0x08, 0x09, 0, 0x0A, 0x0B, 0x0C,  // top row
    };
    std::array<std::uint32_t, 4> out{};
    ConvertIcon(icon.data(), 2, 2, out);
    EXPECT_EQ(out, (std::array<std::uint32_t, 4>{0xFF090807u, 0xFF0C0B0Au, 0xFF030201u, 0xFF060504u}));
}

}  // namespace
}  // namespace sdlhost
