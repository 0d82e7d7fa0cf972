#include "play/walk.h"

#include <algorithm>
#include <cstdint>

#include "board/board.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/frame_countdown.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

constexpr int kWalkerPixels = 30;
// A walker stands on its route point with its feet just above it.
constexpr int kWalkerLeftOfPoint = 15;
constexpr int kWalkerAbovePoint = 30;
// In the right column a walker's picture reaches 5 pixels past the screen's
// edge; its see-through columns there are cut off.
constexpr int kLastWalkerPosition = 225;
constexpr std::int32_t kWalkFrames = pictures::kHeroWalkDownFrames;
constexpr std::int32_t kWalkFrameTicks = 3;
// Pixels a step: a move of one cell takes kCellPixels / kWalkSpeed steps.
constexpr std::int32_t kWalkSpeed = 2;
// The walkers have met when fewer than this many moves lie between them.
constexpr std::int32_t kMeetingGap = 3;

struct WalkPictures {
    int down;  // front view, the default
    int up;    // back view
    int right;
    int left;
};

constexpr WalkPictures kHeroWalk{pictures::kHeroWalkDown, pictures::kHeroWalkUp, pictures::kHeroWalkRight,
                                 pictures::kHeroWalkLeft};
constexpr WalkPictures kHeroineWalk{pictures::kHeroineWalkDown, pictures::kHeroineWalkUp, pictures::kHeroineWalkRight,
                                    pictures::kHeroineWalkLeft};

int PictureFor(const WalkPictures& pictures, Point from, Point to) {
    if (from.x == to.x && to.y < from.y) return pictures.up;
    if (from.y == to.y) return to.x < from.x ? pictures.left : pictures.right;
    return pictures.down;
}

std::int32_t Between(std::int32_t from, std::int32_t to) {
    return from + (to - from) * game.walkStep / game.walkStepsPerMove;
}

// One walker on the move from route point `fromMove` toward `toMove`.
void DrawWalker(const WalkPictures& pictures, std::int32_t fromMove, std::int32_t toMove, std::int32_t frame) {
    const Point from = game.route[fromMove];
    const Point to = game.route[toMove];
    // Clamped at the top and left edges: there a walker stands lower or
    // further right than its point.
    const int x = std::clamp(Between(from.x, to.x) - kWalkerLeftOfPoint, 0, kLastWalkerPosition);
    const int y = std::clamp(Between(from.y, to.y) - kWalkerAbovePoint, 0, kLastWalkerPosition);
    ImageRef strip{};
    LoadImage(game.instance, PictureFor(pictures, from, to), &strip);
    game.display->DrawFrameClipped(x, y, strip, kWalkerPixels, kWalkerPixels, frame);
}

void StartWalk() {
    game.walkRestart = false;
    // The heroine starts next to her corner and never walks the route's
    // last move.
    game.heroineMove = game.routeMoves - 1;
    game.heroFrame = 0;
    game.heroineFrame = 0;
    game.walkTicks = kWalkFrameTicks;
}

// Both walkers read the route points around them; a route too short for
// that ends the walk before it starts.
bool WalkersOnRoute() {
    return game.heroMove >= 0 && game.heroMove + 1 < kCellCount && game.heroineMove >= 1 &&
           game.heroineMove < kCellCount;
}

void StepFrames() {
    if (NextFrameDue(game.walkTicks, kWalkFrameTicks)) {
        ++game.heroFrame;
        ++game.heroineFrame;
    }
    if (game.heroFrame >= kWalkFrames) game.heroFrame = 0;
    if (game.heroineFrame >= kWalkFrames) game.heroineFrame = 0;
}

void StepAlongRoute() {
    ++game.walkStep;
    if (game.walkStep < game.walkStepsPerMove) return;
    game.walkStep = 0;
    ++game.heroMove;
    --game.heroineMove;
}

// The heroes meet: the opening heart takes over, and the walk is made ready
// for the next level.
void Meet() {
    game.heroesWalking = false;
    game.levelCompleteRunning = true;
    game.walkRestart = true;
    game.heroMove = 0;
    game.walkStep = 0;
    game.heroFrame = 0;
    game.heroineFrame = 0;
}

}  // namespace

void UpdateWalk() {
    if (!game.heroesWalking) return;
    DrawHomesWithoutHeroes();
    if (game.walkRestart) StartWalk();
    game.walkStepsPerMove = kCellPixels / kWalkSpeed;
    if (!WalkersOnRoute()) {
        Meet();
        return;
    }
    DrawWalker(kHeroWalk, game.heroMove, game.heroMove + 1, game.heroFrame);
    // She comes after him and covers him where they overlap.
    DrawWalker(kHeroineWalk, game.heroineMove, game.heroineMove - 1, game.heroineFrame);
    StepFrames();
    StepAlongRoute();
    if (game.heroineMove - game.heroMove < kMeetingGap) Meet();
}
