#include "play/intro.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "board/board.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "gfx/layout.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

// The spell: the sorceress's frames 0 to 3, three times over the title.
constexpr int kSpellPicture = pictures::kSpell;
constexpr int kSpellX = 51;
constexpr int kSpellY = 15;
constexpr int kSpellWidth = 144;
constexpr int kSpellHeight = 74;
constexpr std::int32_t kSpellFrames = 4;
constexpr std::int32_t kSpellPasses = 3;

// The colour shift: twenty steps of 12 on every colour byte outside the heart.
constexpr int kHeartMaskPicture = pictures::kTitleHeartMask;
constexpr int kTitleSize = 240;
constexpr std::int32_t kShiftSteps = 20;
constexpr std::uint8_t kShiftPerStep = 12;

// The flight: 40 points of spiral, then 15 of glide toward the corner.
constexpr int kHeroFacePicture = pictures::kHeroPortrait;
constexpr int kHeroineFacePicture = pictures::kHeroinePortrait;
constexpr int kHeroFaceWidth = 106;
constexpr int kHeroineFaceWidth = 104;
constexpr int kFaceHeight = 113;
constexpr std::int32_t kSpiralPoints = 40;
constexpr std::int32_t kGlidePoints = 15;
constexpr std::int32_t kFlightPoints = kSpiralPoints + kGlidePoints;
// The spirals start at the faces' places on the title picture, the hero's
// 15 pixels wider a radian and the heroine's 10, and end at the home cells.
constexpr Point kHeroStart{22, 70};
constexpr Point kHeroineStart{118, 71};
constexpr std::int32_t kHeroRadiusFactor = 15;
constexpr std::int32_t kHeroineRadiusFactor = 10;
constexpr Point kHeroTarget{0, 0};
constexpr Point kHeroineTarget{136, 127};
// The intro's spirals turn by 0.035 x 3.1415926535 radians a point from an
// offset of -3.1415926535 / 2: exactly the doubles with the bits below, which
// these literals are (the faces' paths depend on every bit).
constexpr double kIntroAngleStep = 0.10995574287249998;
constexpr double kIntroPhaseOffset = -1.57079632675;
#ifdef __cpp_lib_bit_cast
static_assert(std::bit_cast<std::uint64_t>(kIntroAngleStep) == 0x3FBC260F3FA50FD0ull);
static_assert(std::bit_cast<std::uint64_t>(kIntroPhaseOffset) == 0xBFF921FB54411744ull);
#endif

// The shrinking: ten frames of each face, down into its corner.
constexpr int kHeroShrinkPicture = pictures::kHeroPortraitShrink;
constexpr int kHeroineShrinkPicture = pictures::kHeroinePortraitShrink;
constexpr std::int32_t kShrinkFrames = pictures::kHeroPortraitShrinkFrames;

void DrawFrameOf(int picture, bool packed, int x, int y, int width, int height, std::int32_t frame) {
    ImageRef slot{};
    if (packed) {
        LoadPackedImage(game.instance, picture, &slot);
    } else {
        LoadImage(game.instance, picture, &slot);
    }
    game.display->DrawFrame(x, y, slot, width, height, frame);
}

// ---- Phase 1: the spell ----

void CastSpell() {
    if (game.introSpellPass < kSpellPasses) {
        // Each packed picture overwrites the other in the decode buffer: both
        // are decoded again on every tick.
        DrawFrameOf(kTitlePicture, true, 0, 0, kTitleSize, kTitleSize, 0);
        DrawFrameOf(kSpellPicture, true, kSpellX, kSpellY, kSpellWidth, kSpellHeight, game.introSpellFrame);
        if (++game.introSpellFrame >= kSpellFrames) {
            game.introSpellFrame = 0;
            ++game.introSpellPass;
        }
        return;
    }
    game.introSpellArmed = false;
    game.introShiftRunning = true;
    game.introSpellPass = 0;
}

// ---- Phase 2: the colour shift ----

// Copies of the title and of its heart mask, taken afresh at every intro so
// that the shift starts from the undisturbed title.
bool CopyPicture(int picture, Pixel32* copy) {
    ImageRef slot{};
    LoadPackedImage(game.instance, picture, &slot);
    if (!HasFrame(slot, kTitleSize, kTitleSize, 0)) return false;
    std::copy(slot.pixels, slot.pixels + kTitleSize * kTitleSize, copy);
    return true;
}

void TakeCopies() {
    const bool whole = CopyPicture(kTitlePicture, game.introTitleCopy) &&
                       CopyPicture(kHeartMaskPicture, game.introHeartMaskCopy);
    // Copies that could not be taken hold no pixels: nothing is shifted or shown.
    game.introCopyWidth = whole ? kTitleSize : 0;
    game.introCopyHeight = whole ? kTitleSize : 0;
    game.introTitleCopyPending = false;
}

