#include "ui/next_level.h"

#include <cstdint>
#include <limits>

#include "board/cell_taps.h"
#include "board/level_setup.h"
#include "state/game_state.h"
#include "ui/control_strip.h"
#include "ui/screen_pictures.h"

void StartNextLevel() {
    if (!game.nextLevelRequested) return;
    game.nextLevelRequested = false;
    // There is no last level; the count only stops at the top of its range.
    if (game.level < std::numeric_limits<std::int32_t>::max()) ++game.level;
    ClearBoard();
    SetUpGameScreen();
    GenerateLevel();
    game.gamePlaying = true;
    ShowLevel(game.level);
    // The score itself stays as it was until the next tap recounts it.
    ShowScore(game.bankedScore);
    game.levelStartRunning = true;
}
