// "OK" on the level-complete panel: the next level, under the closing heart.
#pragma once

// Acts only when the level-complete panel asked for the next level.
void StartNextLevel();
