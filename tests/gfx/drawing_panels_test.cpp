#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "tests/support/fake_host.h"

namespace {

using Frame = std::vector<std::uint8_t>;

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

// Where two screens first differ, for a readable failure.
::testing::AssertionResult SameScreen(const Frame& actual, const Frame& expected) {
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end()) return ::testing::AssertionSuccess();
    const auto i = a - actual.begin();
    return ::testing::AssertionFailure() << "first difference at pixel (" << i % 480 / 2 << ", " << i / 480 << ")";
}

std::uint16_t As565(const Pixel32& p) {
    return static_cast<std::uint16_t>((p.red >> 3) << 11 | (p.green >> 2) << 5 | (p.blue >> 3));
}

// A panel with a different colour in every pixel and some pure white, which
// a panel shows like any other colour.
std::vector<Pixel32> PanelPicture(int width, int height) {
    std::vector<Pixel32> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back({0, static_cast<std::uint8_t>(i * 8), static_cast<std::uint8_t>(i / 32 * 4),
                          static_cast<std::uint8_t>(i / 2048 * 8 + 8)});
        if (i % 17 == 0) pixels.back() = {0, 255, 255, 255};
    }
    return pixels;
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Install();
        device = std::make_unique<DisplayDevice>(nullptr);
        ASSERT_EQ(device->CheckFormat(), 0);
        device->Open(nullptr);
        std::mt19937 random(5);
        for (std::uint8_t& byte : device->backBuffer) byte = static_cast<std::uint8_t>(random());
        before.assign(device->backBuffer, device->backBuffer + kScreenBytes);
    }

    // The screen with the top `shown` rows of the panel standing on row
    // `bottom`, over the screen as it was before.
    Frame Expected(const std::vector<Pixel32>& panel, int x, int width, int height, int bottom, int shown) const {
        Frame screen = before;
        for (int t = 0; t < shown; ++t) {
            const int row = bottom - shown + 1 + t;     // the panel's t-th row from its top
            const int stored = height - 1 - t;            // rows are stored bottom-up
            for (int c = 0; c < width; ++c) {
                const std::uint16_t value = As565(panel[stored * width + c]);
                screen[row * 480 + (x + c) * 2] = static_cast<std::uint8_t>(value);
                screen[row * 480 + (x + c) * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
            }
        }
        return screen;
    }

    Frame Screen() const { return {device->backBuffer, device->backBuffer + kScreenBytes}; }

    RecordingHost host;
    std::unique_ptr<DisplayDevice> device;
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

TEST_F(PanelTest, AnEmptyPanelSavesTheScreenAndPresentsOnce) {
    device->RollInPanel(5, 240, nullptr, 230, 0);
    EXPECT_EQ(host.framesPresented, 1u);
    EXPECT_EQ(host.sleepCalls, 0);
    EXPECT_EQ(Frame(device->saveBuffer, device->saveBuffer + kScreenBytes), before);
    EXPECT_TRUE(SameScreen(Screen(), before));
}

TEST_F(PanelTest, APanelOffTheScreenStopsTheTestBuild) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<Pixel32> panel = PanelPicture(230, 60);
    EXPECT_DEATH(device->RollInPanel(15, 240, panel.data(), 230, 60), "RollInPanel");
    EXPECT_DEATH(device->RollInPanel(5, 50, panel.data(), 230, 60), "RollInPanel");
    EXPECT_DEATH(device->RollInPanel(5, 320, panel.data(), 230, 60), "RollInPanel");
}

}  // namespace
