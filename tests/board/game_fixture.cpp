#include "tests/board/game_fixture.h"

#include <vector>

#include "gfx/display_device.h"

namespace board_test {
namespace {

struct PictureSize {
    int id;
    std::uint32_t width;
    std::uint32_t height;
};

// The raw pictures the board and the control strip load, at their sizes.
constexpr PictureSize kRawPictures[] = {
    {136, 20, 20}, {141, 60, 35}, {144, 60, 17}, {146, 60, 17}, {150, 58, 18}, {151, 60, 28},
    {152, 24, 24}, {154, 24, 24}, {170, 14, 264}, {185, 20, 20}, {186, 20, 20}, {187, 20, 20},
    {188, 20, 20}, {189, 20, 20}, {250, 60, 35}, {265, 20, 20}, {299, 36, 28}, {315, 20, 20},
    {316, 20, 20}, {317, 20, 20}, {318, 20, 20}, {319, 20, 20}, {320, 20, 20}, {337, 20, 20},
    {338, 20, 20}, {349, 20, 20}, {350, 20, 20}, {353, 40, 18},
};
constexpr PictureSize kPackedPictures[] = {{138, 240, 80}, {162, 128, 38}};

}  // namespace

std::uint32_t StoredPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint32_t>(red) << 24 | static_cast<std::uint32_t>(green) << 16 |
           static_cast<std::uint32_t>(blue) << 8;
}

std::uint32_t PictureColour(int id) {
    return StoredPixel(static_cast<std::uint8_t>((id % 32) * 8), static_cast<std::uint8_t>((id / 32) * 4), 8);
}

std::uint16_t As565(std::uint32_t storedPixel) {
    const std::uint32_t red = (storedPixel >> 24) & 0xFF;
    const std::uint32_t green = (storedPixel >> 16) & 0xFF;
    const std::uint32_t blue = (storedPixel >> 8) & 0xFF;
    return static_cast<std::uint16_t>((red >> 3) << 11 | (green >> 2) << 5 | (blue >> 3));
}

void GameFixture::SetUp() {
    static const GameState kFreshGame{};
    game = kFreshGame;
    host.Install();
    for (const PictureSize& picture : kRawPictures) {
        resources.AddPicture(picture.id, picture.width, picture.height, PictureColour(picture.id));
    }
    for (const PictureSize& picture : kPackedPictures) {
        resources.Add("DBB", picture.id, test_support::PackedLiteralsOnly(test_support::RawPicture(picture.width, picture.height, PictureColour(picture.id))));
    }
    game.instance = resources.Register();
    game.display = new DisplayDevice(nullptr);
    ASSERT_EQ(game.display->CheckFormat(), 0);
}

void GameFixture::TearDown() {
    delete game.display;
    game.display = nullptr;
}

std::uint16_t GameFixture::ScreenPixel(int x, int y) const {
    const std::uint8_t* at = game.display->backBuffer + game.display->PixelOffset(x, y);
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

bool GameFixture::RectHolds(int x, int y, int width, int height, std::uint16_t value) const {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            if (ScreenPixel(column, row) != value) return false;
        }
    }
    return true;
}

}  // namespace board_test
