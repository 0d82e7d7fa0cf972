#include "ui/modal.h"

#include "gfx/control_strip.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "gfx/layout.h"
#include "gfx/screen_pictures.h"
#include "play/game_flow.h"
#include "state/game_state.h"

namespace {

// The pages wrap round: after the last comes the first, before the first the last.
void StepHelpPage(int step) {
    game.helpPage = (game.helpPage + step + kHelpPageCount) % kHelpPageCount;
}

// The current page drawn in place, and staged in the work buffer as well, so
// that the slide-out takes away the page now shown rather than the one that
// was rolled in.
void RedrawHelpPage() {
    LoadPackedImage(game.instance, CurrentHelpPageImage(), &game.panelImage);
    const ImageRef& page = game.panelImage;
    const int width = static_cast<int>(page.width);
    const int height = static_cast<int>(page.height);
    game.display->DrawImage(kPanelX, kPageTop, page.pixels, width, height);
    game.display->StageImage(0, 0, page.pixels, width, height);
}

}  // namespace

int CurrentHelpPageImage() {
    return kHelpPages[game.helpPage];
}

void CloseModal() {
    game.display->RollOutPanel();
    if (game.gamePlaying) game.tickEnabled = true;
}

void TurnHelpPage(int x, int y) {
    game.prevPageRect = kPrevPageRect;
    game.nextPageRect = kNextPageRect;
    if (!game.helpPagesShown) return;
    if (PointIn(game.nextPageRect, x, y)) StepHelpPage(+1);
    if (PointIn(game.prevPageRect, x, y)) StepHelpPage(-1);
    RedrawHelpPage();
}

void ResolveExitDialog() {
    if (!game.exitConfirmPending) return;
    game.exitConfirmPending = false;
    if (game.answerYes) {
        game.answerYes = false;
        // Closing hands the focus elsewhere; that focus loss is no hiding.
        game.skipNextKillFocus = true;
        SendMessageW(game.mainWindow, WM_CLOSE, 0, 0);
    } else if (game.gamePlaying) {
        game.tickEnabled = true;
    }
}

void ResolveStopDialog() {
    if (!game.stopConfirmPending) return;
    game.stopConfirmPending = false;
    // "No" needs nothing more: closing the question resumed the game.
    if (!game.answerYes) return;
    game.answerYes = false;
    StopGame();
}
