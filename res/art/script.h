// The picture lines of the resource script: which pictures to draw, at what
// size, in how many frames.
#pragma once

#include <istream>
#include <string>
#include <vector>

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

// Reads every "dbb" and "icon" line; other lines are not ours. Fails with a
// message naming the line when a picture line is malformed.
struct ScriptResult {
    std::vector<PictureLine> pictures;
    std::string error;  // empty when the script read cleanly
};
ScriptResult ReadPictureLines(std::istream& script);

}  // namespace art
