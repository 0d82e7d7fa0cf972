#include "ui/screen_pictures.h"

#include "app/game_state.h"
#include "gfx/display_device.h"
#include "gfx/image.h"

namespace {

constexpr int kDigitWidth = 14;
constexpr int kDigitHeight = 24;
constexpr std::uint32_t kDigitFrames = 11;  // 0 to 9 and a blank

// A picture is drawn at its own size, so one that failed to load (an empty
// slot) draws nothing.
void DrawWhole(const ImageRef& picture, int x, int y) {
    game.display->DrawImage(x, y, picture.pixels, static_cast<int>(picture.width),
                            static_cast<int>(picture.height));
}

bool DigitStripLoaded() {
    const ImageRef& digits = game.digitsImage;
    return digits.pixels != nullptr && digits.width == kDigitWidth && digits.height >= kDigitHeight * kDigitFrames;
}

}  // namespace

void DrawButton(const ButtonFace& face, bool pressed) {
    LoadImage(game.instance, pressed ? face.pressed : face.raised, &game.buttonImage);
    DrawWhole(game.buttonImage, face.x, face.y);
}

void DrawTitlePicture() {
    LoadPackedImage(game.instance, kTitlePicture, &game.titleImage);
    DrawWhole(game.titleImage, 0, 0);
}

void RollInPackedPanel(int id) {
    // Loaded right before use: the decode buffer is shared by every packed picture.
    LoadPackedImage(game.instance, id, &game.panelImage);
    const ImageRef& panel = game.panelImage;
    game.display->RollInPanel(kPanelX, kPanelBottomY, panel.pixels, static_cast<int>(panel.width),
                              static_cast<int>(panel.height));
}

void ShowLevel(std::int32_t value) {
    if (!DigitStripLoaded()) return;
    game.display->DrawNumber(kLevelFieldX, kLevelFieldY, game.digitsImage.pixels, kDigitWidth, kDigitHeight, value,
                             kLevelFieldCells);
}
