#include "play/portraits.h"

#include <cstdint>

#include "board/board.h"
#include "board/random.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "play/frame_countdown.h"
#include "state/game_state.h"

namespace {

constexpr int kPortraitPixels = 40;
// Index 0 the hero in the top-left corner, 1 the heroine in the bottom-right.
constexpr int kPortraitPictures[2] = {pictures::kHeroFaceGrow, pictures::kHeroineFaceGrow};
constexpr Point kPortraitPlaces[2] = {{0, 0}, {200, 200}};
constexpr std::int32_t kPortraitFrames = 9;
constexpr std::int32_t kPortraitFrameTicks = 3;
// A tap on a home cell leaves this in the cell's delay.
constexpr std::int32_t kPoked = 1;

// A poke starts the face's growth on this very update, even in the middle of
// its pause.
void TakePoke(int x, int y, int face) {
    Cell& home = CellAt(x, y);
    if (home.delay != kPoked) return;
    home.delay = 0;
    game.portraitCountdown[face] = 0;
}

void DrawFace(int face, std::int32_t frame) {
    ImageRef strip{};
    LoadPackedImage(game.instance, kPortraitPictures[face], &strip);
    const Point at = kPortraitPlaces[face];
    game.display->DrawFrame(at.x, at.y, strip, kPortraitPixels, kPortraitPixels, frame);
}

// Each frame shows for three ticks; the counters are never reset between
// two pop-outs, only when a growth or a shrinking ends.
void CountFrameTicks(std::int32_t& ticks, std::int32_t& frame) {
    if (NextFrameDue(ticks, kPortraitFrameTicks)) ++frame;
}

void Grow(int face) {
    if (game.portraitGrowFrame[face] < kPortraitFrames) {
        DrawFace(face, game.portraitGrowFrame[face]);
    } else {
        // Grown: the shrinking takes over in this same tick, and the pause
        // before the next pop-out starts now.
        game.portraitGrowFrame[face] = 0;
        game.portraitShrinking[face] = true;
        game.portraitGrowTicks[face] = kPortraitFrameTicks;
        game.portraitCountdown[face] = kShortestPause + RandomBelow(kPauseSpread);
    }
    CountFrameTicks(game.portraitGrowTicks[face], game.portraitGrowFrame[face]);
}

void Shrink(int face) {
    if (game.portraitShrinkFrame[face] < kPortraitFrames) {
        DrawFace(face, kPortraitFrames - 1 - game.portraitShrinkFrame[face]);
    } else {
        game.portraitShrinking[face] = false;
        game.portraitShrinkTicks[face] = kPortraitFrameTicks;
        game.portraitShrinkFrame[face] = 0;
    }
    CountFrameTicks(game.portraitShrinkTicks[face], game.portraitShrinkFrame[face]);
}

void UpdateFace(int face) {
    TakePoke(0, 0, 0);
    TakePoke(kFarCell, kFarCell, 1);
    if (game.portraitCountdown[face] == 0) {
        Grow(face);
    } else if (game.portraitCountdown[face] > 0) {
        --game.portraitCountdown[face];
    }
    // A face poked while it still shrinks grows again at once: both show,
    // the shrinking one on top.
    if (game.portraitShrinking[face]) Shrink(face);
}

}  // namespace

void UpdatePortraits() {
    UpdateFace(0);
    UpdateFace(1);
}
