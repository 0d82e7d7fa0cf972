// The pictures as the program carries them: every picture line of the
// resource script, and its picture decoded from the embedded resource table.
#pragma once

#include <optional>
#include <vector>

#include "gfx/image.h"
#include "res/art/picture_line.h"

namespace res_test {

// An upright view of a decoded picture.
struct Decoded {
    int width = 0;
    int height = 0;
    int frames = 1;
    std::vector<Pixel32> pixels;  // stored order: bottom-up, frame 0 first

    int FrameHeight() const { return height / frames; }
    // Pixel (x, y) of frame f, y counted from the frame's top.
    const Pixel32& At(int frame, int x, int y) const;
    // Pixel (x, y) of a single-frame picture.
    const Pixel32& At(int x, int y) const { return At(0, x, y); }
};

const std::vector<art::PictureLine>& ScriptPictures();
const art::PictureLine& ScriptLine(int id);

// The picture from the embedded table, unpacked if the script says it is
// packed; nothing when it is missing or does not decode to its header size.
std::optional<Decoded> LoadEmbedded(const art::PictureLine& line);
// Shorthand for the tests that need a picture that must be there.
const Decoded& Picture(int id);

bool IsWhite(const Pixel32& p);
bool IsBlack(const Pixel32& p);
bool Same(const Pixel32& a, const Pixel32& b);

}  // namespace res_test
