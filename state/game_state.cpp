#include "state/game_state.h"

// Defined here, not in the header, so that the record is built when the
// program starts instead of being stored, zeros and all, in the program file.
GameState::GameState() = default;

GameState game;
