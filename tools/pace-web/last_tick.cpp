// The game's clock at its last tick, which make pace-web reads the page's
// pace by. Only the page that make pace-web builds has it.
#include <emscripten.h>

#include <cstdint>

#include "state/game_state.h"

extern "C" EMSCRIPTEN_KEEPALIVE std::uint32_t mirelink_last_tick_time() { return game.lastTickTime; }
