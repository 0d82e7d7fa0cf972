#include "play/bloom.h"

#include <cstdint>

#include "board/board.h"
#include "board/random.h"
#include "play/actor_strips.h"
#include "play/frame_countdown.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

constexpr int kBushPicture = pictures::kBushGrow;
constexpr std::int32_t kBushFrames = pictures::kBushGrowFrames;
constexpr std::int32_t kBloomFrames = pictures::kPinkStarBloomFrames;
// The five flowers of the meadow are pictures that follow on from the first.
constexpr int kFirstBloomPicture = pictures::kPinkStarBloom;
constexpr std::int32_t kBloomKinds = 5;
constexpr std::int32_t kBushWait = 200;

// Every bog cell starts its bush afresh on the first tick of the bloom, as
// the route builder already did.
void PlantBushes() {
    for (int i = 0; i < kCellCount; ++i) {
        if (game.kinds[i] == Bog) PlantBush(game.cells[i]);
    }
}

// Faster than a play strip: the frame moves on by one every tick and by one
// more every second tick. True, drawing the last frame alone, once the frames
// are used up.
bool StepMeadowStrip(int x, int y, int picture, std::int32_t frames) {
    Cell& cell = CellAt(x, y);
    if (cell.frame >= frames) {
        DrawActorFrame(x, y, picture, frames - 1, false);
        return true;
    }
    DrawActorFrame(x, y, picture, cell.frame, true);
    ++cell.frame;
    if (NextFrameDue(cell.frameTicks, 2)) ++cell.frame;
    return false;
}

void GrowBush(int x, int y, Cell& cell) {
    if (game.bloomStart) {
        game.bloomStart = false;
        PlantBushes();
    }
    if (!StepMeadowStrip(x, y, kBushPicture, kBushFrames)) return;
    game.heroesWalking = true;
    cell.frame = 0;
    cell.delay = RandomBelow(kBushWait);
    cell.nextAnim = Bloom;
    cell.bloomImage = kFirstBloomPicture + RandomBelow(kBloomKinds);
    cell.lastAnim = BushGrow;
}

void OpenFlower(int x, int y, Cell& cell) {
    if (!StepMeadowStrip(x, y, cell.bloomImage, kBloomFrames)) return;
    cell.frame = 0;
    cell.nextAnim = Bloom;
    cell.lastAnim = Bloom;
    cell.delay = kOpenFlowerWait;
}

void UpdateMeadowCell(int x, int y) {
    Cell& cell = CellAt(x, y);
    if (cell.delay > 0) {
        --cell.delay;
        // Only the bush and the open flower are waited on in the meadow.
        if (cell.lastAnim == BushGrow || cell.lastAnim == Bloom) DrawWaitPicture(x, y);
        return;
    }
    if (cell.nextAnim == BushGrow) {
        GrowBush(x, y, cell);
    } else if (cell.nextAnim == Bloom) {
        OpenFlower(x, y, cell);
    }
}

}  // namespace

void UpdateBloom() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (CellAt(x, y).active) UpdateMeadowCell(x, y);
        }
    }
}
