// Start on the title screen: a new game at level 1, opened by the intro.
#pragma once

void StartGame();
