#include "play/game_tick.h"

#include "board/board.h"
#include "gfx/control_strip.h"
#include "platform/coredll/coredll.h"
#include "play/actors.h"
#include "play/balls.h"
#include "play/bloom.h"
#include "play/corner_stones.h"
#include "play/hearts.h"
#include "play/intro.h"
#include "play/portraits.h"
#include "play/tick_phase.h"
#include "play/turning_blocks.h"
#include "play/walk.h"
#include "state/game_state.h"

// One tick draws, layer over layer, in a fixed order: blocks, turning blocks,
// the bog's actors, portraits, balls, corner stones, the bloom, the walking
// heroes, the hearts and the intro.
void GameTick() {
    if (!game.tickEnabled || game.display == nullptr) return;
    const DWORD now = GetTickCount();
    if (!TickIsDue(now, game.lastTickTime)) return;
    // Measured from the start of this tick: time lost to a slow tick or a
    // pause is not made up.
    game.lastTickTime = now;

    DrawBoard();
    if (UpdateTurningBlocks()) ShowScore(game.bankedScore);

    // Read only now: a path finished by a turn in this tick switches this
    // very tick to the bloom.
    const TickPhase phase = ReadTickPhase();
    if (phase.actors) UpdateActors();
    if (phase.heldSteps) {
        UpdatePortraits();
        UpdateBalls();
        UpdateCornerStones();
    }
    if (phase.bloom) UpdateBloom();
    // On every tick, each acting only under its own flag.
    UpdateWalk();
    RunLevelCompleteHearts();
    RunLevelStartHearts();
    RunIntro();
}
