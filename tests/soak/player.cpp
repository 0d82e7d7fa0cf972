#include "tests/soak/player.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <queue>

namespace soak {

using platform::HostEventKind;

namespace {

// The board as the player sees it: each block as it will lie once the turns
// under way have ended, and the cells best left alone.
struct BoardView {
    std::int32_t kinds[kCellCount] = {};
    bool turning[kCellCount] = {};
    bool doomed[kCellCount] = {};  // a ball is on its way there
    bool flower[kCellCount] = {};  // bog holding a flower, which leaves no ball behind
};

// One cell of a planned path: the taps it needs, or a bog cell whose actor
// must go before a block can lie there.
struct PathStep {
    int cell;
    int taps;
    bool bog;
};

constexpr int kNoCost = std::numeric_limits<int>::max();
// Costs in tenths of a tap; every cell adds one so that short paths win ties.
constexpr int kTapCost = 10;
// A flower leaves a random block behind and nothing else; a creature's balls
// break other blocks and leave frogs there, so a way round is worth much.
constexpr int kFlowerCost = 15;
constexpr int kCreatureCost = 400;
// Looks at one level before random taps mix in, and the share of looks that
// end in one then; looks before the game is stopped and a new one begun.
constexpr int kPatience = 1500;
constexpr double kShakeUp = 0.1;
constexpr int kGiveUp = 6000;
// Per look at the board: press Stop (and answer "No"), poke a hero.
constexpr double kStopPokes = 0.003;
constexpr double kHeroPokes = 0.003;
constexpr int kReplans = 8;

bool SequenceRunning(const GameState& s) {
    return s.introRunning || s.introShrinking || s.levelStartRunning || s.bloomPhase || s.heroesWalking ||
           s.levelCompleteRunning;
}

void Doom(BoardView& view, int x, int y) {
    if (InsideBoard(x, y)) view.doomed[CellIndex(x, y)] = true;
}

// Taps that turn block `from` into the block opening toward `a` and `b`;
// -1 when none does (a straight never becomes a corner).
int TapsToOpen(std::int32_t from, Side a, Side b) {
    std::int32_t kind = from;
    for (int taps = 0; taps < 4 && IsBlock(from); ++taps, kind = kTurnTable[kind]) {
        if (OpensToward(kind, a) && OpensToward(kind, b)) return taps;
    }
    return -1;
}

int StateOf(int cell, Side in) { return cell * 4 + static_cast<int>(in); }

// A search over (cell, side entered through). Returns the path's cells from
// the hero's side; a path through one cell twice is refused by the caller.
std::vector<PathStep> CheapestPath(const BoardView& view, const bool* banned) {
    constexpr int kStates = kCellCount * 4;
    std::vector<int> cost(kStates, kNoCost);
    std::vector<int> from(kStates, -1);
    struct Entry {
        int cost;
        int state;
        bool operator>(const Entry& other) const { return cost > other.cost; }
    };
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    auto usable = [&](int cell) {
        return !IsCornerCell(cell) && !banned[cell] && !view.doomed[cell] &&
               (view.kinds[cell] == 0 || IsBlock(view.kinds[cell]));
    };
    auto stepCost = [&](int cell, Side in, Side out) {
        if (view.kinds[cell] == 0) return view.flower[cell] ? kFlowerCost : kCreatureCost;
        const int taps = TapsToOpen(view.kinds[cell], in, out);
        return taps < 0 ? kNoCost : taps * kTapCost + 1;
    };
    // The hero's home opens right and down.
    for (Side out : {Side::Right, Side::Down}) {
        const int cell = CellIndex(StepTo(out).dx, StepTo(out).dy);
        if (!usable(cell)) continue;
        const int state = StateOf(cell, Opposite(out));
        cost[state] = 0;
        open.push({0, state});
    }
    int best = kNoCost;
    int bestState = -1;
    Side bestOut = Side::Right;
    while (!open.empty()) {
        const Entry entry = open.top();
        open.pop();
        if (entry.cost != cost[entry.state] || entry.cost >= best) continue;
        const int cell = entry.state / 4;
        const Side in = static_cast<Side>(entry.state % 4);
        for (Side out : {Side::Up, Side::Right, Side::Down, Side::Left}) {
            if (out == in) continue;
            const int step = stepCost(cell, in, out);
            if (step == kNoCost) continue;
            const int x = ColumnOf(cell) + StepTo(out).dx;
            const int y = RowOf(cell) + StepTo(out).dy;
            if (!InsideBoard(x, y)) continue;
            const int next = CellIndex(x, y);
            const int total = entry.cost + step;
            // The heroine's home opens left and up: it is entered moving right or down.
            if (next == kHeroineHome) {
                if ((out == Side::Right || out == Side::Down) && total < best) {
                    best = total;
                    bestState = entry.state;
                    bestOut = out;
                }
                continue;
            }
            if (!usable(next)) continue;
            const int nextState = StateOf(next, Opposite(out));
            if (total < cost[nextState]) {
                cost[nextState] = total;
                from[nextState] = entry.state;
                open.push({total, nextState});
            }
        }
    }
    std::vector<PathStep> path;
    Side out = bestOut;
    for (int state = bestState; state >= 0; state = from[state]) {
        const int cell = state / 4;
        const Side in = static_cast<Side>(state % 4);
        const bool bog = view.kinds[cell] == 0;
        path.push_back({cell, bog ? 0 : TapsToOpen(view.kinds[cell], in, out), bog});
        // The cell before this one left it through the side facing `in`.
        out = Opposite(in);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

int RepeatedCell(const std::vector<PathStep>& path) {
    bool seen[kCellCount] = {};
    for (const PathStep& step : path) {
        if (seen[step.cell]) return step.cell;
        seen[step.cell] = true;
    }
    return -1;
}

BoardView ViewOf(const GameState& state) {
    BoardView view;
    for (int cell = 0; cell < kCellCount; ++cell) {
        const Cell& record = state.cells[cell];
        const std::int32_t kind = state.kinds[cell];
        view.turning[cell] = record.turning && IsBlock(kind);
        view.kinds[cell] = view.turning[cell] ? kTurnTable[kind] : kind;
        view.flower[cell] = kind == 0 && (record.nextAnim == FlowerOpen || record.nextAnim == FlowerClose);
    }
    for (int cell = 0; cell < kCellCount; ++cell) {
        const Cell& record = state.cells[cell];
        const bool curling = record.active && record.nextAnim == FrogCurl;
        if (!record.rolling && !curling) continue;
        Doom(view, record.ball1X, record.ball1Y);
        if (record.ball2X != 0 || record.ball2Y != 0) Doom(view, record.ball2X, record.ball2Y);
    }
    return view;
}

// The cheapest path between the homes, the homes left out; empty when there
// is none (balls about to land may cut every way).
std::vector<PathStep> PlanPath(const BoardView& view) {
    bool banned[kCellCount] = {};
    for (int attempt = 0; attempt < kReplans; ++attempt) {
        std::vector<PathStep> path = CheapestPath(view, banned);
        const int repeated = RepeatedCell(path);
        if (repeated < 0) return path;
        banned[repeated] = true;
    }
    return {};
}

// A block off the way, which a turn may lie on; none: -1.
int OffPathCell(const BoardView& view, const std::vector<PathStep>& path) {
    bool onPath[kCellCount] = {};
    for (const PathStep& step : path) onPath[step.cell] = true;
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (!IsCornerCell(cell) && !onPath[cell] && IsBlock(view.kinds[cell])) return cell;
    }
    return -1;
}

// The fallback that keeps a level moving: a random bog cell or block; none: -1.
int RandomCell(const BoardView& view, std::mt19937_64& random) {
    std::vector<int> cells;
    const bool bog = random() % 2 == 0;
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (!IsCornerCell(cell) && !view.turning[cell] && (bog ? view.kinds[cell] == 0 : IsBlock(view.kinds[cell])))
            cells.push_back(cell);
    }
    return cells.empty() ? -1 : cells[random() % cells.size()];
}

}  // namespace

std::string BoardPicture(const GameState& state) {
    constexpr char kBlocks[] = ".|-Lr7J";
    std::string picture;
    for (int y = 0; y < kBoardSize; ++y) {
        for (int x = 0; x < kBoardSize; ++x) {
            const std::int32_t kind = state.kinds[CellIndex(x, y)];
            picture += kind >= 0 && kind <= 6 ? kBlocks[kind] : kind >= 7 && kind <= 12 ? '#' : kind == 99 ? 'o' : '?';
        }
        picture += '\n';
    }
    return picture;
}

Events Player::Next(const GameState& state) {
    if (state.modalShown) {
        if (state.stopConfirmPending) return quitting_ ? TapMiddle(kDialogYesRect) : TapMiddle(kDialogNoRect);
        if (state.exitConfirmPending) return TapMiddle(kDialogNoRect);
        if (state.nextLevelRequested) return TapMiddle(kNextLevelOkRect);
        return TapMiddle(kAboutCloseRect);  // inside the help pages' "X" too
    }
    if (!state.gamePlaying) {
        quitting_ = false;
        return TapMiddle(kStartStopRect);
    }
    if (quitting_ && !SequenceRunning(state)) return TapMiddle(kStartStopRect);
    if (Chance(kStopPokes)) return TapMiddle(kStartStopRect);
    if (SequenceRunning(state)) return Wait();
    if (pausePaints_ > 0) {
        --pausePaints_;
        return Wait();
    }
    return Play(state);
}

Events Player::Play(const GameState& state) {
    if (state.level != level_) {
        level_ = state.level;
        looksThisLevel_ = 0;
    }
    ++looksThisLevel_;
    // A level that will not be won is left for a new game.
    if (looksThisLevel_ > kGiveUp) {
        quitting_ = true;
        return Wait();
    }
    if (Chance(kHeroPokes)) return TapCell(Chance(0.5) ? kHeroHome : kHeroineHome);
    const BoardView view = ViewOf(state);
    // A level that drags on gets shaken up now and then.
    const bool impatient = looksThisLevel_ > kPatience;
    if (impatient && Chance(kShakeUp)) return TapCell(RandomCell(view, random_));
    // With no way at all, the balls in flight are awaited.
    const std::vector<PathStep> path = PlanPath(view);
    const PathStep* flower = nullptr;
    const PathStep* creature = nullptr;
    for (const PathStep& step : path) {
        if (view.turning[step.cell]) continue;
        if (step.taps > 0) return TapCell(step.cell);
        if (step.bog && view.flower[step.cell] && flower == nullptr) flower = &step;
        if (step.bog && !view.flower[step.cell] && creature == nullptr) creature = &step;
    }
    if (const PathStep* bog = flower != nullptr ? flower : creature) return TapCell(bog->cell);
    // A way that is whole and not turning, yet the bog does not bloom: a
    // flower's replacement block finished it, and the game looks again only
    // when a turn ends. Any turn off the way will do.
    const bool whole = !path.empty() && std::none_of(path.begin(), path.end(), [&](const PathStep& step) {
        return view.turning[step.cell] || step.taps > 0 || step.bog;
    });
    if (whole) return TapCell(OffPathCell(view, path));
    // Every block on the way is turning into place: watch.
    return Wait();
}

Events Player::TapAt(int x, int y) {
    // One or two paints before the next tap; the pen rests for none or one.
    pausePaints_ = 1 + Below(2);
    Events events{{HostEventKind::PenDown, x, y}};
    if (Chance(0.5)) events.push_back({HostEventKind::Paint, 0, 0});
    events.push_back({HostEventKind::PenUp, x, y});
    return events;
}

Events Player::TapCell(int cell) {
    if (cell < 0) return Wait();
    // Anywhere inside the cell, not only its centre.
    return TapAt(ColumnOf(cell) * kCellPixels + 2 + Below(16), RowOf(cell) * kCellPixels + 2 + Below(16));
}

}  // namespace soak
