#include "tests/support/game_fixture.h"

#include <algorithm>
#include <map>
#include <vector>

#include "app/win_main.h"
#include "board/random.h"
#include "gfx/display_device.h"
#include "tests/support/fresh_game.h"
#include "tests/support/game_pictures.h"

namespace test_support {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF00;
constexpr std::uint32_t kBlack = 0;

std::uint32_t StoredColour(int id, int frame) {
    const auto red = static_cast<std::uint32_t>((id % 32) * 8);
    const auto green = static_cast<std::uint32_t>((id / 32) * 4);
    const auto blue = static_cast<std::uint32_t>(8 + frame * 12);
    return red << 24 | green << 16 | blue << 8;
}

// The masks are black and white, not flat: each heart mask lets the lovers
// through in the columns left of HeartMaskEdge(frame); the title's heart is
// its left half.
std::uint32_t PixelOf(const GamePicture& picture, std::uint32_t frame, std::uint32_t column) {
    if (picture.id == pictures::kHeartMasks) return static_cast<int>(column) < HeartMaskEdge(static_cast<int>(frame)) ? kBlack : kWhite;
    if (picture.id == 360) return column < 120 ? kBlack : kWhite;
    return StoredColour(picture.id, static_cast<int>(frame));
}

// The raw layout; frame k fills the k-th band of stored rows (frame 0 first).
std::vector<std::uint8_t> RawBands(const GamePicture& picture) {
    std::vector<std::uint8_t> bytes;
    AppendU32(bytes, picture.width);
    AppendU32(bytes, picture.frameHeight * picture.frames);
    for (std::uint32_t frame = 0; frame < picture.frames; ++frame) {
        for (std::uint32_t i = 0; i < picture.width * picture.frameHeight; ++i) {
            AppendU32(bytes, PixelOf(picture, frame, i % picture.width));
        }
    }
    return bytes;
}

LPARAM PenAt(int x, int y) { return static_cast<LPARAM>(static_cast<std::uint32_t>(y) << 16 | static_cast<std::uint32_t>(x)); }

}  // namespace

// StoredColour with each channel cut to its 5-6-5 bits.
std::uint16_t ScreenColour(int id, int frame) {
    return static_cast<std::uint16_t>((id % 32) << 11 | (id / 32) << 5 | (8 + frame * 12) >> 3);
}

int HeartMaskEdge(int frame) { return 12 * (frame + 1); }

// Rows y = 0 to 11: '|' vertical, '-' horizontal, 'L' up-right, 'r' right-down,
// '7' down-left, 'J' left-up, '#' corner stone.
void LayBrokenPath() {
    static const std::map<char, std::int32_t> kKinds = {
        {'|', Vertical}, {'-', Horizontal}, {'L', UpRight}, {'r', RightDown},
        {'7', DownLeft}, {'J', LeftUp},     {'#', CornerStone},
    };
    for (int y = 0; y < kBoardSize; ++y) {
        const char* row = y == 0 ? "r----|----7#" : y == 11 ? "#---------LJ" : "----------|-";
        for (int x = 0; x < kBoardSize; ++x) KindAt(x, y) = kKinds.at(row[x]);
    }
}

void PlaceActor(int x, int y, bool flower) {
    KindAt(x, y) = Bog;
    game.cells[CellIndex(x, y)] = Cell{};
    game.cells[CellIndex(x, y)].active = true;
    game.cells[CellIndex(x, y)].nextAnim = flower ? FlowerOpen : FrogRise;
}

void SeedFirstDraw(int n, int value) {
    std::uint32_t seed = 1;
    for (crt::srand(seed); RandomBelow(n) != value; crt::srand(++seed)) {
    }
    crt::srand(seed);
}

void GameFixture::SetUp() {
    FreshGame();
    host.Install();
    resources.AddString(1, u"Mirelink").AddString(2, u"MIRELINK").AddIcon(101, 32, 32);
    for (const GamePicture& picture : GamePictures()) {
        const std::vector<std::uint8_t> raw = RawBands(picture);
        resources.Add("DBB", static_cast<std::uint32_t>(picture.id), picture.packed ? PackedLiteralsOnly(raw) : raw);
    }
    ASSERT_TRUE(InitInstance(resources.Register(), SW_SHOW));
    ASSERT_NE(game.display, nullptr);
}

void GameFixture::TearDown() {
    delete game.display;
    game.display = nullptr;
}

void GameFixture::Down(int x, int y) { SendMessageW(game.mainWindow, WM_LBUTTONDOWN, 0, PenAt(x, y)); }
void GameFixture::Up(int x, int y) { SendMessageW(game.mainWindow, WM_LBUTTONUP, 0, PenAt(x, y)); }

void GameFixture::Ticks(int count) {
    for (int i = 0; i < count; ++i) {
        host.AdvanceClock(31);
        SendMessageW(game.mainWindow, WM_PAINT, 0, 0);
    }
}

void GameFixture::CloseStartUpAboutPage() {
    ASSERT_TRUE(game.modalShown) << "start-up leaves the about page up";
    Tap(200, 230);
    ASSERT_FALSE(game.modalShown);
}

void GameFixture::StartAGame() {
    CloseStartUpAboutPage();
    Tap(100, 260);
    ASSERT_TRUE(game.gamePlaying);
}

std::uint16_t GameFixture::ScreenPixel(int x, int y) const {
    const std::uint8_t* at = game.display->backBuffer + game.display->PixelOffset(x, y);
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

std::uint16_t GameFixture::PresentedPixel(int x, int y) const {
    const std::size_t at = static_cast<std::size_t>(y * 240 + x) * 2;
    return static_cast<std::uint16_t>(host.lastFrame.at(at) | host.lastFrame.at(at + 1) << 8);
}

bool GameFixture::RectHolds(int x, int y, int width, int height, std::uint16_t value) const {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            if (ScreenPixel(column, row) != value) return false;
        }
    }
    return true;
}

void BrokenPathGame::SetUp() {
    GameFixture::SetUp();
    StartAGame();
    game.introRunning = false;
    game.portraitCountdown[0] = game.portraitCountdown[1] = game.stoneTimer = 100000;
    for (Cell& cell : game.cells) cell = Cell{};
    LayBrokenPath();
}

bool BrokenPathGame::AnyCellTurning() {
    return std::any_of(std::begin(game.cells), std::end(game.cells), [](const Cell& c) { return c.turning; });
}

void BrokenPathGame::MakeBog(int count) {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const bool corner = (x == 0 || x == 11) && (y == 0 || y == 11);
            if (!corner) game.kinds[CellIndex(x, y)] = count-- > 0 ? Bog : Horizontal;
        }
    }
}

}  // namespace test_support
