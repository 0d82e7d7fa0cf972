#include "play/tick_phase.h"

#include <cstdint>

#include "state/game_state.h"

namespace {
constexpr std::uint32_t kTickGateMs = 30;
}  // namespace

TickPhase ReadTickPhase() {
    TickPhase phase{};
    phase.actors = !game.heroesWalking && !game.levelCompleteRunning && !game.bloomPhase;
    // The intro and the opening heart hold the portraits, balls and stones.
    phase.heldSteps = phase.actors && !game.introRunning && !game.levelStartRunning;
    phase.bloom = game.bloomPhase;
    return phase;
}

bool TickIsDue(std::uint32_t now, std::uint32_t lastTick) {
    // Unsigned subtraction keeps the rate when the clock wraps.
    const std::uint32_t elapsed = now - lastTick;
    return elapsed > kTickGateMs;
}
