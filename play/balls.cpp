#include "play/balls.h"

#include <cstdint>
#include <cstdlib>

#include "board/board.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

constexpr int kBallPicture = pictures::kFrogBall;
constexpr std::int32_t kBallFrames = pictures::kFrogBallFrames;
constexpr std::int32_t kTicksPerCell = 5;
// The two balls of a pair spin half a turn apart.
constexpr std::int32_t kFirstBallSpin = 8;

struct Ball {
    std::int32_t& targetX;
    std::int32_t& targetY;
    std::int32_t& steps;
    std::int32_t& frame;
    std::int32_t& step;
};

Ball FirstBall(Cell& c) { return {c.ball1X, c.ball1Y, c.ball1Steps, c.ball1Frame, c.ball1Step}; }
Ball SecondBall(Cell& c) { return {c.ball2X, c.ball2Y, c.ball2Steps, c.ball2Frame, c.ball2Step}; }

// (0, 0) as the second target means a single ball: the hero's home is never
// a target.
bool HasSecondBall(const Cell& c) { return c.ball2X != 0 || c.ball2Y != 0; }

bool Landed(const Ball& ball) { return ball.step == ball.steps; }

// Ticks to the target: five a cell, counted along the rows and columns,
// while the ball travels the straight line.
std::int32_t StepsBetween(const Cell& c, std::int32_t x, std::int32_t y) {
    return (std::abs(x - c.originX) + std::abs(y - c.originY)) * kTicksPerCell;
}

void SetUpFlight(Cell& c) {
    c.ball1Steps = StepsBetween(c, c.ball1X, c.ball1Y);
    c.ball2Steps = StepsBetween(c, c.ball2X, c.ball2Y);
    c.ball1Frame = kFirstBallSpin;
    c.ball2Frame = 0;
    c.ballSetUp = true;
}

// Drawn on steps 0 to steps - 1, from the start cell up to one step short of
// the target; the positions truncate toward zero.
void RollOn(const Cell& c, const Ball& ball) {
    if (ball.step >= ball.steps) return;
    const std::int32_t x = kCellPixels * c.originX + kCellPixels * (ball.targetX - c.originX) * ball.step / ball.steps;
    const std::int32_t y = kCellPixels * c.originY + kCellPixels * (ball.targetY - c.originY) * ball.step / ball.steps;
    game.display->DrawFrame(x, y, game.ballImage, kCellPixels, kCellPixels, ball.frame);
    ball.frame = (ball.frame + 1) % kBallFrames;
    ++ball.step;
}

// The block at the target is destroyed and a frog starts to rise there. While
// the other ball of the pair still rolls, this is done again on every tick, so
// the frog rises only once both have landed.
void Land(const Ball& ball) {
    KindAt(ball.targetX, ball.targetY) = Bog;
    Cell& target = CellAt(ball.targetX, ball.targetY);
    target.frame = 0;
    target.delay = 0;
    target.nextAnim = FrogRise;
    target.frameTicks = 0;
    target.active = true;
}

void FreeRecord(Cell& c) {
    c.ball1Step = 0;
    c.ball2Step = 0;
    c.rolling = false;
    c.ballSetUp = false;
}

// Every flight starts and ends on the board; one that would not is dropped.
bool FlightOnBoard(const Cell& c) {
    return InsideBoard(c.originX, c.originY) && InsideBoard(c.ball1X, c.ball1Y) && InsideBoard(c.ball2X, c.ball2Y);
}

void UpdateFlight(Cell& c) {
    if (!FlightOnBoard(c)) {
        FreeRecord(c);
        return;
    }
    if (!c.ballSetUp) SetUpFlight(c);
    const Ball first = FirstBall(c);
    const Ball second = SecondBall(c);
    const bool pair = HasSecondBall(c);
    RollOn(c, first);
    if (pair) RollOn(c, second);
    if (Landed(first)) Land(first);
    if (pair && Landed(second)) Land(second);
    if (Landed(first) && (!pair || Landed(second))) FreeRecord(c);
}

}  // namespace

void UpdateBalls() {
    LoadImage(game.instance, kBallPicture, &game.ballImage);
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (CellAt(x, y).rolling) UpdateFlight(CellAt(x, y));
        }
    }
}
