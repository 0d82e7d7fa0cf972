// A player that never tires: it reads the board and the screen and plays
// through pen taps alone, as a person would. It turns blocks toward a path
// from the hero's home to the heroine's, taps flowers and creatures where no
// path can be made, waits through the walk and the hearts and answers the
// panels.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/coredll/coredll.h"
#include "platform/host.h"
#include "state/game_state.h"
#include "tests/soak/blocks.h"

namespace soak {

// The board drawn in characters, a row a line: bog '.', blocks | - L r 7 J
// (each corner piece drawn by the sides it opens to), lit blocks '#',
// corner stones 'o'.
std::string BoardPicture(const GameState& state);

// What the player does next, as the events that do it: a wait is one paint,
// a tap a pen-down and a pen-up with or without a paint between them.
using Events = std::vector<platform::HostEvent>;

class Player {
public:
    explicit Player(std::uint64_t seed) : random_(seed) {}

    // The window must be shown.
    Events Next(const GameState& state);

private:
    static Events Wait() { return {{platform::HostEventKind::Paint, 0, 0}}; }
    Events Play(const GameState& state);
    Events TapAt(int x, int y);
    Events TapMiddle(const RECT& r) { return TapAt((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    Events TapCell(int cell);  // none below 0: a wait
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::mt19937_64 random_;
    int pausePaints_ = 0;
    int level_ = 0;
    int looksThisLevel_ = 0;
    bool quitting_ = false;  // stopping this game to begin another
};

}  // namespace soak
