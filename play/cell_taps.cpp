#include "play/cell_taps.h"

#include <algorithm>
#include <cstdint>

#include "board/ball_targets.h"
#include "board/board.h"
#include "board/path.h"
#include "board/random.h"
#include "state/game_state.h"

namespace {

constexpr int kBoardPixels = kBoardSize * kCellPixels;

// More bog cells than this, and a curled creature throws one ball, not two.
constexpr int kOneBallAbove = 76;

constexpr std::int32_t kTurnFrameTicks = 2;
constexpr std::int32_t kFlyFrameTicks = 2;

bool IsFlower(const Cell& cell) { return cell.nextAnim == FlowerOpen || cell.nextAnim == FlowerClose; }

void StartTurn(Cell& cell) {
    cell.turning = true;
    cell.turnFrame = 0;
    cell.turnTicks = kTurnFrameTicks;
}

// A flower's or creature's random block must not finish the level by itself:
// when it would complete the path, a straight block takes its place instead
// (and is not tested again).
void KeepPathOpen(int x, int y) {
    std::int32_t scratch[kCellCount];
    std::copy(game.kinds, game.kinds + kCellCount, scratch);
    if (!IsPathComplete()) return;
    std::copy(scratch, scratch + kCellCount, game.kinds);
    KindAt(x, y) = KindAt(x, y) == Vertical ? Horizontal : Vertical;
}

void SendFlowerAway(Cell& cell) {
    cell.active = true;
    cell.nextAnim = FlowerFly;
    cell.frameTicks = kFlyFrameTicks;
    cell.delay = 0;
    cell.lastAnim = 0;
    cell.frame = 0;
    cell.ball1X = cell.ball1Y = cell.ball2X = cell.ball2Y = 0;
    cell.originX = cell.originY = 0;
    cell.rolling = false;
    cell.ball1Steps = cell.ball2Steps = 0;
    cell.ball1Step = cell.ball2Step = 0;
    cell.ballSetUp = false;
    cell.turning = false;
    cell.turnFrame = 0;
    cell.turnTicks = 0;
}

void CurlIntoBall(Cell& cell) {
    cell.frame = 0;
    cell.delay = 0;
    cell.nextAnim = FrogCurl;
    cell.frameTicks = 0;
    cell.active = true;
}

}  // namespace

bool BoardTakesTaps() { return !game.bloomPhase && !game.heroesWalking && !game.levelCompleteRunning; }

bool ReleaseCell(int x, int y) {
    if (!game.cellPressed) return false;
    game.cellPressed = false;
    // Off the board the division could still name a cell (-5 / 20 is 0).
    if (x < 0 || y < 0 || x >= kBoardPixels || y >= kBoardPixels) return false;
    const int column = x / kCellPixels;
    const int row = y / kCellPixels;
    if (row != game.pressedCell.row || column != game.pressedCell.column) return false;
    if (!BoardTakesTaps()) return false;
    TapCell(column, row);
    return true;
}

void TapCell(int x, int y) {
    const std::int32_t kind = KindAt(x, y);
    if (IsHome(x, y)) {
        // The hero or heroine is poked; the portraits take it from here.
        CellAt(x, y).delay = 1;
    } else if (IsStoneCorner(x, y)) {
        // Corner stones take no taps.
    } else if (IsBlock(kind)) {
        StartTurn(CellAt(x, y));
    } else if (kind == Bog) {
        if (IsFlower(CellAt(x, y))) {
            TapFlower(x, y);
        } else {
            TapCreature(x, y);
        }
    }
    // Counted on the board as it is now, before a tapped block has turned.
    game.score = game.bankedScore + CountConnected();
}

void TapFlower(int x, int y) {
    const std::int32_t replacement = Vertical + RandomBelow(kKindCount);
    SendFlowerAway(CellAt(x, y));
    KindAt(x, y) = replacement;
    KeepPathOpen(x, y);
}

void TapCreature(int x, int y) {
    // With no block left to aim at, the creature has nothing to throw and
    // stays as it is.
    if (!AnyBallTarget()) return;
    Cell& cell = CellAt(x, y);
    const bool oneBall = CountBogCells() > kOneBallAbove;
    const Point first = DrawBallTarget();
    cell.ball1X = first.x;
    cell.ball1Y = first.y;
    // (0, 0) as the second target means no second ball.
    const Point second = oneBall ? Point{0, 0} : DrawBallTarget();
    cell.ball2X = second.x;
    cell.ball2Y = second.y;
    const std::int32_t replacement = Vertical + RandomBelow(kKindCount);
    CurlIntoBall(cell);
    KindAt(x, y) = replacement;
    KeepPathOpen(x, y);
}
