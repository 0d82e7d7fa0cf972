// Puts the game state back to how a new process finds it, in place (the
// record is megabytes: never copy it through the stack).
#pragma once

#include <new>
#include <type_traits>

#include "state/game_state.h"

namespace test_support {

inline void FreshGame() {
    static_assert(std::is_trivially_destructible_v<GameState>);
    new (&game) GameState();
}

}  // namespace test_support
