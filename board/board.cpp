#include "board/board.h"

#include <algorithm>

#include "gfx/display_device.h"
#include "gfx/image.h"

namespace {

constexpr std::int32_t kLastLitKind = LeftUp + kLitOffset;

// Openings of kinds 1 to 6 as bits indexed by Side.
constexpr unsigned Bit(Side side) { return 1u << static_cast<unsigned>(side); }
constexpr unsigned kOpenings[LeftUp + 1] = {
    0,                                  // bog
    Bit(Side::Up) | Bit(Side::Down),    // vertical
    Bit(Side::Left) | Bit(Side::Right), // horizontal
    Bit(Side::Up) | Bit(Side::Right),
    Bit(Side::Right) | Bit(Side::Down),
    Bit(Side::Down) | Bit(Side::Left),
    Bit(Side::Left) | Bit(Side::Up),
};

void DrawCornerPicture(int pictureId, int x, int y) {
    ImageRef corner{};
    LoadImage(game.instance, pictureId, &corner);
    game.display->DrawFrame(x, y, corner, kCellPixels, kCellPixels, 0);
}

constexpr int kFarPixel = kFarCell * kCellPixels;

// The bog cells' ground under the actors.
constexpr int kBogTile = pictures::kBogTile;

}  // namespace

bool OpensToward(std::int32_t kind, Side side) {
    if (!IsBlock(kind)) return false;
    return (kOpenings[kind] & Bit(side)) != 0;
}

bool KindAbove(int x, int y, std::int32_t v) { return InsideBoard(x, y) && KindAt(x, y) > v; }

bool KindIs(int x, int y, std::int32_t v) { return InsideBoard(x, y) && KindAt(x, y) == v; }

void PlantBush(Cell& cell) {
    const Cell kept = cell;
    cell = Cell{};
    cell.active = true;
    cell.nextAnim = BushGrow;
    cell.lastAnim = kept.lastAnim;
    cell.ball1Frame = kept.ball1Frame;
    cell.ball2Frame = kept.ball2Frame;
    cell.bloomImage = kept.bloomImage;
}

int CountBogCells() {
    return static_cast<int>(std::count(game.kinds, game.kinds + kCellCount, static_cast<std::int32_t>(Bog)));
}

void LoadBoardPictures() {
    for (int kind = 1; kind <= 12; ++kind) {
        LoadImage(game.instance, kBlockPictureIds[kind - 1], &game.blockImages[kind - 1]);
    }
    LoadImage(game.instance, kBogTile, &game.bogTileImage);
}

void DrawBoard() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const std::int32_t kind = KindAt(x, y);
            // Only kinds with a picture: a stray value must not index past the table.
            if (kind < Vertical || kind > kLastLitKind) continue;
            const ImageRef& block = game.blockImages[kind - 1];
            game.display->DrawImage(x * kCellPixels, y * kCellPixels, block.pixels, kCellPixels,
                                    kCellPixels);
        }
    }
    DrawCornerPicture(kHeroHomePicture, 0, 0);
    DrawCornerPicture(kHeroineHomePicture, kFarPixel, kFarPixel);
    DrawCornerPicture(kBottomLeftStonePicture, 0, kFarPixel);
    DrawCornerPicture(kTopRightStonePicture, kFarPixel, 0);
}

void DrawHomesWithoutHeroes() {
    DrawCornerPicture(kHeroHomeEmptyPicture, 0, 0);
    DrawCornerPicture(kHeroineHomeEmptyPicture, kFarPixel, kFarPixel);
}
