// Pen-down and pen-up, routed to the controls, the panels and the board.
// Both return 1.
#pragma once

int OnPenDown(int x, int y);
int OnPenUp(int x, int y);

// A pen-down on the play field records the pressed cell while a game is in
// progress; returns 1 when (x, y) lies on the play field, else 0.
int PressBoard(int x, int y);
