// The drawing primitives, the panel slides and the number fields, on a
// device over a host without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "tests/support/fake_host.h"

namespace {

using Frame = std::vector<std::uint8_t>;

Pixel32 Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) { return {0, blue, green, red}; }
std::uint16_t As565(const Pixel32& p) {
    return static_cast<std::uint16_t>((p.red >> 3) << 11 | (p.green >> 2) << 5 | (p.blue >> 3));
}

const Pixel32 kWhite = Colour(255, 255, 255);
const Pixel32 kBlack = Colour(0, 0, 0);
constexpr std::uint16_t kMarker = 0xABAB;

// A picture whose every pixel differs, so that a test can find where each went.
std::vector<Pixel32> Distinct(int count, int salt = 0) {
    std::vector<Pixel32> pixels;
    for (int i = 0; i < count; ++i) {
        const int v = i + salt;
        pixels.push_back(Colour(static_cast<std::uint8_t>(8 * (v % 31)), static_cast<std::uint8_t>(4 * (v / 31 % 63)),
                                static_cast<std::uint8_t>(8 * (v / 1953 % 31) + 8)));
    }
    return pixels;
}

// Keeps every frame that reached the screen.
class RecordingHost : public test_support::FakeHost {
public:
    void PresentFrame(const std::uint8_t* memory, const platform::DisplayConfig& config, bool changed) override {
        FakeHost::PresentFrame(memory, config, changed);
        if (keepFrames) frames.emplace_back(memory, memory + kScreenBytes);
    }
    bool keepFrames = false;
    std::vector<Frame> frames;
};

// An open 5-6-5 device whose buffers hold the marker.
class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        host.Install();
        device = std::make_unique<DisplayDevice>(nullptr);
        ASSERT_EQ(device->CheckFormat(), 0);
        device->Open(nullptr);
        std::memset(device->backBuffer, 0xAB, kScreenBytes);
        std::memset(device->workBuffer, 0xAB, kScreenBytes);
    }
    std::uint16_t ScreenPixel(int x, int y) const {
        const std::uint8_t* at = device->backBuffer + device->PixelOffset(x, y);
        return static_cast<std::uint16_t>(at[0] | at[1] << 8);
    }
    Frame Screen() const { return {device->backBuffer, device->backBuffer + kScreenBytes}; }

    RecordingHost host;
    std::unique_ptr<DisplayDevice> device;
};

TEST_F(Drawing, EmptyRectanglesDrawNothing) {
    const std::vector<Pixel32> picture = Distinct(400);
    device->DrawImage(5, 5, picture.data(), 0, 20);
    device->DrawImageMasked(5, 5, picture.data(), picture.data(), 0, 20);
    device->StageImage(5, 5, picture.data(), 20, 0);
    EXPECT_EQ(Screen(), Frame(kScreenBytes, 0xAB));
    EXPECT_EQ(Frame(device->workBuffer, device->workBuffer + kScreenBytes), Frame(kScreenBytes, 0xAB));
}

// The primitives write, byte for byte, what the screen's writer writes pixel
// by pixel: stored rows bottom-up, pure white (not near white) keyed out, the
// picture only where the mask is pure black (white included), staged pages
// in their own rows in the work buffer; on both formats and with pitches
// other than the plain ones.
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
        test_support::FakeHost host;
        host.Install(display);
        DisplayDevice device(nullptr);
        ASSERT_EQ(device.CheckFormat(), 0);
        std::vector<std::uint8_t> back(device.backBuffer, device.backBuffer + kScreenBytes);
        std::vector<std::uint8_t> work(device.workBuffer, device.workBuffer + kScreenBytes);
        for (int r = 0; r < 23; ++r) {
            for (int c = 0; c < 37; ++c) {
                const Pixel32& p = picture[r * 37 + c];
                if (IsPureBlack(mask[r * 37 + c])) device.Writer()(&device, &back[device.PixelOffset(50 + c, 40 + 22 - r)], &p);
                if (!IsPureWhite(p)) device.Writer()(&device, &work[(9 * 37 + 3 + r * 37 + c) * 2], &p);
            }
        }
        device.DrawImageMasked(50, 40, picture.data(), mask.data(), 37, 23);
        device.StageImage(3, 9, picture.data(), 37, 23);
        EXPECT_TRUE(std::equal(back.begin(), back.end(), device.backBuffer)) << display.yPitch << " " << display.format;
        EXPECT_TRUE(std::equal(work.begin(), work.end(), device.workBuffer)) << display.yPitch << " " << display.format;
        for (int r = 0; r < 23; ++r) {
            for (int c = 0; c < 37; ++c) {
                const Pixel32& p = picture[r * 37 + c];
                if (!IsPureWhite(p)) device.Writer()(&device, &back[device.PixelOffset(150 + c, 200 + 22 - r)], &p);
            }
        }
        device.DrawImage(150, 200, picture.data(), 37, 23);
        EXPECT_TRUE(std::equal(back.begin(), back.end(), device.backBuffer)) << display.yPitch << " " << display.format;
    }
}

