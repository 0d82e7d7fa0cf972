// One picture the generator draws: a picture or the icon of the resource
// script, at its size, in its frames.
#pragma once

#include <string>
#include <vector>

#include "tools/dbb/resource_script.h"

namespace art {

enum class PictureKind { Picture, Icon };

struct PictureLine {
    PictureKind kind = PictureKind::Picture;
    int id = 0;
    int width = 0;
    int height = 0;  // all frames together
    int frames = 1;
    bool packed = false;  // stored in the game's packed form

    int FrameHeight() const { return height / frames; }
    std::string FileName() const;  // "<id>.dbb" or "icon<id>.dbb"
};

// The icons, then the pictures, each in script order.
std::vector<PictureLine> PicturesToDraw(const dbb::ResourceScript& script);

}  // namespace art
