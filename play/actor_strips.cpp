#include "play/actor_strips.h"

#include "board/board.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "state/game_state.h"

namespace {

constexpr std::int32_t kEveryTick = 0;

// Indexed by ActorAnim. The bush (6) and the bloom (10) step by their own
// rule after a win; 7 names no animation.
constexpr ActorStrip kNoStrip{0, 0, 0, false};
constexpr ActorStrip kPlayStrips[] = {
    {300, 13, 2, false},          // FlowerOpen
    {301, 13, 2, false},          // FlowerClose
    {302, 12, 2, false},          // FrogRise
    {303, 12, 2, false},          // FrogSink
    {312, 7, kEveryTick, false},  // FrogDoze
    {304, 20, 3, true},           // FrogCurl
    kNoStrip,                     // BushGrow
    kNoStrip,                     // 7
    {313, 7, kEveryTick, false},  // FrogWake
    {314, 13, 2, false},          // MoundRise
    kNoStrip,                     // Bloom
    {343, 12, 2, false},          // MushroomGrow
    {344, 13, 2, false},          // MushroomShrink
    {345, 10, 2, false},          // FlowerFly
};
constexpr std::int32_t kStripCount = sizeof(kPlayStrips) / sizeof(kPlayStrips[0]);

struct WaitPicture {
    int picture;
    std::int32_t frame;
};

constexpr int kBushPicture = 321;
constexpr std::int32_t kBloomOpenFrame = 6;

// The wait picture of `lastAnim`: the last frame of the strip it played. The
// wake leaves no wait picture of its own (it hands the wait to the frog at
// rest), nor do the doze, the curl and the flight, which never wait.
WaitPicture WaitPictureOf(const Cell& cell) {
    switch (cell.lastAnim) {
        case FlowerOpen: return {300, 12};
        case FlowerClose: return {301, 12};
        case FrogRise: return {302, 11};
        case FrogSink: return {303, 11};
        case BushGrow: return {kBushPicture, 10};
        case MoundRise: return {314, 12};
        case Bloom: return {cell.bloomImage, kBloomOpenFrame};
        case MushroomGrow: return {343, 11};
        case MushroomShrink: return {344, 12};
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
    if (cell.frameTicks == 0) {
        cell.frameTicks = ticksPerFrame;
        ++cell.frame;
    }
    --cell.frameTicks;
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
    LoadImage(game.instance, picture, &game.actorImage);
    game.display->DrawFrame(left, top, game.actorImage, kCellPixels, kCellPixels, frame);
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
