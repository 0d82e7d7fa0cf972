#include "board/cell_taps.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/game_state.h"
#include "board/ball_targets.h"
#include "board/board.h"
#include "board/path.h"
#include "board/random.h"
#include "gfx/display_device.h"

namespace {

constexpr int kBoardPixels = kBoardSize * kCellPixels;

// The score box: four digit cells of the digit strip.
constexpr int kScoreFieldX = 177;
constexpr int kScoreFieldY = 266;
constexpr int kDigitWidth = 14;
constexpr int kDigitHeight = 24;
constexpr std::uint32_t kDigitFrames = 11;  // 0 to 9 and a blank

// More bog cells than this, and a curled creature throws one ball, not two.
constexpr int kOneBallAbove = 76;

constexpr std::int32_t kTurnFrameTicks = 2;
constexpr std::int32_t kFlyFrameTicks = 2;

bool IsBlock(std::int32_t kind) { return kind >= Vertical && kind <= LeftUp; }
bool IsFlower(const Cell& cell) { return cell.nextAnim == FlowerOpen || cell.nextAnim == FlowerClose; }

void StartTurn(Cell& cell) {
    cell.turning = true;
    cell.turnFrame = 0;
    cell.turnTicks = kTurnFrameTicks;
}

// A flower's or creature's random block must not finish the level by itself:
// when it would complete the path, a straight block takes its place instead
// (and is not tested again).
void KeepPathOpen(int x, int y, std::int32_t* scratch) {
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

bool DigitStripLoaded() {
    const ImageRef& digits = game.digitsImage;
    return digits.pixels != nullptr && digits.width == kDigitWidth && digits.height >= kDigitHeight * kDigitFrames;
}

}  // namespace

std::int32_t AddToScore(std::int32_t score, std::int32_t points) {
    const std::int64_t sum = static_cast<std::int64_t>(score) + points;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

void ShowScore(std::int32_t value) {
    // A strip that failed to load leaves the field as it was.
    if (game.display == nullptr || !DigitStripLoaded()) return;
    game.display->DrawNumber4(kScoreFieldX, kScoreFieldY, game.digitsImage.pixels, kDigitWidth, kDigitHeight,
                              value);
}

bool BoardTakesTaps() { return !game.bloomPhase && !game.heroesWalking && !game.levelCompleteRunning; }

void ReleaseCell(int x, int y) {
    if (!game.cellPressed) return;
    game.cellPressed = false;
    // Off the board the division could still name a cell (-5 / 20 is 0).
    if (x < 0 || y < 0 || x >= kBoardPixels || y >= kBoardPixels) return;
    const int column = x / kCellPixels;
    const int row = y / kCellPixels;
    if (row != game.pressedCell.row || column != game.pressedCell.column) return;
    if (!BoardTakesTaps()) return;
    TapCell(column, row);
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
    game.score = AddToScore(game.bankedScore, CountConnected());
    ShowScore(game.score);
}

void TapFlower(int x, int y) {
    const std::int32_t replacement = Vertical + RandomBelow(game.kindCount);
    SendFlowerAway(CellAt(x, y));
    KindAt(x, y) = replacement;
    KeepPathOpen(x, y, game.flowerScratch);
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
    const std::int32_t replacement = Vertical + RandomBelow(game.kindCount);
    CurlIntoBall(cell);
    KindAt(x, y) = replacement;
    KeepPathOpen(x, y, game.creatureScratch);
}
