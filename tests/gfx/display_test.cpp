// The display device (its checks of the screen, pixel writers, pitches), the
// drawing primitives, and what the golden plays never show of the panel
// slides and the number fields, over a host without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "tests/support/fake_host.h"

namespace {

using test_support::FakeHost;
using Frame = std::vector<std::uint8_t>;
using Messages = std::vector<std::string>;

platform::DisplayConfig Display(std::uint32_t width, std::uint32_t height, std::uint32_t format, int bits) {
    return {.width = width, .height = height, .xPitch = bits / 8, .yPitch = static_cast<std::int32_t>(width) * (bits / 8),
            .bitsPerPixel = bits, .format = format};
}

TEST(DisplayCheck, AcceptsThePortrait16BitScreensAndRefusesOthersWithTheirMessagesInOrder) {
    const std::string colourCount = "Error: The display not less than 65536 colours is required.";
    const std::string colourCoding = "Error: The given coding of colour is not supported by the program.";
    const std::string screenSize = "Error: The given screen dimension is not supported by the program.";
    struct Case {
        platform::DisplayConfig config;
        HRESULT status;
        PixelWriter writer;  // null: any
        Messages messages;
        int messageBoxResult = IDOK;
    };
    const Case cases[] = {
        {Display(240, 320, kfDirect565, 16), S_OK, WritePixel565, {}},
        {Display(240, 320, kfDirect555, 16), S_OK, WritePixel555, {}},
        {Display(240, 320, kfDirect565, 8), E_FAIL, nullptr, {colourCount}},  // the count check stops the others
        {Display(240, 320, kfDirect565 | kfDirect888, 16), E_FAIL, WritePixelNone, {colourCoding}},
        {Display(320, 240, kfDirect565, 16), E_FAIL, nullptr, {screenSize}},
        {Display(320, 240, kfPalette, 16), E_FAIL, nullptr, {colourCoding, screenSize}},
        // A message that could not be shown means out of memory.
        {Display(240, 320, kfDirect565, 8), E_OUTOFMEMORY, nullptr, {colourCount}, 0},
        {Display(320, 240, kfDirect565, 16), E_OUTOFMEMORY, nullptr, {screenSize}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.config.width << "x" << c.config.height << " " << c.config.format
                                          << " " << c.config.bitsPerPixel);
        FakeHost host;
        host.Install(c.config);
        host.messageBoxResult = c.messageBoxResult;
        DisplayDevice device(nullptr);
        EXPECT_EQ(device.CheckFormat(), c.status);
        EXPECT_EQ(device.Writer(), c.writer ? c.writer : device.Writer());
        Messages messages;
        for (const auto& box : host.messageBoxes) messages.push_back(box.caption + ": " + box.text);
        EXPECT_EQ(messages, c.messages);
    }
}

// The golden plays show every colour in 5-6-5; here the 5-5-5 layout.
TEST(PixelWriters, Compose555WithBlueInBitsOneToFiveAndNoneWritesNothing) {
    FakeHost host;
    host.Install();
    DisplayDevice device(nullptr);
    const struct { PixelWriter writer; std::uint8_t red, green, blue; std::uint16_t written; } cases[] = {
        {WritePixel555, 255, 255, 255, 0xFFFE},  // bit 0 stays clear
        {WritePixel555, 0, 0, 0xF8, 0x003E}, {WritePixel555, 0xF8, 0, 0, 0xF800},
        {WritePixel555, 0, 0xF8, 0, 0x07C0}, {WritePixelNone, 1, 2, 3, 0xAAAA},
    };
    for (const auto& c : cases) {
        const Pixel32 source{0, c.blue, c.green, c.red};
        std::uint8_t destination[3] = {0xAA, 0xAA, 0xAA};
        EXPECT_EQ(c.writer(&device, destination, &source), 1);
        EXPECT_EQ(destination[0] | destination[1] << 8, c.written) << int{c.red} << "," << int{c.green};
        EXPECT_EQ(destination[2], 0xAA) << "a writer stores exactly two bytes";
    }
}

TEST(Addressing, ReportedPitchesAreUsedOnlyWhenEveryPixelStaysInsideTheBuffers) {
    const struct { std::int32_t xPitch, yPitch; bool honoured; } cases[] = {
        {2, 480, true},    // the plain layout
        {-480, 2, true},   // memory turned a quarter turn
        {2, -480, true},   // rows bottom-up
        {2, 512, false},   // padded rows would run past the end
        {4, 960, false},   // 32-bit pitches on a 16-bit buffer
        {0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.xPitch) + "," + std::to_string(c.yPitch));
        FakeHost host;
        host.Install({.xPitch = c.xPitch, .yPitch = c.yPitch});
        DisplayDevice device(nullptr);
        const int origin = device.PixelOffset(0, 0);
        EXPECT_EQ(device.PixelOffset(1, 0) - origin == c.xPitch && device.PixelOffset(0, 1) - origin == c.yPitch,
                  c.honoured);
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{239, 0}, std::pair{0, 319}, std::pair{239, 319}}) {
            const int offset = device.PixelOffset(x, y);
            EXPECT_TRUE(offset >= 0 && offset + 2 <= kScreenBytes) << x << "," << y;
        }
    }
}

