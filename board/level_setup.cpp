#include "board/level_setup.h"

#include <cstdint>

#include "board/board.h"
#include "board/random.h"
#include "state/game_state.h"

namespace {

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
    return UpRight + RandomBelow(kKindCount - 2);
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
    KindAt(x, y) = Vertical + RandomBelow(kKindCount);
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

void GenerateLevel() {
    ClearBoard();
    FillWithBlocks();
    for (std::int32_t i = 0; i < game.level + 2; ++i) PlaceActor();
    FreeNextToHome(1, 1);
    FreeNextToHome(kFarCell - 1, kFarCell - 1);
    KindAt(0, 0) = RightDown;
    KindAt(kFarCell, kFarCell) = LeftUp;
}
