#include "play/turning_blocks.h"

#include <cstdint>

#include "board/board.h"
#include "board/path.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/frame_countdown.h"
#include "play/game_flow.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

// Kinds 1 to 6 turn with the strips that follow on from the first kind's.
constexpr int kTurningStripBefore = pictures::kTurnVertical - 1;
constexpr std::int32_t kTurnFrames = pictures::kTurnVerticalFrames;
constexpr std::int32_t kTurnFrameTicks = 2;

// A ball may land on a turning block: the bog it leaves has nothing to show
// and nothing to turn.
bool StillABlock(int x, int y) { return IsBlock(KindAt(x, y)); }

void StopTurn(Cell& cell) {
    cell.turning = false;
    cell.turnFrame = 0;
    cell.turnTicks = 0;
}

void DrawTurnFrame(int x, int y) {
    ImageRef strip{};
    LoadImage(game.instance, kTurningStripBefore + KindAt(x, y), &strip);
    game.display->DrawFrame(x * kCellPixels, y * kCellPixels, strip, kCellPixels, kCellPixels, CellAt(x, y).turnFrame);
}

// The path is complete as the blocks lie now: any other block still turning
// stops where it is, so that no turn changes a block of the finished path
// and none goes on over the lit path, which has no turning frames.
void StopEveryTurn() {
    for (Cell& cell : game.cells) {
        if (cell.turning) StopTurn(cell);
    }
}

void CompletePath() {
    BankLevelBonus();
    StopEveryTurn();
    BuildRoute();
}

// True when this turn completed the path.
bool StepTurn(int x, int y) {
    Cell& cell = CellAt(x, y);
    if (!StillABlock(x, y)) {
        StopTurn(cell);
        return false;
    }
    DrawTurnFrame(x, y);
    if (NextFrameDue(cell.turnTicks, kTurnFrameTicks)) ++cell.turnFrame;
    if (cell.turnFrame < kTurnFrames) return false;
    cell.turning = false;
    cell.turnFrame = 0;
    KindAt(x, y) = kTurnTable[KindAt(x, y)];
    if (!IsPathComplete()) return false;
    CompletePath();
    return true;
}

}  // namespace

bool UpdateTurningBlocks() {
    bool completed = false;
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (CellAt(x, y).turning && StepTurn(x, y)) completed = true;
        }
    }
    return completed;
}
