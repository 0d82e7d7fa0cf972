#include "play/hearts.h"

#include <cstdint>

#include "gfx/control_strip.h"
#include "gfx/display_device.h"
#include "gfx/image.h"
#include "gfx/layout.h"
#include "gfx/screen_pictures.h"
#include "play/frame_countdown.h"
#include "play/game_flow.h"
#include "res/picture_ids.h"
#include "state/game_state.h"

namespace {

constexpr int kLoversPicture = pictures::kLovers;
constexpr int kHeartMasksPicture = pictures::kHeartMasks;
constexpr std::int32_t kHeartFrames = pictures::kHeartMasksFrames;
constexpr std::int32_t kHeartFrameTicks = 2;
constexpr int kHeartX = 20;
constexpr int kHeartY = 0;
constexpr int kHeartWidth = 200;
constexpr int kHeartHeight = 180;

// One of the two sequences: its flag, and its own mask load, frame and
// countdown. The countdown is never reset, so a sequence's very first frame
// in the process shows for one tick and every later first frame for two.
struct HeartSequence {
    bool& running;
    bool& maskPending;
    std::int32_t& frame;
    std::int32_t& countdown;
    bool opening;
};

HeartSequence OpeningHeart() {
    return {game.levelCompleteRunning, game.levelCompleteMaskPending, game.levelCompleteFrame,
            game.levelCompleteCountdown, true};
}

HeartSequence ClosingHeart() {
    return {game.levelStartRunning, game.levelStartMaskPending, game.levelStartFrame, game.levelStartCountdown,
            false};
}

// The masks live in the shared decode buffer. A help or about page or the
// exit question opened while a heart runs decodes its own picture there, so
// the masks are decoded again whenever the buffer no longer holds them.
void KeepMasksLoaded(const HeartSequence& heart) {
    if (!heart.maskPending && game.decodedPicture == kHeartMasksPicture) return;
    LoadPackedImage(game.instance, kHeartMasksPicture, &game.heartMasks);
    heart.maskPending = false;
}

// The lovers show only where the mask is pure black.
void DrawHeartFrame(std::int32_t maskFrame) {
    ImageRef lovers{};
    LoadImage(game.instance, kLoversPicture, &lovers);
    if (!HasFrame(lovers, kHeartWidth, kHeartHeight, 0)) return;
    if (!HasFrame(game.heartMasks, kHeartWidth, kHeartHeight, maskFrame)) return;
    const Pixel32* mask = StripFrame(game.heartMasks, kHeartHeight, static_cast<std::uint32_t>(maskFrame));
    game.display->DrawImageMasked(kHeartX, kHeartY, lovers.pixels, mask, kHeartWidth, kHeartHeight);
}

// One tick of a heart; true once its last frame has shown.
bool StepHeart(const HeartSequence& heart) {
    KeepMasksLoaded(heart);
    if (heart.frame < kHeartFrames) {
        DrawHeartFrame(heart.opening ? heart.frame : kHeartFrames - 1 - heart.frame);
        if (NextFrameDue(heart.countdown, kHeartFrameTicks)) ++heart.frame;
    }
    return heart.frame >= kHeartFrames;
}

void EndHeart(const HeartSequence& heart) {
    heart.frame = 0;
    heart.running = false;
    heart.maskPending = true;
}

// The heart is open: the bonus is banked and the panel asks for the next
// level, with the tick stopped until "OK".
void OfferNextLevel() {
    game.yesRect = kNextLevelOkRect;
    game.noRect = kNextLevelOkRect;
    BankLevelBonus();
    ShowScore(game.bankedScore);
    game.modalShown = true;
    game.tickEnabled = false;
    RollInPackedPanel(kLevelCompletePanel);
    game.bloomPhase = false;
    game.nextLevelRequested = true;
}

}  // namespace

void RunLevelCompleteHearts() {
    const HeartSequence heart = OpeningHeart();
    if (!heart.running || !StepHeart(heart)) return;
    EndHeart(heart);
    OfferNextLevel();
}

void RunLevelStartHearts() {
    const HeartSequence heart = ClosingHeart();
    if (!heart.running || !StepHeart(heart)) return;
    EndHeart(heart);
}
