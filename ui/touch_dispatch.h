// Pen-down and pen-up, routed to the controls, the panels and the board.
#pragma once

void OnPenDown(int x, int y);
void OnPenUp(int x, int y);

// A pen-down on the play field records the pressed cell while a game is in
// progress.
void PressBoard(int x, int y);
