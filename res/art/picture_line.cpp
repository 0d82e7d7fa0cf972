#include "res/art/picture_line.h"

namespace art {

std::string PictureLine::FileName() const {
    return (kind == PictureKind::Icon ? "icon" : "") + std::to_string(id) + ".dbb";
}

// The script's sizes and ids are at most 65535, so they fit an int.
std::vector<PictureLine> PicturesToDraw(const dbb::ResourceScript& script) {
    std::vector<PictureLine> lines;
    for (const dbb::IconLine& icon : script.icons) {
        lines.push_back({PictureKind::Icon, static_cast<int>(icon.id), static_cast<int>(icon.width),
                         static_cast<int>(icon.height), 1, false});
    }
    for (const dbb::PictureLine& picture : script.pictures) {
        lines.push_back({PictureKind::Picture, static_cast<int>(picture.id), static_cast<int>(picture.width),
                         static_cast<int>(picture.height), static_cast<int>(picture.frames),
                         picture.form == dbb::PictureForm::Packed});
    }
    return lines;
}

}  // namespace art
