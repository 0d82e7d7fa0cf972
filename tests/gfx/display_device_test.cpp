#include "gfx/display_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"

namespace {

using test_support::FakeHost;
using Messages = std::vector<std::string>;

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
    Messages messages;
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

TEST(DisplayCheck, AcceptsThePortrait16BitScreensAndRefusesOthersWithTheirMessagesInOrder) {
    struct Case {
        const char* name;
        platform::DisplayConfig config;
        HRESULT status;
        std::optional<std::int32_t> writerIndex;  // nothing: any
        Messages messages;
    };
    const Case cases[] = {
        {"565", Display(240, 320, kfDirect565, 16), S_OK, 1, {}},
        {"555", Display(240, 320, kfDirect555, 16), S_OK, 0, {}},
        {"8 bits: the count check stops the others", Display(240, 320, kfDirect565, 8), E_FAIL, {}, {kColourCount}},
        {"888 coding", Display(240, 320, kfDirect565 | kfDirect888, 16), E_FAIL, -1, {kColourCoding}},
        {"landscape", Display(320, 240, kfDirect565, 16), E_FAIL, {}, {kScreenSize}},
        {"palette and landscape", Display(320, 240, kfPalette, 16), E_FAIL, {}, {kColourCoding, kScreenSize}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Checked result = Check(c.config);
        EXPECT_EQ(result.status, c.status);
        if (c.writerIndex) {
            EXPECT_EQ(result.writerIndex, *c.writerIndex);
        }
        EXPECT_EQ(result.messages, c.messages);
    }
}

TEST(DisplayCheck, AMessageThatCouldNotBeShownMeansOutOfMemory) {
    EXPECT_EQ(Check(Display(240, 320, kfDirect565, 8), 0).status, E_OUTOFMEMORY);
    EXPECT_EQ(Check(Display(320, 240, kfDirect565, 16), 0).status, E_OUTOFMEMORY);
}

// The two bytes a writer stores for one colour, next to a byte it must not touch.
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

TEST(PixelWriters, Compose565And555WithBlueInBitsOneToFiveAndNoneWritesNothing) {
    EXPECT_EQ(Written(WritePixel565, 255, 255, 255), 0xFFFF);
    EXPECT_EQ(Written(WritePixel565, 0x12, 0x34, 0x56), 0x11AA);
    EXPECT_EQ(Written(WritePixel565, 0, 0, 0xF8), 0x001F);
    EXPECT_EQ(Written(WritePixel555, 255, 255, 255), 0xFFFE) << "bit 0 stays clear";
    EXPECT_EQ(Written(WritePixel555, 0, 0, 0xF8), 0x003E);
    EXPECT_EQ(Written(WritePixel555, 0xF8, 0, 0), 0xF800);
    EXPECT_EQ(Written(WritePixel555, 0, 0xF8, 0), 0x07C0);
    EXPECT_EQ(Written(WritePixelNone, 1, 2, 3), 0xAAAA);
}

TEST(Present, CopiesTheBackBufferOnlyWhileTheDisplayIsOpen) {
    FakeHost host;
    host.Install();
    auto device = std::make_unique<DisplayDevice>(nullptr);
    ASSERT_EQ(device->CheckFormat(), S_OK);
    for (int i = 0; i < kScreenBytes; ++i) device->backBuffer[i] = static_cast<std::uint8_t>(i * 7);
    auto shown = [&] { return std::memcmp(host.lastFrame.data(), device->backBuffer, kScreenBytes) == 0; };

    device->Present();
    EXPECT_EQ(host.framesPresented, 0u) << "a closed display shows nothing";
    device->Open(nullptr);
    device->Present();
    ASSERT_EQ(host.framesPresented, 1u);
    ASSERT_GE(host.lastFrame.size(), static_cast<std::size_t>(kScreenBytes));
    EXPECT_TRUE(shown());
    device->Close();
    device->Present();
    EXPECT_EQ(host.framesPresented, 1u);
}

TEST(Addressing, ReportedPitchesAreUsedOnlyWhenEveryPixelStaysInsideTheBuffers) {
    struct Case {
        std::int32_t xPitch, yPitch;
        bool honoured;
    };
    const Case cases[] = {
        {2, 480, true},    // the plain layout
        {-480, 2, true},   // memory turned a quarter turn
        {2, -480, true},   // rows bottom-up
        {2, 512, false},   // padded rows would run past the end
        {4, 960, false},   // 32-bit pitches on a 16-bit buffer
        {0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.xPitch) + "," + std::to_string(c.yPitch));
        platform::DisplayConfig config = Display(240, 320, kfDirect565, 16);
        config.xPitch = c.xPitch;
        config.yPitch = c.yPitch;
        FakeHost host;
        host.Install(config);
        auto device = std::make_unique<DisplayDevice>(nullptr);
        EXPECT_EQ(device->pixelPitch == c.xPitch && device->rowPitch == c.yPitch, c.honoured);
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{239, 0}, std::pair{0, 319}, std::pair{239, 319}}) {
            const int offset = device->PixelOffset(x, y);
            EXPECT_TRUE(offset >= 0 && offset + 2 <= kScreenBytes) << x << "," << y;
        }
    }
}

}  // namespace