using DrawingDeathTest = Drawing;

TEST_F(DrawingDeathTest, ARectangleOffItsBufferStopsTheTestBuild) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<Pixel32> picture = Distinct(230 * 60);
    EXPECT_DEATH(device->DrawImage(230, 0, picture.data(), 20, 20), "DrawImage");
    EXPECT_DEATH(device->DrawImage(0, -1, picture.data(), 20, 20), "DrawImage");
    EXPECT_DEATH(device->DrawImage(0, 310, picture.data(), 1, 11), "DrawImage");
    EXPECT_DEATH(device->DrawImageMasked(-5, 0, picture.data(), picture.data(), 20, 20), "DrawImageMasked");
    EXPECT_DEATH(device->StageImage(0, 3821, picture.data(), 20, 20), "StageImage");
    EXPECT_DEATH(device->DrawImage(0, 0, nullptr, 20, 20), "DrawImage");
    EXPECT_DEATH(device->RollInPanel(15, 240, picture.data(), 230, 1), "RollInPanel");
    EXPECT_DEATH(device->RollInPanel(5, 50, picture.data(), 230, 60), "RollInPanel");
    EXPECT_DEATH(device->RollInPanel(5, 320, picture.data(), 230, 1), "RollInPanel");
    device->DrawImage(220, 300, picture.data(), 20, 20);  // the last cell of the screen is fine
    device->StageImage(0, 3820, picture.data(), 20, 20);  // the work buffer's last 400 elements
}

// A panel of distinct colours with some pure white, which a panel shows like
// any other colour.
std::vector<Pixel32> PanelPicture(int width, int height) {
    std::vector<Pixel32> pixels = Distinct(width * height);
    for (std::size_t i = 0; i < pixels.size(); i += 17) pixels[i] = kWhite;
    return pixels;
}

// Where two screens first differ, for a readable failure.
::testing::AssertionResult SameScreen(const Frame& actual, const Frame& expected) {
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end()) return ::testing::AssertionSuccess();
    const auto i = a - actual.begin();
    return ::testing::AssertionFailure() << "first difference at pixel (" << i % 480 / 2 << ", " << i / 480 << ")";
}

class PanelTest : public Drawing {
protected:
    void SetUp() override {
        Drawing::SetUp();
        std::mt19937 random(5);
        for (std::uint8_t& byte : device->backBuffer) byte = static_cast<std::uint8_t>(random());
        before = Screen();
    }

