#include "ui/touch_dispatch.h"

#include "gfx/control_strip.h"
#include "gfx/layout.h"
#include "play/cell_taps.h"
#include "play/game_flow.h"
#include "state/game_state.h"
#include "ui/buttons.h"
#include "ui/modal.h"

namespace {

// A panel owns the pen: only its two answers close it. Where both answers
// are the same rectangle (the pages, the level-complete panel) the answer
// comes out as "no".
void PenDownOnPanel(int x, int y) {
    const bool onYes = PointIn(game.yesRect, x, y);
    const bool onNo = PointIn(game.noRect, x, y);
    if (onYes || onNo) {
        game.helpPagesShown = false;
        game.modalShown = false;
        CloseModal();
        if (onYes) game.answerYes = true;
        if (onNo) game.answerYes = false;
    }
    TurnHelpPage(x, y);
}

}  // namespace

void PressBoard(int x, int y) {
    if (!PointIn(kBoardRect, x, y)) return;
    if (!game.gamePlaying) return;
    if (game.cellPressed) {
        // The release of the last press never came: this pen-down only drops it.
        game.cellPressed = false;
        return;
    }
    game.pressedCell = {y / kCellPixels, x / kCellPixels};
    game.cellPressed = true;
}

void OnPenDown(int x, int y) {
    if (game.modalShown) {
        PenDownOnPanel(x, y);
    } else {
        // The board and the controls do not overlap: at most one takes the press.
        PressBoard(x, y);
        PressControls(x, y);
    }
}

void OnPenUp(int x, int y) {
    // A release acts wherever the pen is lifted: the action belongs to the press.
    ReleaseControls();
    // A panel is up, perhaps just put up by a release above: it owns this pen-up.
    if (game.modalShown) return;
    StartNextLevel();
    if (ReleaseCell(x, y)) ShowScore(game.score);
    ResolveExitDialog();
    // "Yes" to the exit question has closed the window and released the display.
    if (game.display == nullptr) return;
    ResolveStopDialog();
}
