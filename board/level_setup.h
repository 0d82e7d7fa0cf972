// Level set-up: an empty board, the control strip, a random level.
#pragma once

void ClearBoard();
void SetUpGameScreen();
void GenerateLevel();
