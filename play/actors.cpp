#include "play/actors.h"

#include <algorithm>

#include "board/board.h"
#include "board/level_setup.h"
#include "board/random.h"
#include "play/actor_strips.h"
#include "state/game_state.h"

namespace {

constexpr std::int32_t kShortWait = 100;
constexpr std::int32_t kLongWait = 200;
constexpr std::int32_t kUsualOdds = 20;
constexpr std::int32_t kFewestOdds = 5;

// A closing flower comes back more often the higher the level: 1 in 20 at
// level 1, down to 1 in 5 from level 30 on.
std::int32_t FlowerReturnOdds() { return std::max(kUsualOdds - game.level / 2, kFewestOdds); }

void WaitThen(Cell& cell, std::int32_t lastAnim, std::int32_t nextAnim, std::int32_t delay) {
    cell.lastAnim = lastAnim;
    cell.nextAnim = nextAnim;
    cell.delay = delay;
}

// The curled frog's balls roll from here toward the targets the tap chose.
void ThrowBalls(int x, int y, Cell& cell) {
    cell.lastAnim = FrogCurl;
    cell.active = false;
    cell.rolling = true;
    cell.originX = x;
    cell.originY = y;
    cell.ballSetUp = false;
}

// The animation of cell (x, y) has played its last frame: what follows it.
void FinishAnimation(int x, int y, Cell& cell) {
    cell.frame = 0;
    switch (cell.nextAnim) {
        case FlowerOpen: WaitThen(cell, FlowerOpen, FlowerClose, RandomBelow(kShortWait)); break;
        case FlowerClose:
            cell.lastAnim = FlowerClose;
            PickNextActor(x, y, FlowerReturnOdds());
            break;
        case FrogRise: WaitThen(cell, FrogRise, FrogDoze, RandomBelow(kShortWait)); break;
        case FrogDoze: WaitThen(cell, FrogDoze, FrogWake, 0); break;
        // Awake again, the frog waits as the frog at rest.
        case FrogWake: WaitThen(cell, FrogRise, FrogSink, RandomBelow(kShortWait)); break;
        case FrogSink:
        case MoundRise:
        case MushroomShrink:
            cell.lastAnim = cell.nextAnim;
            PickNextActor(x, y, kUsualOdds);
            break;
        case MushroomGrow: WaitThen(cell, MushroomGrow, MushroomShrink, RandomBelow(kLongWait)); break;
        case FrogCurl: ThrowBalls(x, y, cell); break;
        // The block the tap put here shows from now on.
        case FlowerFly:
            cell.lastAnim = FlowerFly;
            cell.active = false;
            break;
        default: break;
    }
}

void UpdateActor(int x, int y) {
    Cell& cell = CellAt(x, y);
    if (cell.delay > 0) {
        --cell.delay;
        DrawWaitPicture(x, y);
        return;
    }
    const ActorStrip* strip = PlayStripOf(cell.nextAnim);
    if (strip == nullptr) return;
    if (StepStrip(x, y, *strip)) FinishAnimation(x, y, cell);
}

}  // namespace

void PickNextActor(int x, int y, std::int32_t odds) {
    Cell& cell = CellAt(x, y);
    cell.delay = RandomBelow(kLongWait);
    cell.nextAnim = ChooseActor(odds);
}

void UpdateActors() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (CellAt(x, y).active) UpdateActor(x, y);
        }
    }
}
