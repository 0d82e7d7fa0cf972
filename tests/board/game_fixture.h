// A fresh game for each test: a host with a virtual clock, a 5-6-5 display,
// and the pictures the board draws as flat colours, one colour per picture,
// so that a test can tell from a screen pixel which picture put it there.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "state/game_state.h"
#include "tests/support/fake_host.h"
#include "tests/support/resource_builder.h"

namespace board_test {

// The stored pixel (unused, blue, green, red) of a flat colour.
std::uint32_t StoredPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// The colour picture `id` is filled with; distinct for every id after
// conversion to 5-6-5, and never pure white.
std::uint32_t PictureColour(int id);
// What the 5-6-5 writer stores for a stored pixel.
std::uint16_t As565(std::uint32_t storedPixel);

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The 16-bit value at screen pixel (x, y) of the back buffer.
    std::uint16_t ScreenPixel(int x, int y) const;
    // True when every pixel of the rectangle holds `value`.
    bool RectHolds(int x, int y, int width, int height, std::uint16_t value) const;

    test_support::FakeHost host;
    test_support::ResourceBuilder resources;
};

}  // namespace board_test
