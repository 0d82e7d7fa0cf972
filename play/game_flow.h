// The game's flow, in one place: a game starts at level 1 under the intro,
// a won level banks its bonus, "OK" builds the next level under the closing
// heart, and Stop ends the game and everything of its level.
#pragma once

#include <cstdint>

// Banked on top of the score reached when a level's path is complete.
constexpr std::int32_t kLevelBonus = 50;

// Start on the title screen: a new game at level 1, opened by the intro.
void StartGame();

// "OK" on the level-complete panel: acts only when that panel asked for the
// next level.
void StartNextLevel();

// "Yes" to the stop question: back to the title screen, the Start button
// raised and the score cleared; the level field keeps the last level played.
void StopGame();

// The score reached so far and the level's bonus, kept whatever the next
// level brings.
void BankLevelBonus();
