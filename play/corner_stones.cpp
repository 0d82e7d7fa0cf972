#include "play/corner_stones.h"

#include <cstdint>

#include "board/ball_targets.h"
#include "board/board.h"
#include "board/random.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/frame_countdown.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

// With this many bog cells or more the stones sleep: their timer stands and
// an animation under way neither moves nor shows.
constexpr int kStonesSleepAt = 106;

constexpr std::int32_t kStoneFrames = pictures::kTopRightStoneHatchFrames;
constexpr std::int32_t kStoneFrameTicks = 2;
constexpr int kStonePixels = 40;

struct Stone {
    int picture;  // packed, decoded again on every tick it shows
    int left;
    int top;
    int cellX;    // the cell its ball starts from
    int cellY;
};

constexpr Stone kStones[2] = {
    {pictures::kTopRightStoneHatch, 200, 0, kFarCell, 0},
    {pictures::kBottomLeftStoneHatch, 0, 200, 0, kFarCell},
};

void WakeAStone() {
    const std::int32_t side = RandomBelow(2);
    game.stoneActive[side] = true;
    game.stoneTimer = kShortestSleep + RandomBelow(kSleepSpread) / game.level;
}

void DrawStoneFrame(int side) {
    const Stone& stone = kStones[side];
    ImageRef strip{};
    LoadPackedImage(game.instance, stone.picture, &strip);
    game.display->DrawFrame(stone.left, stone.top, strip, kStonePixels, kStonePixels,
                            game.stoneFrame[side]);
}

void RunStone(int side) {
    if (!game.stoneActive[side] || !StepCornerStone(side)) return;
    LaunchBall(kStones[side].cellX, kStones[side].cellY);
    game.stoneActive[side] = false;
}

}  // namespace

void UpdateCornerStones() {
    if (CountBogCells() >= kStonesSleepAt) return;
    if (game.stoneTimer == 0) {
        WakeAStone();
    } else {
        --game.stoneTimer;
    }
    RunStone(0);
    RunStone(1);
}

bool StepCornerStone(int side) {
    if (game.stoneRestart[side]) {
        game.stoneFrame[side] = 0;
        game.stoneTicks[side] = kStoneFrameTicks;
        game.stoneRestart[side] = false;
    }
    if (game.stoneFrame[side] >= kStoneFrames) {
        game.stoneRestart[side] = true;
        return true;
    }
    DrawStoneFrame(side);
    if (NextFrameDue(game.stoneTicks[side], kStoneFrameTicks)) ++game.stoneFrame[side];
    return false;
}

void LaunchBall(int x, int y) {
    Cell& cell = CellAt(x, y);
    // A stone throws a single ball.
    cell.ball2X = 0;
    cell.ball2Y = 0;
    // The stones sleep while 106 cells or more are bog, so the draws always
    // find a block.
    const Point target = DrawBallTarget();
    cell.ball1X = target.x;
    cell.ball1Y = target.y;
    cell.rolling = true;
    cell.frame = 0;
    cell.active = false;
    cell.ballSetUp = false;
    cell.lastAnim = FrogCurl;
    cell.originX = x;
    cell.originY = y;
}
