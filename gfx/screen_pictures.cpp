#include "gfx/screen_pictures.h"

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "gfx/layout.h"
#include "state/game_state.h"

void DrawTitlePicture() {
    LoadPackedImage(game.instance, kTitlePicture, &game.titleImage);
    game.display->DrawPicture(0, 0, game.titleImage);
}

void RollInPackedPanel(int id) {
    // Loaded right before use: the decode buffer is shared by every packed picture.
    LoadPackedImage(game.instance, id, &game.panelImage);
    const ImageRef& panel = game.panelImage;
    game.display->RollInPanel(kPanelX, kPanelBottomY, panel.pixels, static_cast<int>(panel.width),
                              static_cast<int>(panel.height));
}
