#include "gfx/display_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"

namespace {

using test_support::FakeHost;

constexpr const char* kColourCount = "The display not less than 65536 colours is required.";
constexpr const char* kColourCoding = "The given coding of colour is not supported by the program.";
constexpr const char* kScreenSize = "The given screen dimension is not supported by the program.";

platform::DisplayConfig Display(std::uint32_t width, std::uint32_t height, std::uint32_t format, int bits) {
    platform::DisplayConfig config;
    config.width = width;
    config.height = height;
    config.format = format;
    config.bitsPerPixel = bits;
    config.xPitch = bits / 8;
    config.yPitch = static_cast<std::int32_t>(width) * (bits / 8);
    return config;
}

struct Checked {
    HRESULT status;
    std::int32_t writerIndex;
    std::vector<std::string> messages;
};

Checked Check(const platform::DisplayConfig& config, int messageBoxResult = IDOK) {
    FakeHost host;
    host.Install(config);
    host.messageBoxResult = messageBoxResult;
    auto device = std::make_unique<DisplayDevice>(nullptr);
    Checked result{device->CheckFormat(), device->writerIndex, {}};
    for (const auto& box : host.messageBoxes) {
        EXPECT_EQ(box.caption, "Error");
        result.messages.push_back(box.text);
    }
    return result;
}

std::uint16_t Written(PixelWriter writer, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    FakeHost host;
    host.Install();
    auto device = std::make_unique<DisplayDevice>(nullptr);
    const Pixel32 source{0, blue, green, red};
    std::uint8_t destination[3] = {0xAA, 0xAA, 0xAA};
    EXPECT_EQ(writer(device.get(), destination, &source), 1);
    EXPECT_EQ(destination[2], 0xAA) << "a writer stores exactly two bytes";
    return static_cast<std::uint16_t>(destination[0] | destination[1] << 8);
}

TEST(DisplayCheck, AcceptsThePortraitScreensOfTheGame) {
    const Checked rgb565 = Check(Display(240, 320, kfDirect565, 16));
    EXPECT_EQ(rgb565.status, S_OK);
    EXPECT_EQ(rgb565.writerIndex, 1);
    EXPECT_TRUE(rgb565.messages.empty());

    const Checked rgb555 = Check(Display(240, 320, kfDirect555, 16));
    EXPECT_EQ(rgb555.status, S_OK);
    EXPECT_EQ(rgb555.writerIndex, 0);
}

TEST(DisplayCheck, RefusesEachUnsuitableScreenWithItsMessagesInOrder) {
    const Checked eightBit = Check(Display(240, 320, kfDirect565, 8));
    EXPECT_EQ(eightBit.status, E_FAIL);
    EXPECT_EQ(eightBit.messages, std::vector<std::string>{kColourCount}) << "the count check stops the others";

    const Checked with888 = Check(Display(240, 320, kfDirect565 | kfDirect888, 16));
    EXPECT_EQ(with888.status, E_FAIL);
    EXPECT_EQ(with888.writerIndex, -1);
    EXPECT_EQ(with888.messages, std::vector<std::string>{kColourCoding});

    const Checked landscape = Check(Display(320, 240, kfDirect565, 16));
    EXPECT_EQ(landscape.status, E_FAIL);
    EXPECT_EQ(landscape.messages, std::vector<std::string>{kScreenSize});

    const Checked both = Check(Display(320, 240, kfPalette, 16));
    EXPECT_EQ(both.messages, (std::vector<std::string>{kColourCoding, kScreenSize}));
}

TEST(DisplayCheck, AMessageThatCouldNotBeShownMeansOutOfMemory) {
    EXPECT_EQ(Check(Display(240, 320, kfDirect565, 8), 0).status, E_OUTOFMEMORY);
    EXPECT_EQ(Check(Display(320, 240, kfDirect565, 16), 0).status, E_OUTOFMEMORY);
}

TEST(DisplayCheck, ATurnedScreenIsBroughtBackToPortrait) {
    platform::DisplayConfig turned = Display(240, 320, kfDirect565, 16);
    turned.rotated = true;
    const Checked result = Check(turned);
    EXPECT_EQ(result.status, S_OK);
    EXPECT_TRUE(result.messages.empty());
}

TEST(PixelWriters, Compose565AndThe555LayoutWithBlueInBitsOneToFive) {
    EXPECT_EQ(Written(WritePixel565, 255, 255, 255), 0xFFFF);
    EXPECT_EQ(Written(WritePixel565, 0x12, 0x34, 0x56), (0x12 >> 3) << 11 | (0x34 >> 2) << 5 | 0x56 >> 3);
    EXPECT_EQ(Written(WritePixel565, 0, 0, 0xF8), 0x001F);

    EXPECT_EQ(Written(WritePixel555, 255, 255, 255), 0xFFFE) << "bit 0 stays clear";
    EXPECT_EQ(Written(WritePixel555, 0, 0, 0xF8), 0x003E);
    EXPECT_EQ(Written(WritePixel555, 0xF8, 0, 0), 0xF800);
    EXPECT_EQ(Written(WritePixel555, 0, 0xF8, 0), 0x07C0);
}

TEST(PixelWriters, TheNoneWriterLeavesTheDestinationAlone) {
    EXPECT_EQ(Written(WritePixelNone, 1, 2, 3), 0xAAAA);
}

TEST(Present, CopiesTheBackBufferOnlyWhileTheDisplayIsOpen) {
    FakeHost host;
    host.Install();
    auto device = std::make_unique<DisplayDevice>(nullptr);
    ASSERT_EQ(device->CheckFormat(), S_OK);
    for (int i = 0; i < kScreenBytes; ++i) device->backBuffer[i] = static_cast<std::uint8_t>(i * 7);

    device->Present();
    EXPECT_EQ(host.framesPresented, 0u) << "a closed display shows nothing";
    EXPECT_EQ(device->frameBuffer, nullptr);

    device->Open(nullptr);
    device->Present();
    ASSERT_EQ(host.framesPresented, 1u);
    ASSERT_GE(host.lastFrame.size(), static_cast<std::size_t>(kScreenBytes));
    EXPECT_EQ(std::memcmp(host.lastFrame.data(), device->backBuffer, kScreenBytes), 0);

    // Hidden and shown again: the same picture comes back without redrawing.
    device->Close();
    device->Present();
    EXPECT_EQ(host.framesPresented, 1u);
    host.lastFrame.assign(host.lastFrame.size(), 0);
    device->Open(nullptr);
    device->Present();
    EXPECT_EQ(host.framesPresented, 2u);
    EXPECT_EQ(std::memcmp(host.lastFrame.data(), device->backBuffer, kScreenBytes), 0);
}

TEST(Addressing, ReportedPitchesAreUsedOnlyWhenEveryPixelStaysInsideTheBuffers) {
    struct Case {
        std::int32_t xPitch, yPitch;
        bool honoured;
    };
    const Case cases[] = {
        {2, 480, true},      // the plain layout
        {-480, 2, true},     // memory turned a quarter turn
        {2, -480, true},     // rows bottom-up
        {2, 512, false},     // padded rows would run past the end
        {4, 960, false},     // 32-bit pitches on a 16-bit buffer
        {0, 0, false},
    };
    for (const Case& c : cases) {
        platform::DisplayConfig config = Display(240, 320, kfDirect565, 16);
        config.xPitch = c.xPitch;
        config.yPitch = c.yPitch;
        FakeHost host;
        host.Install(config);
        auto device = std::make_unique<DisplayDevice>(nullptr);
        SCOPED_TRACE(std::to_string(c.xPitch) + "," + std::to_string(c.yPitch));
        EXPECT_EQ(device->pixelPitch == c.xPitch && device->rowPitch == c.yPitch, c.honoured);
        for (int y : {0, 319}) {
            for (int x : {0, 239}) {
                const int offset = device->PixelOffset(x, y);
                EXPECT_GE(offset, 0);
                EXPECT_LE(offset + 2, kScreenBytes);
            }
        }
    }
}

}  // namespace
