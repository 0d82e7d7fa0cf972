#include "board/path.h"

#include <algorithm>

#include "board/board.h"
#include "state/game_state.h"

namespace {

// A marked block minus this is its lit kind: 101 to 106 light as 7 to 12.
constexpr std::int32_t kMarkToLit = ConnectedMark - kLitOffset;
// The walk tries the sides in this order at every cell, each with its test
// on the two marked values.
struct WalkStep {
    Side side;
    bool (*canStep)(std::int32_t from, std::int32_t to);
};
constexpr WalkStep kWalkOrder[4] = {
    {Side::Right, CanStepRight}, {Side::Left, CanStepLeft}, {Side::Down, CanStepDown}, {Side::Up, CanStepUp}};

bool IsReached(std::int32_t value) { return value > ConnectedMark; }

// Both values marked, and each opens toward the other: a toward `side`.
bool MarkedJoined(std::int32_t a, std::int32_t b, Side side) {
    return IsReached(a) && IsReached(b) && OpensToward(a - ConnectedMark, side) &&
           OpensToward(b - ConnectedMark, Opposite(side));
}

void SaveGrid(std::int32_t* scratch) { std::copy(game.kinds, game.kinds + kCellCount, scratch); }
void RestoreGrid(const std::int32_t* scratch) { std::copy(scratch, scratch + kCellCount, game.kinds); }

void MarkCell(int x, int y) { KindAt(x, y) += ConnectedMark; }

// Every cell away from the homes that the flood did not reach becomes bog.
void ClearUnreached() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (!IsHome(x, y) && !IsReached(KindAt(x, y))) KindAt(x, y) = Bog;
        }
    }
}

// A reached cell stays on the path only while both of its openings lead to
// reached cells that open back toward it.
bool BothEndsJoined(int x, int y) {
    const std::int32_t value = KindAt(x, y);
    for (Side side : kAllSides) {
        if (!OpensToward(value - ConnectedMark, side)) continue;
        const SideStep step = StepTo(side);
        if (!KindAbove(x + step.dx, y + step.dy, ConnectedMark)) return false;
        if (!MarkedJoined(value, KindAt(x + step.dx, y + step.dy), side)) return false;
    }
    return true;
}

// Cuts dead-end branches back to where they leave the path between the homes.
void PruneDeadEnds() {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int x = 0; x < kBoardSize; ++x) {
            for (int y = 0; y < kBoardSize; ++y) {
                if (IsHome(x, y) || !IsReached(KindAt(x, y)) || BothEndsJoined(x, y)) continue;
                KindAt(x, y) = Bog;
                changed = true;
            }
        }
    }
}

void LightPathAndPlantBushes(std::int32_t* walkGrid) {
    for (int i = 0; i < kCellCount; ++i) {
        if (IsReached(game.kinds[i])) {
            game.kinds[i] -= kMarkToLit;
            continue;
        }
        walkGrid[i] = Bog;
        PlantBush(game.cells[i]);
        game.kinds[i] = Bog;
    }
}

Point CellCentre(int x, int y) { return {x * kCellPixels + kCellPixels / 2, y * kCellPixels + kCellPixels / 2}; }

// The first side, in walk order, by which the walk can leave (x, y).
bool NextWalkSide(const std::int32_t* walkGrid, int x, int y, Side* found) {
    for (const WalkStep& walk : kWalkOrder) {
        const SideStep step = StepTo(walk.side);
        if (!InsideBoard(x + step.dx, y + step.dy)) continue;
        if (walk.canStep(walkGrid[CellIndex(x, y)], walkGrid[CellIndex(x + step.dx, y + step.dy)])) {
            *found = walk.side;
            return true;
        }
    }
    return false;
}

// Follows the lit path from the hero's home to the heroine's, clearing each
// cell behind it so the walk never turns back. Pruning has left every path
// cell joined at both ends, so the walk reaches the heroine's home; should
// it find no way on, the route ends there, and it never outgrows its 144
// points.
void WalkRoute(std::int32_t* walkGrid) {
    int x = 0;
    int y = 0;
    std::int32_t moves = 0;
    game.route[0] = CellCentre(x, y);
    Side side = Side::Right;
    while (x != kFarCell || y != kFarCell) {
        if (moves == kCellCount - 1 || !NextWalkSide(walkGrid, x, y, &side)) break;
        walkGrid[CellIndex(x, y)] = Bog;
        x += StepTo(side).dx;
        y += StepTo(side).dy;
        ++moves;
        game.route[moves] = CellCentre(x, y);
    }
    game.routeMoves = moves;
}

}  // namespace

bool FloodStep(int x, int y) {
    if (!KindAbove(x, y, ConnectedMark)) return false;
    const std::int32_t kind = KindAt(x, y) - ConnectedMark;
    bool marked = false;
    for (Side side : kAllSides) {
        if (!OpensToward(kind, side)) continue;
        const SideStep step = StepTo(side);
        const int nx = x + step.dx;
        const int ny = y + step.dy;
        if (InsideBoard(nx, ny) && OpensToward(KindAt(nx, ny), Opposite(side))) {
            MarkCell(nx, ny);
            marked = true;
        }
    }
    return marked;
}

void FloodFill() {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int x = 0; x < kBoardSize; ++x) {
            for (int y = 0; y < kBoardSize; ++y) {
                if (FloodStep(x, y)) changed = true;
            }
        }
    }
}

bool IsPathComplete() {
    std::int32_t scratch[kCellCount];
    SaveGrid(scratch);
    MarkCell(0, 0);
    FloodFill();
    if (KindAbove(kFarCell, kFarCell, ConnectedMark)) return true;
    RestoreGrid(scratch);
    return false;
}

std::int32_t CountConnected() {
    std::int32_t scratch[kCellCount];
    SaveGrid(scratch);
    MarkCell(0, 0);
    MarkCell(kFarCell, kFarCell);
    FloodFill();
    const auto reached = std::count_if(game.kinds, game.kinds + kCellCount, IsReached);
    RestoreGrid(scratch);
    return static_cast<std::int32_t>(reached);
}

void BuildRoute() {
    std::int32_t walkGrid[kCellCount];
    SaveGrid(walkGrid);
    FloodFill();
    ClearUnreached();
    PruneDeadEnds();
    LightPathAndPlantBushes(walkGrid);
    WalkRoute(walkGrid);
    game.bloomStart = true;
    game.bloomPhase = true;
}

bool CanStepRight(std::int32_t a, std::int32_t b) { return MarkedJoined(a, b, Side::Right); }
bool CanStepLeft(std::int32_t a, std::int32_t b) { return MarkedJoined(a, b, Side::Left); }
bool CanStepDown(std::int32_t a, std::int32_t b) { return MarkedJoined(a, b, Side::Down); }
bool CanStepUp(std::int32_t a, std::int32_t b) { return MarkedJoined(a, b, Side::Up); }
