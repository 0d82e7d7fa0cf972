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

// The board as the player sees it: each block as it will lie once the turns
// under way have ended, and the cells best left alone.
struct BoardView {
    std::int32_t kinds[kCellCount] = {};
    bool turning[kCellCount] = {};
    bool doomed[kCellCount] = {};  // a ball is on its way there
    bool flower[kCellCount] = {};  // bog holding a flower, which leaves no ball behind
};

BoardView ViewOf(const GameState& state);

// One cell of a planned path: the taps it needs, or a bog cell whose actor
// must go before a block can lie there.
struct PathStep {
    int cell;
    int taps;
    bool bog;
};

// The cheapest path between the homes, the homes left out; empty when there
// is none (balls about to land may cut every way).
std::vector<PathStep> PlanPath(const BoardView& view);

// The board drawn in characters, a row a line: bog '.', blocks | - L r 7 J
// (each corner piece drawn by the sides it opens to), lit blocks '#',
// corner stones 'o'.
std::string BoardPicture(const GameState& state);

struct Move {
    enum class Kind { Wait, Tap, BringBack } kind = Kind::Wait;
    int x = 0;
    int y = 0;
    int holdPaints = 0;  // paints while the pen rests on the screen
};

// The events that carry a move out: a wait is one paint, a tap a pen-down,
// the paints of the hold and a pen-up, bringing the game back a relaunch.
std::vector<platform::HostEvent> EventsOf(const Move& move);

class Player {
public:
    explicit Player(std::uint64_t seed) : random_(seed) {}

    Move Next(const GameState& state, bool windowShown);

private:
    Move Play(const GameState& state);
    Move TapAt(int x, int y);
    Move TapMiddle(const RECT& r) { return TapAt((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    Move TapCell(int cell);
    Move RandomCellTap(const BoardView& view);
    Move OffPathTap(const BoardView& view, const std::vector<PathStep>& path);
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::mt19937_64 random_;
    int pausePaints_ = 0;
    int level_ = 0;
    int looksThisLevel_ = 0;
    bool quitting_ = false;  // stopping this game to begin another
};

}  // namespace soak
