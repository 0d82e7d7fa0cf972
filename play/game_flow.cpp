#include "play/game_flow.h"

#include <limits>

#include "board/board.h"
#include "board/level_setup.h"
#include "gfx/control_strip.h"
#include "gfx/layout.h"
#include "gfx/screen_pictures.h"
#include "play/cell_taps.h"
#include "state/game_state.h"

namespace {

// A level's ending belongs to its game. Stop is answered while the meadow
// blooms before the walk; a bloom left running would take the next game's
// ticks and drop its taps.
void ForgetLevelEnd() {
    game.bloomStart = false;
    game.bloomPhase = false;
    game.heroesWalking = false;
    game.levelCompleteRunning = false;
    game.levelStartRunning = false;
}

}  // namespace

void StartGame() {
    // The intro plays from the next tick on; until it draws, the play field
    // keeps showing the title picture.
    game.introRunning = true;
    ClearBoard();
    LoadBoardPictures();
    SetUpGameScreen();
    game.level = 1;
    GenerateLevel();
    game.gamePlaying = true;
    game.tickEnabled = true;
    game.score = 0;
    game.bankedScore = 0;
    ShowLevel(game.level);
    ShowScore(game.score);
}

void StartNextLevel() {
    if (!game.nextLevelRequested) return;
    game.nextLevelRequested = false;
    // There is no last level; the count only stops at the top of its range.
    if (game.level < std::numeric_limits<std::int32_t>::max()) ++game.level;
    ClearBoard();
    LoadBoardPictures();
    SetUpGameScreen();
    GenerateLevel();
    game.gamePlaying = true;
    ShowLevel(game.level);
    // The score itself stays as it was until the next tap recounts it.
    ShowScore(game.bankedScore);
    game.levelStartRunning = true;
}

void StopGame() {
    game.stopFaceShown = false;
    DrawButton(kStartFace, false);
    game.gamePlaying = false;
    game.tickEnabled = false;
    ForgetLevelEnd();
    ClearBoard();
    DrawTitlePicture();
    game.score = 0;
    ShowScore(game.score);
}

void BankLevelBonus() { game.bankedScore = game.score + kLevelBonus; }
