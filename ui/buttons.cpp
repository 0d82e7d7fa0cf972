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

// What a release does once its control is drawn raised again.
void StartOrStop() {
    // The button reads "Stop" from now on, whatever follows.
    game.stopFaceShown = true;
    if (!game.gamePlaying) {
        StartGame();
    } else if (!SequenceRunning()) {
        AskToStop();
    }
}

void ShowHelp() {
    game.tickEnabled = false;
    RollInPackedPanel(CurrentHelpPageImage());
    ExpectPageClose(kHelpCloseRect);
    game.helpPagesShown = true;
    game.modalShown = true;
}

void ShowAbout() {
    game.tickEnabled = false;
    RollInPackedPanel(kAboutPage);
    ExpectPageClose(kAboutCloseRect);
    game.modalShown = true;
}

void Minimise() {
    // Hiding moves the focus away; that focus loss must not close the
    // display a second time.
    game.skipNextKillFocus = true;
    game.display->Close();
    SetWindowPos(game.mainWindow, HWND_BOTTOM, 0, 0, 0, 0, kHideToBottom);
}

// About stops the game already at the press; Help only at its release.
void StopTheTick() { game.tickEnabled = false; }
void NothingMore() {}

const ButtonFace& StartStopFace() { return game.stopFaceShown ? kStopFace : kStartFace; }
const ButtonFace& StopFace() { return kStopFace; }
const ButtonFace& ExitFace() { return kExitFace; }
const ButtonFace& HelpFace() { return kHelpFace; }
const ButtonFace& AboutFace() { return kAboutFace; }
const ButtonFace& MinimiseFace() { return kMinimiseFace; }

// A control of the strip: where it takes the press, the flag that holds it,
// the face it shows pressed and raised again, and what press and release do.
struct Control {
    const RECT& rect;
    bool GameState::*held;
    const ButtonFace& (*pressedFace)();
    const ButtonFace& (*releasedFace)();
    void (*press)();
    void (*release)();
};

// In the order the releases act, when more than one is held.
const Control kControls[] = {
    {kStartStopRect, &GameState::startStopHeld, StartStopFace, StopFace, NothingMore, StartOrStop},
    {kExitRect, &GameState::exitHeld, ExitFace, ExitFace, NothingMore, AskToExit},
    {kHelpRect, &GameState::helpHeld, HelpFace, HelpFace, NothingMore, ShowHelp},
    {kAboutRect, &GameState::aboutHeld, AboutFace, AboutFace, StopTheTick, ShowAbout},
    {kMinimiseRect, &GameState::minimiseHeld, MinimiseFace, MinimiseFace, NothingMore, Minimise},
};

void Press(const Control& control, int x, int y) {
    if (!PointIn(control.rect, x, y)) return;
    game.*control.held = true;
    control.press();
    DrawButton(control.pressedFace(), true);
}

void Release(const Control& control) {
    if (!(game.*control.held)) return;
    game.*control.held = false;
    DrawButton(control.releasedFace(), false);
    control.release();
}

}  // namespace

void PressControls(int x, int y) {
    for (const Control& control : kControls) Press(control, x, y);
}

void ReleaseControls() {
    for (const Control& control : kControls) Release(control);
}

bool AskBeforeClosing() {
    if (!game.gamePlaying || game.modalShown) return false;
    AskToExit();
    return true;
}
