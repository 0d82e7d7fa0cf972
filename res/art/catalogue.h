// Which drawing makes which picture of the resource script.
#pragma once

#include <map>
#include <utility>

#include "res/art/canvas.h"
#include "res/art/picture_line.h"

namespace art {

using DrawFrame = void (*)(const Frame&);

// A drawing, and the colour its see-through edges are smoothed against: the
// ground the picture will be drawn over in the game.
struct Drawing {
    DrawFrame draw = nullptr;
    Rgb matte;
};

class Catalogue {
public:
    void Add(int id, DrawFrame draw, Rgb matte);
    void AddIcon(int id, DrawFrame draw, Rgb matte);
    const Drawing* Find(const PictureLine& line) const;  // nullptr when there is none

private:
    std::map<std::pair<PictureKind, int>, Drawing> drawings_;
};

// Every drawing of the game, gathered from the themes below.
const Catalogue& TheCatalogue();

void AddBogDrawings(Catalogue& catalogue);
void AddBlockDrawings(Catalogue& catalogue);
void AddHeroDrawings(Catalogue& catalogue);
void AddControlDrawings(Catalogue& catalogue);
void AddPanelDrawings(Catalogue& catalogue);
void AddTitleDrawings(Catalogue& catalogue);

}  // namespace art
