#include "board/level_setup.h"

#include <cstdint>

#include "app/game_state.h"
#include "board/board.h"
#include "board/random.h"
#include "gfx/display_device.h"
#include "gfx/image.h"

namespace {

// The control strip below the play field.
constexpr int kStripBackground = 138;
constexpr int kDigitStrip = 170;
constexpr int kTitleLogo = 162;
constexpr int kBogTile = 136;
constexpr int kStartFace = 141;
constexpr int kStopFace = 250;

struct StripPicture {
    int id;
    int x;
    int y;
};

// The raw pictures of the strip after the Start/Stop button, in drawing order.
constexpr StripPicture kStripPictures[] = {
    {144, 5, 245},    // Help button
    {146, 5, 264},    // About button
    {150, 175, 245},  // "Score" label
    {299, 137, 264},  // box behind the level number
    {353, 135, 244},  // "Level" label
    {151, 175, 264},  // box behind the score
    {152, 182, 294},  // minimise button
    {154, 211, 294},  // exit button
};

void DrawWhole(const ImageRef& picture, int x, int y) {
    game.display->DrawImage(x, y, picture.pixels, static_cast<int>(picture.width),
                            static_cast<int>(picture.height));
}

void LoadAndDraw(int id, int x, int y) {
    LoadImage(game.instance, id, &game.buttonImage);
    DrawWhole(game.buttonImage, x, y);
}

void LoadPackedAndDraw(int id, int x, int y) {
    LoadPackedImage(game.instance, id, &game.stripImage);
    DrawWhole(game.stripImage, x, y);
}

// A level starts with a flower in 1 of 20 of its actor cells.
constexpr std::int32_t kLevelStartOdds = 20;

// One flower or creature in the middle of the bog, never on the border rows
// and columns. The draws are column, row, then the actor.
void PlaceActor() {
    const int x = 1 + RandomBelow(10);
    const int y = 1 + RandomBelow(10);
    KindAt(x, y) = Bog;
    Cell& cell = CellAt(x, y);
    cell.active = true;
    cell.frame = 0;
    cell.delay = 0;
    cell.nextAnim = ChooseActor(kLevelStartOdds);
}

std::int32_t RandomBlock() {
    if (RandomBelow(2) == 0) return Vertical + RandomBelow(2);
    return UpRight + RandomBelow(game.kindCount - 2);
}

void FillWithBlocks() {
    for (int i = 0; i < kCellCount; ++i) {
        if (game.kinds[i] == Bog) game.kinds[i] = RandomBlock();
    }
}

// The cells next to the homes start as blocks: an actor placed there gives
// way to a random block and is placed again elsewhere (or there again).
void FreeNextToHome(int x, int y) {
    if (KindAt(x, y) != Bog) return;
    KindAt(x, y) = Vertical + RandomBelow(game.kindCount);
    CellAt(x, y).active = false;
    PlaceActor();
}

}  // namespace

std::int32_t ChooseActor(std::int32_t odds) {
    // The draw of the odds that means a flower.
    constexpr std::int32_t kFlowerDraw = 3;
    if (RandomBelow(odds) == kFlowerDraw) return FlowerOpen;
    constexpr std::int32_t kCreatures[3] = {FrogRise, MoundRise, MushroomGrow};
    return kCreatures[RandomBelow(3)];
}

void ClearBoard() {
    for (int i = 0; i < kCellCount; ++i) {
        game.kinds[i] = Bog;
        game.cells[i] = Cell{};
    }
    KindAt(0, 0) = CornerStone;
    KindAt(kFarCell, 0) = CornerStone;
    KindAt(0, kFarCell) = CornerStone;
    KindAt(kFarCell, kFarCell) = CornerStone;
}

void SetUpGameScreen() {
    for (int kind = 1; kind <= 12; ++kind) {
        LoadImage(game.instance, kBlockPictureIds[kind - 1], &game.blockImages[kind - 1]);
    }
    LoadImage(game.instance, kDigitStrip, &game.digitsImage);
    LoadPackedAndDraw(kStripBackground, 0, 240);
    LoadAndDraw(game.stopFaceShown ? kStopFace : kStartFace, 70, 245);
    for (const StripPicture& picture : kStripPictures) LoadAndDraw(picture.id, picture.x, picture.y);
    LoadPackedAndDraw(kTitleLogo, 5, 280);
    LoadImage(game.instance, kBogTile, &game.bogTileImage);
    LoadImage(game.instance, kBottomLeftStonePicture, &game.cornerImage);
}

void GenerateLevel() {
    ClearBoard();
    FillWithBlocks();
    // Counted wide: the loop runs exactly level + 2 times even at the top of the range.
    const std::int64_t actors = static_cast<std::int64_t>(game.level) + 2;
    for (std::int64_t i = 0; i < actors; ++i) PlaceActor();
    FreeNextToHome(1, 1);
    FreeNextToHome(kFarCell - 1, kFarCell - 1);
    KindAt(0, 0) = RightDown;
    KindAt(kFarCell, kFarCell) = LeftUp;
}
