#include "gfx/control_strip.h"

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "state/game_state.h"

namespace {

void DrawRaw(const StripPicture& picture) {
    ImageRef image{};
    LoadImage(game.instance, picture.id, &image);
    game.display->DrawPicture(picture.x, picture.y, image);
}

void DrawPacked(const StripPicture& picture) {
    ImageRef image{};
    LoadPackedImage(game.instance, picture.id, &image);
    game.display->DrawPicture(picture.x, picture.y, image);
}

// A strip that failed to load leaves the fields as they were.
bool DigitStripLoaded() {
    return HasFrame(game.digitsImage, kDigitWidth, kDigitHeight, kDigitFrames - 1);
}

}  // namespace

void SetUpGameScreen() {
    LoadImage(game.instance, kDigitStrip, &game.digitsImage);
    DrawPacked(kStripBackground);
    DrawButton(game.stopFaceShown ? kStopFace : kStartFace, false);
    DrawButton(kHelpFace, false);
    DrawButton(kAboutFace, false);
    DrawRaw(kScoreLabel);
    DrawRaw(kLevelBox);
    DrawRaw(kLevelLabel);
    DrawRaw(kScoreBox);
    DrawButton(kMinimiseFace, false);
    DrawButton(kExitFace, false);
    DrawPacked(kTitleLogo);
}

void DrawButton(const ButtonFace& face, bool pressed) {
    DrawRaw({pressed ? face.pressed : face.raised, face.x, face.y});
}

void ShowLevel(std::int32_t value) {
    if (!DigitStripLoaded()) return;
    game.display->DrawNumber(kLevelFieldX, kLevelFieldY, game.digitsImage.pixels, kDigitWidth, kDigitHeight, value,
                             kLevelFieldCells);
}

void ShowScore(std::int32_t value) {
    if (!DigitStripLoaded()) return;
    game.display->DrawNumber4(kScoreFieldX, kScoreFieldY, game.digitsImage.pixels, kDigitWidth, kDigitHeight, value);
}