// Every byte outside the heart climbs by 12 and wraps past 255; the heart's
// anti-aliased rim counts as outside (only green 0 is inside).
void ShiftColoursOnce() {
    const std::uint32_t pixels = game.introCopyWidth * game.introCopyHeight;
    for (std::uint32_t i = 0; i < pixels; ++i) {
        if (game.introHeartMaskCopy[i].green == 0) continue;
        Pixel32& p = game.introTitleCopy[i];
        p.red = static_cast<std::uint8_t>(p.red + kShiftPerStep);
        p.green = static_cast<std::uint8_t>(p.green + kShiftPerStep);
        p.blue = static_cast<std::uint8_t>(p.blue + kShiftPerStep);
    }
    game.display->DrawImage(0, 0, game.introTitleCopy, static_cast<int>(game.introCopyWidth),
                            static_cast<int>(game.introCopyHeight));
}

void ShiftColours() {
    if (game.introTitleCopyPending) TakeCopies();
    if (game.introShiftStep < kShiftSteps) {
        ShiftColoursOnce();
        ++game.introShiftStep;
        return;
    }
    game.introTitleCopyPending = true;
    game.introShiftRunning = false;
    game.introFlightRunning = true;
    game.introShiftStep = 0;
}

// ---- Phase 3: the flight ----

// A straight glide from the spiral's end toward `target`, stopping one
// fifteenth short of it.
void Glide(Point* path, Point target) {
    const Point from = path[kSpiralPoints - 1];
    for (std::int32_t j = 0; j < kGlidePoints; ++j) {
        path[kSpiralPoints + j] = {from.x + (target.x - from.x) * j / kGlidePoints,
                                   from.y + (target.y - from.y) * j / kGlidePoints};
    }
}

// The hero unwinds a wide spiral around his place on the title, the heroine
// a narrower one turning the other way; both in double arithmetic, each
// offset truncated toward zero.
void ComputeFlightPaths() {
    for (std::int32_t k = 0; k < kSpiralPoints; ++k) {
        const double t = k * kIntroAngleStep;
        const double a = t + kIntroPhaseOffset;
        const double s = std::sin(a);
        const double c = std::cos(a);
        game.heroPath[k] = {kHeroStart.x + static_cast<std::int32_t>(s * kHeroRadiusFactor * t),
                            kHeroStart.y + static_cast<std::int32_t>(c * kHeroRadiusFactor * t)};
        game.heroinePath[k] = {kHeroineStart.x - static_cast<std::int32_t>(s * kHeroineRadiusFactor * t),
                               kHeroineStart.y - static_cast<std::int32_t>(c * kHeroineRadiusFactor * t)};
    }
    Glide(game.heroPath, kHeroTarget);
    Glide(game.heroinePath, kHeroineTarget);
}

void FlyFaces() {
    if (game.introPathsPending) {
        // Once per process; later intros fly the same paths.
        ComputeFlightPaths();
        game.introPathsPending = false;
        game.introFlightPoint = 0;
    }
    DrawHomesWithoutHeroes();
    const std::int32_t n = game.introFlightPoint;
    if (n < kFlightPoints) {
        DrawFrameOf(kHeroFacePicture, false, game.heroPath[n].x, game.heroPath[n].y, kHeroFaceWidth, kFaceHeight, 0);
        DrawFrameOf(kHeroineFacePicture, false, game.heroinePath[n].x, game.heroinePath[n].y, kHeroineFaceWidth,
                    kFaceHeight, 0);
        ++game.introFlightPoint;
        return;
    }
    // The faces are home: the game's own life resumes from the next tick, and
    // Stop answers again.
    game.introRunning = false;
    game.introFlightRunning = false;
    game.introShrinking = true;
}

// ---- Phase 4: the shrinking ----

void ShrinkFaces() {
    DrawHomesWithoutHeroes();
    const std::int32_t m = game.introShrinkFrame;
    if (m < kShrinkFrames) {
        const Point heroine = game.heroinePath[kFlightPoints - 1];
        DrawFrameOf(kHeroShrinkPicture, true, kHeroTarget.x, kHeroTarget.y, kHeroFaceWidth, kFaceHeight, m);
        DrawFrameOf(kHeroineShrinkPicture, true, heroine.x, heroine.y, kHeroFaceWidth, kFaceHeight, m);
        ++game.introShrinkFrame;
        return;
    }
    game.introFlightPoint = 0;
    game.introSpellArmed = true;
    game.introShrinkFrame = 0;
    game.introShrinking = false;
}

}  // namespace

// The phases follow each other within one call: a phase that ends starts the
// next in the same tick, so no tick is empty.
void RunIntro() {
    if (!game.introRunning && !game.introShrinking) return;
    if (game.introSpellArmed) CastSpell();
    if (game.introShiftRunning) ShiftColours();
    if (game.introFlightRunning) FlyFaces();
    if (game.introShrinking) ShrinkFaces();
}