    // The screen with the top `shown` rows of the panel standing on row
    // `bottom`, over the screen as it was before.
    Frame Expected(const std::vector<Pixel32>& panel, int x, int width, int height, int bottom, int shown) const {
        Frame screen = before;
        for (int t = 0; t < shown; ++t) {
            const int row = bottom - shown + 1 + t;  // the panel's t-th row from its top
            const int stored = height - 1 - t;       // rows are stored bottom-up
            for (int c = 0; c < width; ++c) {
                const std::uint16_t value = As565(panel[stored * width + c]);
                screen[row * 480 + (x + c) * 2] = static_cast<std::uint8_t>(value);
                screen[row * 480 + (x + c) * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
            }
        }
        return screen;
    }
    Frame before;
};

TEST_F(PanelTest, APageRollsInAndOutWithItsPacingAndLeavesTheScreenAsItWas) {
    const std::vector<Pixel32> page = PanelPicture(230, 234);
    device->RollInPanel(5, 240, page.data(), 230, 234);
    EXPECT_EQ(host.framesPresented, 235u);
    EXPECT_EQ(host.sleepCalls, 234);
    EXPECT_EQ(host.totalSleptMs, 1404u);
    EXPECT_TRUE(SameScreen(Screen(), Expected(page, 5, 230, 234, 240, 234))) << "the page rests on rows 7 to 240";

    // Drawing over the page is undone with it.
    const Pixel32 red{0, 0, 0, 255};
    for (int y = 0; y < 320; y += 7) device->DrawImage(y % 240, y, &red, 1, 1);
    device->RollOutPanel();
    EXPECT_EQ(host.framesPresented, 470u);
    EXPECT_EQ(host.totalSleptMs, 1404u + 936u);
    EXPECT_TRUE(SameScreen(Screen(), before));
    EXPECT_EQ(device->panelBottomY, 240 + 234);
}

// Every intermediate frame of a small panel: it rises one row a step from
// behind its bottom row and sinks back behind the same horizon.
TEST_F(PanelTest, EachStepShowsOneRowMoreOrLessBehindTheHorizon) {
    const int x = 50, bottom = 100, width = 3, height = 4;
    const std::vector<Pixel32> panel = PanelPicture(width, height);
    host.keepFrames = true;
    device->RollInPanel(x, bottom, panel.data(), width, height);
    ASSERT_EQ(host.frames.size(), 5u);
    for (int i = 0; i < height; ++i) {
        EXPECT_TRUE(SameScreen(host.frames[i], Expected(panel, x, width, height, bottom, i + 1))) << "roll-in step " << i;
    }
    EXPECT_TRUE(SameScreen(host.frames[4], host.frames[3]));

    host.frames.clear();
    device->RollOutPanel();
    ASSERT_EQ(host.frames.size(), 5u);
    for (int s = 1; s <= height; ++s) {
        EXPECT_TRUE(SameScreen(host.frames[s - 1], Expected(panel, x, width, height, bottom, height - s))) << "roll-out step " << s;
    }
    EXPECT_TRUE(SameScreen(host.frames[4], before));
}

constexpr int kCellWidth = 14;
constexpr int kCellHeight = 24;
constexpr int kBlank = 10;

class NumberFieldTest : public Drawing {
protected:
    // True when the cell at (x, y) shows `frame` of the strip, stored rows bottom-up.
    bool CellShows(int x, int y, int frame) const {
        for (int r = 0; r < kCellHeight; ++r) {
            for (int c = 0; c < kCellWidth; ++c) {
                const Pixel32& p = strip[(frame * kCellHeight + r) * kCellWidth + c];
                if (ScreenPixel(x + c, y + kCellHeight - 1 - r) != As565(p)) return false;
            }
        }
        return true;
    }
    // Ten digits with a different colour in every pixel, and a blank of pure
    // white, which the fields draw like any other colour.
    const std::vector<Pixel32> strip = [] {
        std::vector<Pixel32> digits = Distinct(10 * kCellWidth * kCellHeight);
        digits.insert(digits.end(), kCellWidth * kCellHeight, kWhite);
        return digits;
    }();
};

// The score field at (177, 266) shows a number's first four digits, right
// aligned over blank cells; zero and negative numbers blank it. The level
// field has two cells.
TEST_F(NumberFieldTest, FieldsShowLeadingDigitsRightAligned) {
    const std::pair<int, std::array<int, 4>> cases[] = {
        {0, {kBlank, kBlank, kBlank, kBlank}}, {7, {kBlank, kBlank, kBlank, 7}}, {305, {kBlank, 3, 0, 5}},
        {9999, {9, 9, 9, 9}},                  {12345, {1, 2, 3, 4}},           {2147483647, {2, 1, 4, 7}},
        {-56, {kBlank, kBlank, kBlank, kBlank}}};
    device->DrawNumber4(177, 266, strip.data(), kCellWidth, kCellHeight, 1234);
    for (const auto& [value, cells] : cases) {
        SCOPED_TRACE(value);
        device->DrawNumber4(177, 266, strip.data(), kCellWidth, kCellHeight, value);
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(CellShows(177 + k * kCellWidth, 266, cells[k])) << "cell " << k;
    }
    device->DrawNumber(142, 266, strip.data(), kCellWidth, kCellHeight, 10, 2);
    EXPECT_TRUE(CellShows(142, 266, 1) && CellShows(156, 266, 0));
    device->DrawNumber(142, 266, strip.data(), kCellWidth, kCellHeight, 5, 2);
    EXPECT_TRUE(CellShows(142, 266, kBlank) && CellShows(156, 266, 5));
    EXPECT_EQ(host.framesPresented, 10u) << "a field shows at once";
    for (const auto& [x, y] : {std::pair{141, 270}, std::pair{170, 270}, std::pair{176, 270}, std::pair{233, 270}, std::pair{200, 265}, std::pair{200, 290}}) {
        EXPECT_EQ(ScreenPixel(x, y), kMarker) << "outside the field at " << x << "," << y;
    }
}

}  // namespace
