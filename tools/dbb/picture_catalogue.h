// What the resource table does not say about its pictures: their form and
// frame count. The resource generator writes this catalogue next to the
// embedded table (MirelinkPictureCatalogue is defined in the generated
// source, with MirelinkResources).
#pragma once

#include <cstddef>
#include <cstdint>

namespace dbb {

struct CataloguedPicture {
    std::uint32_t id;
    bool packed;
    std::uint32_t frames;
};

struct PictureCatalogue {
    const CataloguedPicture* pictures;
    std::size_t count;
};

}  // namespace dbb

const dbb::PictureCatalogue& MirelinkPictureCatalogue();
