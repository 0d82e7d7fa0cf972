// The controls of the strip. A press inside a control's rectangle draws its
// pressed picture and marks it held; the next pen-up, wherever the pen is
// lifted, draws it raised again and does what the control is for.
#pragma once

// Each returns 1 when (x, y) lies in the control's rectangle, else 0.
int PressStartStop(int x, int y);
int PressExit(int x, int y);
int PressHelp(int x, int y);
int PressAbout(int x, int y);
int PressMinimise(int x, int y);

// A request to close the window (its close button) during a game, where the
// game's "X" would answer: the exit question comes up instead. True when it
// did; false when the window is simply to close.
bool AskBeforeClosing();

// Each acts only when its control is held; the pen position is not looked
// at. All return 1.
int ReleaseStartStop(int x, int y);
int ReleaseExit(int x, int y);
int ReleaseHelp(int x, int y);
int ReleaseAbout(int x, int y);
int ReleaseMinimise(int x, int y);
