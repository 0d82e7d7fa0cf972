#include "ui/game_start.h"

#include "board/cell_taps.h"
#include "board/level_setup.h"
#include "state/game_state.h"
#include "ui/control_strip.h"
#include "ui/screen_pictures.h"

void StartGame() {
    // The intro plays from the next tick on; until it draws, the play field
    // keeps showing the title picture.
    game.introRunning = true;
    ClearBoard();
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
