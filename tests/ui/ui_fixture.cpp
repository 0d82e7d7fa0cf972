#include "tests/ui/ui_fixture.h"

#include <algorithm>
#include <map>
#include <vector>

#include "app/win_main.h"
#include "gfx/display_device.h"
#include "tests/support/fresh_game.h"

namespace ui_test {
namespace {

struct Picture {
    int id;
    std::uint32_t width;
    std::uint32_t frameHeight;
    std::uint32_t frames;
    bool packed;
};

// Every picture the game loads.
constexpr Picture kPictures[] = {
    {136, 20, 20, 1, false},   {138, 240, 80, 1, true},   {141, 60, 35, 1, false},  {143, 60, 35, 1, false},
    {144, 60, 17, 1, false},   {145, 60, 17, 1, false},   {146, 60, 17, 1, false},  {148, 60, 17, 1, false},
    {150, 58, 18, 1, false},   {151, 60, 28, 1, false},   {152, 24, 24, 1, false},  {153, 24, 24, 1, false},
    {154, 24, 24, 1, false},   {155, 24, 24, 1, false},   {156, 230, 234, 1, true}, {158, 230, 60, 1, true},
    {160, 230, 140, 1, true},  {161, 230, 136, 1, true},  {162, 128, 38, 1, true},  {167, 240, 240, 1, true},
    {170, 14, 24, 11, false},  {185, 20, 20, 1, false},   {186, 20, 20, 1, false},  {187, 20, 20, 1, false},
    {188, 20, 20, 1, false},   {189, 20, 20, 1, false},   {250, 60, 35, 1, false},  {251, 60, 35, 1, false},
    {265, 20, 20, 1, false},   {289, 230, 234, 1, true},  {290, 230, 234, 1, true}, {296, 230, 234, 1, true},
    {299, 36, 28, 1, false},   {306, 20, 20, 5, false},   {307, 20, 20, 5, false},  {308, 20, 20, 5, false},
    {309, 20, 20, 5, false},   {310, 20, 20, 5, false},   {311, 20, 20, 5, false},  {315, 20, 20, 1, false},
    {316, 20, 20, 1, false},   {317, 20, 20, 1, false},   {318, 20, 20, 1, false},  {319, 20, 20, 1, false},
    {320, 20, 20, 1, false},   {337, 20, 20, 1, false},   {338, 20, 20, 1, false},  {349, 20, 20, 1, false},
    {350, 20, 20, 1, false},   {353, 40, 18, 1, false},
    // The bog's actors, the balls, the bloom.
    {300, 20, 20, 13, false},  {301, 20, 20, 13, false},  {302, 20, 20, 12, false}, {303, 20, 20, 12, false},
    {304, 20, 20, 20, false},  {305, 20, 20, 16, false},  {312, 20, 20, 7, false},  {313, 20, 20, 7, false},
    {314, 20, 20, 13, false},  {321, 20, 20, 11, false},  {322, 20, 20, 7, false},  {323, 20, 20, 7, false},
    {324, 20, 20, 7, false},   {325, 20, 20, 7, false},   {326, 20, 20, 7, false},  {343, 20, 20, 12, false},
    {344, 20, 20, 13, false},  {345, 20, 20, 10, false},
    // The heroes: walkers, portraits, empty homes; the stones.
    {327, 30, 30, 2, false},   {328, 30, 30, 2, false},   {329, 30, 30, 2, false},  {330, 30, 30, 2, false},
    {331, 30, 30, 2, false},   {332, 30, 30, 2, false},   {335, 30, 30, 2, false},  {336, 30, 30, 2, false},
    {339, 40, 40, 9, true},    {340, 40, 40, 9, true},    {341, 20, 20, 1, false},  {342, 20, 20, 1, false},
    {347, 40, 40, 12, true},   {348, 40, 40, 12, true},
    // The hearts and the intro.
    {351, 200, 180, 1, false}, {352, 200, 180, 15, true}, {354, 106, 113, 1, false}, {355, 104, 113, 1, false},
    {357, 106, 113, 10, true}, {358, 106, 113, 10, true}, {359, 144, 74, 5, true},   {360, 240, 240, 1, true},
};

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
std::uint32_t PixelOf(const Picture& picture, std::uint32_t frame, std::uint32_t column) {
    if (picture.id == 352) return static_cast<int>(column) < HeartMaskEdge(static_cast<int>(frame)) ? kBlack : kWhite;
    if (picture.id == 360) return column < 120 ? kBlack : kWhite;
    return StoredColour(picture.id, static_cast<int>(frame));
}

void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

// The raw layout; frame k fills the k-th band of stored rows (frame 0 first).
std::vector<std::uint8_t> RawBands(const Picture& picture) {
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

std::int32_t KindOf(char symbol) {
    static const std::map<char, std::int32_t> kKinds = {
        {'|', Vertical}, {'-', Horizontal}, {'L', UpRight}, {'r', RightDown},
        {'7', DownLeft}, {'J', LeftUp},     {'#', CornerStone},
    };
    return kKinds.at(symbol);
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
    const char* rows[kBoardSize] = {"r----|----7#", "----------|-", "----------|-", "----------|-",
                                    "----------|-", "----------|-", "----------|-", "----------|-",
                                    "----------|-", "----------|-", "----------|-", "#---------LJ"};
    for (int y = 0; y < kBoardSize; ++y) {
        for (int x = 0; x < kBoardSize; ++x) game.kinds[CellIndex(x, y)] = KindOf(rows[y][x]);
    }
}

void PlaceActor(int x, int y, bool flower) {
    game.kinds[CellIndex(x, y)] = Bog;
    Cell& cell = game.cells[CellIndex(x, y)];
    cell = Cell{};
    cell.active = true;
    cell.nextAnim = flower ? FlowerOpen : FrogRise;
}

void UiFixture::SetUp() {
    test_support::FreshGame();
    host.Install();
    resources.AddString(1, u"Mirelink").AddString(2, u"MIRELINK").AddIcon(101, 32, 32);
    for (const Picture& picture : kPictures) {
        const std::vector<std::uint8_t> raw = RawBands(picture);
        resources.Add("DBB", static_cast<std::uint32_t>(picture.id), picture.packed ? test_support::PackedLiteralsOnly(raw) : raw);
    }
    instance = resources.Register();
    ASSERT_TRUE(InitInstance(instance, SW_SHOW));
    ASSERT_NE(game.display, nullptr);
}

void UiFixture::TearDown() {
    delete game.display;
    game.display = nullptr;
}

void UiFixture::Down(int x, int y) { SendMessageW(game.mainWindow, WM_LBUTTONDOWN, 0, PenAt(x, y)); }
void UiFixture::Up(int x, int y) { SendMessageW(game.mainWindow, WM_LBUTTONUP, 0, PenAt(x, y)); }

void UiFixture::Tap(int x, int y) {
    Down(x, y);
    Up(x, y);
}

void UiFixture::TapCellAt(int column, int row) { Tap(column * 20 + 10, row * 20 + 10); }

void UiFixture::Ticks(int count) {
    for (int i = 0; i < count; ++i) {
        host.AdvanceClock(31);
        SendMessageW(game.mainWindow, WM_PAINT, 0, 0);
    }
}

void UiFixture::CloseStartUpAboutPage() {
    ASSERT_TRUE(game.modalShown) << "start-up leaves the about page up";
    Tap(200, 230);
    ASSERT_FALSE(game.modalShown);
}

void UiFixture::StartAGame() {
    CloseStartUpAboutPage();
    Tap(100, 260);
    ASSERT_TRUE(game.gamePlaying);
}

std::uint16_t UiFixture::ScreenPixel(int x, int y) const {
    const std::uint8_t* at = game.display->backBuffer + game.display->PixelOffset(x, y);
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

std::uint16_t UiFixture::FirstWorkPixel() const {
    const std::uint8_t* at = game.display->workBuffer;
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

void BrokenPathGame::SetUp() {
    UiFixture::SetUp();
    StartAGame();
    game.introRunning = false;
    for (Cell& cell : game.cells) cell = Cell{};
    LayBrokenPath();
}

bool BrokenPathGame::AnyCellTurning() {
    return std::any_of(std::begin(game.cells), std::end(game.cells), [](const Cell& c) { return c.turning; });
}

}  // namespace ui_test
