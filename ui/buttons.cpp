#include "ui/buttons.h"

#include "gfx/control_strip.h"
#include "gfx/display_device.h"
#include "gfx/layout.h"
#include "gfx/screen_pictures.h"
#include "play/game_flow.h"
#include "state/game_state.h"
#include "ui/modal.h"

namespace {

constexpr UINT kHideToBottom = SWP_NOSIZE | SWP_HIDEWINDOW;

const ButtonFace& StartStopFace() { return game.stopFaceShown ? kStopFace : kStartFace; }

void ExpectDialogAnswer() {
    game.yesRect = kDialogYesRect;
    game.noRect = kDialogNoRect;
}

void ExpectPageClose(const RECT& close) {
    game.yesRect = close;
    game.noRect = close;
}

// A stop is refused while a sequence plays over the board.
bool SequenceRunning() {
    return game.heroesWalking || game.levelStartRunning || game.introRunning || game.levelCompleteRunning;
}

// A panel answers at its own rectangles, set as it comes up: when the
// release of a press that was never released comes with another's, the
// panel left on top is the one that answers.
// Stops the tick and puts up a Yes/No question; `pending` names it.
void Ask(int dialog, bool& pending) {
    game.tickEnabled = false;
    ExpectDialogAnswer();
    RollInPackedPanel(dialog);
    game.modalShown = true;
    pending = true;
}

void AskToExit() { Ask(kExitDialog, game.exitConfirmPending); }
void AskToStop() { Ask(kStopDialog, game.stopConfirmPending); }

}  // namespace

int PressStartStop(int x, int y) {
    if (!PointIn(kStartStopRect, x, y)) return 0;
    game.startStopHeld = true;
    DrawButton(StartStopFace(), true);
    return 1;
}

int PressExit(int x, int y) {
    if (!PointIn(kExitRect, x, y)) return 0;
    game.exitHeld = true;
    DrawButton(kExitFace, true);
    return 1;
}

int PressHelp(int x, int y) {
    if (!PointIn(kHelpRect, x, y)) return 0;
    game.helpHeld = true;
    DrawButton(kHelpFace, true);
    return 1;
}

int PressAbout(int x, int y) {
    if (!PointIn(kAboutRect, x, y)) return 0;
    game.aboutHeld = true;
    // About stops the game already at the press; Help only at its release.
    game.tickEnabled = false;
    DrawButton(kAboutFace, true);
    return 1;
}

int PressMinimise(int x, int y) {
    if (!PointIn(kMinimiseRect, x, y)) return 0;
    game.minimiseHeld = true;
    DrawButton(kMinimiseFace, true);
    return 1;
}

int ReleaseStartStop(int, int) {
    if (!game.startStopHeld) return 1;
    // The button reads "Stop" from now on, whatever follows.
    DrawButton(kStopFace, false);
    game.stopFaceShown = true;
    game.startStopHeld = false;
    if (!game.gamePlaying) {
        StartGame();
    } else if (!SequenceRunning()) {
        AskToStop();
    }
    return 1;
}

int ReleaseExit(int, int) {
    if (!game.exitHeld) return 1;
    game.exitHeld = false;
    DrawButton(kExitFace, false);
    AskToExit();
    return 1;
}

bool AskBeforeClosing() {
    if (!game.gamePlaying || game.modalShown) return false;
    AskToExit();
    return true;
}

int ReleaseHelp(int, int) {
    if (!game.helpHeld) return 1;
    game.tickEnabled = false;
    game.helpHeld = false;
    DrawButton(kHelpFace, false);
    RollInPackedPanel(CurrentHelpPageImage());
    ExpectPageClose(kHelpCloseRect);
    game.helpPagesShown = true;
    game.modalShown = true;
    return 1;
}

int ReleaseAbout(int, int) {
    if (!game.aboutHeld) return 1;
    game.tickEnabled = false;
    game.aboutHeld = false;
    DrawButton(kAboutFace, false);
    RollInPackedPanel(kAboutPage);
    ExpectPageClose(kAboutCloseRect);
    game.modalShown = true;
    return 1;
}

int ReleaseMinimise(int, int) {
    if (!game.minimiseHeld) return 1;
    game.minimiseHeld = false;
    DrawButton(kMinimiseFace, false);
    // Hiding moves the focus away; that focus loss must not close the
    // display a second time.
    game.skipNextKillFocus = true;
    game.display->Close();
    SetWindowPos(game.mainWindow, HWND_BOTTOM, 0, 0, 0, 0, kHideToBottom);
    return 1;
}