Pixel32 Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) { return {0, blue, green, red}; }
const Pixel32 kWhite = Colour(255, 255, 255);
const Pixel32 kBlack = Colour(0, 0, 0);
constexpr std::uint16_t kMarker = 0xABAB;
const Pixel32 kMarkerColour = Colour(0xA8, 0x74, 0x58);  // kMarker in 5-6-5

// A picture whose every pixel differs, so that a test can find where each went.
std::vector<Pixel32> Distinct(int count) {
    std::vector<Pixel32> pixels;
    for (int v = 0; v < count; ++v) {
        pixels.push_back(Colour(static_cast<std::uint8_t>(8 * (v % 31)), static_cast<std::uint8_t>(4 * (v / 31 % 63)),
                                static_cast<std::uint8_t>(8 * (v / 1953 % 31) + 8)));
    }
    return pixels;
}

// The primitives write, byte for byte, what the screen's writer writes pixel
// by pixel: stored rows bottom-up, pure white (not near white) keyed out, the
// picture only where the mask is pure black (white included), staged pages
// in their own rows in the work buffer; on both formats and with pitches
// other than the plain ones. Empty rectangles draw nothing.
TEST(DrawingLoops, WriteWhatTheScreensWriterWrites) {
    std::mt19937 random(7);
    const Pixel32 masks[] = {kBlack, Colour(0, 0, 1), Colour(1, 0, 0), kWhite};
    std::vector<Pixel32> picture(37 * 23);
    std::vector<Pixel32> mask(picture.size());
    for (std::size_t i = 0; i < picture.size(); ++i) {
        picture[i] = random() % 5 == 0 ? kWhite : Colour(random() & 255, random() & 255, random() & 255);
        mask[i] = masks[random() % 4];
    }
    for (std::size_t i = 1; i < 40; i += 13) picture[i] = Colour(255, 255 - i % 2, 254 + i % 2);  // near white
    for (const platform::DisplayConfig display : {platform::DisplayConfig{},
                                                  platform::DisplayConfig{.yPitch = 512},
                                                  platform::DisplayConfig{.format = 0x40}}) {
        SCOPED_TRACE(::testing::Message() << display.yPitch << " " << display.format);
        FakeHost host;
        host.Install(display);
        DisplayDevice device(nullptr);
        ASSERT_EQ(device.CheckFormat(), 0);
        std::vector<std::uint8_t> back(device.DrawnScreen(), device.DrawnScreen() + kScreenBytes);
        std::vector<std::uint8_t> work(device.StagedPage(), device.StagedPage() + kScreenBytes);
        for (int r = 0; r < 23; ++r) {
            for (int c = 0; c < 37; ++c) {
                const Pixel32& p = picture[r * 37 + c];
                if (IsPureBlack(mask[r * 37 + c])) device.Writer()(&device, &back[device.PixelOffset(50 + c, 40 + 22 - r)], &p);
                if (!IsPureWhite(p)) device.Writer()(&device, &work[(9 * 37 + 3 + r * 37 + c) * 2], &p);
                if (!IsPureWhite(p)) device.Writer()(&device, &back[device.PixelOffset(150 + c, 200 + 22 - r)], &p);
            }
        }
        device.DrawImageMasked(50, 40, picture.data(), mask.data(), 37, 23);
        device.StageImage(3, 9, picture.data(), 37, 23);
        device.DrawImage(150, 200, picture.data(), 37, 23);
        device.DrawImage(5, 5, picture.data(), 0, 20);
        device.DrawImageMasked(5, 5, picture.data(), picture.data(), 0, 20);
        device.StageImage(5, 5, picture.data(), 20, 0);
        EXPECT_TRUE(std::equal(back.begin(), back.end(), device.DrawnScreen()));
        EXPECT_TRUE(std::equal(work.begin(), work.end(), device.StagedPage()));
    }
}

// Keeps every frame that reached the screen.
class RecordingHost : public FakeHost {
public:
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override {
        FakeHost::PresentFrame(memory, config, changed);
        if (keepFrames) frames.emplace_back(memory, memory + kScreenBytes);
    }
    bool keepFrames = false;
    std::vector<Frame> frames;
};

// An open 5-6-5 device whose back buffer holds the marker.
class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        host.Install();
        device = std::make_unique<DisplayDevice>(nullptr);
        ASSERT_EQ(device->CheckFormat(), 0);
        device->Open(nullptr);
        Fill([](int) { return kMarkerColour; });
    }
    std::uint16_t ScreenPixel(int x, int y) const {
        const std::uint8_t* at = device->DrawnScreen() + device->PixelOffset(x, y);
        return static_cast<std::uint16_t>(at[0] | at[1] << 8);
    }
    Frame Screen() const { return {device->DrawnScreen(), device->DrawnScreen() + kScreenBytes}; }
    // The whole screen drawn pixel by pixel (pure white stays as it was).
    template <class Colour>
    void Fill(Colour colour) {
        std::vector<Pixel32> screen(kScreenWidth * kScreenHeight);
        for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) screen[i] = colour(i);
        device->DrawImage(0, 0, screen.data(), kScreenWidth, kScreenHeight);
    }

    RecordingHost host;
    std::unique_ptr<DisplayDevice> device;
};

