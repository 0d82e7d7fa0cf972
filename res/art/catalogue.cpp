#include "res/art/catalogue.h"

namespace art {

void Catalogue::Add(int id, DrawFrame draw, Rgb matte) { drawings_[{PictureKind::Picture, id}] = {draw, matte}; }

void Catalogue::AddIcon(int id, DrawFrame draw, Rgb matte) { drawings_[{PictureKind::Icon, id}] = {draw, matte}; }

const Drawing* Catalogue::Find(const PictureLine& line) const {
    const auto found = drawings_.find({line.kind, line.id});
    return found == drawings_.end() ? nullptr : &found->second;
}

const Catalogue& TheCatalogue() {
    static const Catalogue catalogue = [] {
        Catalogue all;
        AddBogDrawings(all);
        AddBlockDrawings(all);
        AddHeroDrawings(all);
        AddControlDrawings(all);
        AddPanelDrawings(all);
        AddTitleDrawings(all);
        return all;
    }();
    return catalogue;
}

}  // namespace art
