// The controls of the strip. A press inside a control's rectangle draws its
// pressed picture and marks it held; the next pen-up, wherever the pen is
// lifted, draws it raised again and does what the control is for.
#pragma once

// A pen-down on the strip: presses the control under it, if any (the
// controls do not overlap).
void PressControls(int x, int y);

// Every pen-up, wherever the pen is lifted: each control held acts.
void ReleaseControls();

// A request to close the window (its close button) during a game, where the
// game's "X" would answer: the exit question comes up instead. True when it
// did; false when the window is simply to close.
bool AskBeforeClosing();
