#include "play/actor_strips.h"

#include "board/board.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/frame_countdown.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

constexpr std::int32_t kEveryTick = 0;

// Indexed by ActorAnim. The bush (6) and the bloom (10) step by their own
// rule after a win; 7 names no animation.
constexpr ActorStrip kNoStrip{0, 0, 0, false};
constexpr ActorStrip kPlayStrips[] = {
    {pictures::kFlowerOpen, pictures::kFlowerOpenFrames, 2, false},
    {pictures::kFlowerClose, pictures::kFlowerCloseFrames, 2, false},
    {pictures::kFrogRise, pictures::kFrogRiseFrames, 2, false},
    {pictures::kFrogSink, pictures::kFrogSinkFrames, 2, false},
    {pictures::kFrogDoze, pictures::kFrogDozeFrames, kEveryTick, false},
    {pictures::kFrogCurl, pictures::kFrogCurlFrames, 3, true},
    kNoStrip,  // BushGrow
    kNoStrip,  // 7
    {pictures::kFrogWake, pictures::kFrogWakeFrames, kEveryTick, false},
    {pictures::kMoundRise, pictures::kMoundRiseFrames, 2, false},
    kNoStrip,  // Bloom
    {pictures::kMushroomGrow, pictures::kMushroomGrowFrames, 2, false},
    {pictures::kMushroomShrink, pictures::kMushroomShrinkFrames, 2, false},
    {pictures::kFlowerFly, pictures::kFlowerFlyFrames, 2, false},
};
constexpr std::int32_t kStripCount = sizeof(kPlayStrips) / sizeof(kPlayStrips[0]);

struct WaitPicture {
    int picture;
    std::int32_t frame;
};

constexpr std::int32_t kBloomOpenFrame = 6;

constexpr WaitPicture LastFrameOf(int picture, std::int32_t frames) { return {picture, frames - 1}; }

// The wait picture of `lastAnim`: the last frame of the strip it played. The
// wake leaves no wait picture of its own (it hands the wait to the frog at
// rest), nor do the doze, the curl and the flight, which never wait.
WaitPicture WaitPictureOf(const Cell& cell) {
    switch (cell.lastAnim) {
        case FlowerOpen: return LastFrameOf(pictures::kFlowerOpen, pictures::kFlowerOpenFrames);
        case FlowerClose: return LastFrameOf(pictures::kFlowerClose, pictures::kFlowerCloseFrames);
        case FrogRise: return LastFrameOf(pictures::kFrogRise, pictures::kFrogRiseFrames);
        case FrogSink: return LastFrameOf(pictures::kFrogSink, pictures::kFrogSinkFrames);
        case BushGrow: return LastFrameOf(pictures::kBushGrow, pictures::kBushGrowFrames);
        case MoundRise: return LastFrameOf(pictures::kMoundRise, pictures::kMoundRiseFrames);
        case Bloom: return {cell.bloomImage, kBloomOpenFrame};
        case MushroomGrow: return LastFrameOf(pictures::kMushroomGrow, pictures::kMushroomGrowFrames);
        case MushroomShrink: return LastFrameOf(pictures::kMushroomShrink, pictures::kMushroomShrinkFrames);
        default: return {0, 0};
    }
}

void AdvanceFrame(Cell& cell, std::int32_t ticksPerFrame) {
    if (ticksPerFrame == kEveryTick) {
        ++cell.frame;
        return;
    }
    // frameTicks is not reset between animations: what one leaves lengthens
    // the first frame of the next.
    if (NextFrameDue(cell.frameTicks, ticksPerFrame)) ++cell.frame;
}

}  // namespace

const ActorStrip* PlayStripOf(std::int32_t anim) {
    if (anim < 0 || anim >= kStripCount || kPlayStrips[anim].frames == 0) return nullptr;
    return &kPlayStrips[anim];
}

void DrawActorFrame(int x, int y, int picture, std::int32_t frame, bool overBogTile) {
    const int left = x * kCellPixels;
    const int top = y * kCellPixels;
    if (overBogTile) game.display->DrawFrame(left, top, game.bogTileImage, kCellPixels, kCellPixels, 0);
    ImageRef strip{};
    LoadImage(game.instance, picture, &strip);
    game.display->DrawFrame(left, top, strip, kCellPixels, kCellPixels, frame);
}

bool StepStrip(int x, int y, const ActorStrip& strip) {
    Cell& cell = CellAt(x, y);
    if (cell.frame >= strip.frames) return true;
    DrawActorFrame(x, y, strip.picture, cell.frame, strip.overBogTile);
    AdvanceFrame(cell, strip.ticksPerFrame);
    return false;
}

void DrawWaitPicture(int x, int y) {
    const WaitPicture wait = WaitPictureOf(CellAt(x, y));
    if (wait.picture == 0) return;
    DrawActorFrame(x, y, wait.picture, wait.frame, false);
}
