// A contact sheet of drawn pictures, for looking at them: every frame of a
// strip side by side, see-through pixels on a checkerboard, ids beside them.
#pragma once

#include <string>
#include <vector>

#include "res/art/picture.h"
#include "res/art/script.h"

namespace art {

struct SheetEntry {
    PictureLine line;
    Picture picture;
};

// Writes the sheet as a PNG; returns an empty string or what went wrong.
std::string WriteSheet(const std::string& path, const std::vector<SheetEntry>& entries, int scale);

}  // namespace art