// Panels of distinct colours with some pure white, which a panel shows like
// any other colour, over a screen of noise.
class PanelTest : public Drawing {
protected:
    void SetUp() override {
        Drawing::SetUp();
        std::mt19937 random(5);
        Fill([&random](int) { return Colour(random() & 255, random() & 255, random() & 255); });
        before = Screen();
    }
    static std::vector<Pixel32> PanelPicture(int width, int height) {
        std::vector<Pixel32> pixels = Distinct(width * height);
        for (std::size_t i = 0; i < pixels.size(); i += 17) pixels[i] = kWhite;
        return pixels;
    }
    // The screen with the top `shown` rows of the panel standing on row
    // `bottom`, over the screen as it was before.
    Frame Expected(const std::vector<Pixel32>& panel, int x, int width, int height, int bottom, int shown) const {
        Frame screen = before;
        for (int t = 0; t < shown; ++t) {
            const int row = bottom - shown + 1 + t;  // the panel's t-th row from its top
            const int stored = height - 1 - t;       // rows are stored bottom-up
            for (int c = 0; c < width; ++c) {
                const std::uint16_t value = Pack565(panel[stored * width + c]);
                screen[row * 480 + (x + c) * 2] = static_cast<std::uint8_t>(value);
                screen[row * 480 + (x + c) * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
            }
        }
        return screen;
    }
    Frame before;
};

// Every intermediate frame of a small panel: it rises one row a step from
// behind its bottom row and sinks back behind the same horizon.
TEST_F(PanelTest, EachStepShowsOneRowMoreOrLessBehindTheHorizon) {
    const int x = 50, bottom = 100, width = 3, height = 4;
    const std::vector<Pixel32> panel = PanelPicture(width, height);
    host.keepFrames = true;
    device->RollInPanel(x, bottom, panel.data(), width, height);
    ASSERT_EQ(host.frames.size(), 5u);
    for (int i = 0; i < height; ++i) {
        EXPECT_TRUE(host.frames[i] == Expected(panel, x, width, height, bottom, i + 1)) << "roll-in step " << i;
    }
    EXPECT_TRUE(host.frames[4] == host.frames[3]);
    host.frames.clear();
    device->RollOutPanel();
    ASSERT_EQ(host.frames.size(), 5u);
    for (int s = 1; s <= height; ++s) {
        EXPECT_TRUE(host.frames[s - 1] == Expected(panel, x, width, height, bottom, height - s)) << "roll-out step " << s;
    }
    EXPECT_TRUE(host.frames[4] == before);
}

// The plays show small numbers; here the rest: a number longer than its field
// shows its leading digits, a negative one blanks it, and the two-cell level
// field. Each digit of the strip has its own colour in every pixel; the blank
// is pure white, which the fields draw like any other colour.
using NumberField = Drawing;

TEST_F(NumberField, ShowsLeadingDigitsAndBlanksNegatives) {
    constexpr int kWidth = 14, kHeight = 24, kBlank = 10;
    std::vector<Pixel32> strip = Distinct(10 * kWidth * kHeight);
    strip.insert(strip.end(), kWidth * kHeight, kWhite);
    // True when the cells from (x, y) show `frames` of the strip, stored rows bottom-up.
    const auto cellsShow = [&](int x, int y, std::vector<int> frames) {
        for (std::size_t k = 0; k < frames.size(); ++k) {
            for (int r = 0; r < kHeight; ++r) {
                for (int c = 0; c < kWidth; ++c) {
                    const Pixel32& p = strip[(frames[k] * kHeight + r) * kWidth + c];
                    if (ScreenPixel(x + static_cast<int>(k) * kWidth + c, y + kHeight - 1 - r) != Pack565(p)) return false;
                }
            }
        }
        return true;
    };
    const std::pair<int, std::vector<int>> cases[] = {
        {12345, {1, 2, 3, 4}}, {2147483647, {2, 1, 4, 7}}, {-56, {kBlank, kBlank, kBlank, kBlank}}};
    for (const auto& [value, cells] : cases) {
        device->DrawNumber4(177, 266, strip.data(), kWidth, kHeight, value);
        EXPECT_TRUE(cellsShow(177, 266, cells)) << value;
    }
    device->DrawNumber(142, 266, strip.data(), kWidth, kHeight, 10, 2);
    EXPECT_TRUE(cellsShow(142, 266, {1, 0}));
    EXPECT_EQ(ScreenPixel(141, 270), kMarker) << "nothing left of the field";
}

}  // namespace
