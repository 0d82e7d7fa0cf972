// The pictures of an embedded resource table, as the tools see them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "tools/dbb/picture_catalogue.h"
#include "tools/dbb/resource_script.h"

namespace dbb {

struct PictureRow {
    std::uint32_t id = 0;
    PictureForm form = PictureForm::Raw;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t frames = 1;
    std::uint32_t storedBytes = 0;
};

class EmbeddedPictures {
  public:
    EmbeddedPictures(const platform::ResourceTable& table, const PictureCatalogue& catalogue)
        : table_(table), catalogue_(catalogue) {}

    // Every "DBB" resource, sorted by id. Throws dbb::Error when one is
    // damaged or missing from the catalogue.
    std::vector<PictureRow> List() const;

    // The picture as a raw picture (header included), unpacked if need be.
    // Throws dbb::Error for a missing id or a damaged picture.
    std::vector<std::uint8_t> RawBytes(std::uint32_t id) const;

    PictureRow Describe(std::uint32_t id) const;

  private:
    const platform::ResourceEntry& Entry(std::uint32_t id) const;
    const CataloguedPicture& Catalogued(std::uint32_t id) const;
    PictureRow DescribeEntry(const platform::ResourceEntry& entry) const;

    const platform::ResourceTable& table_;
    const PictureCatalogue& catalogue_;
};

}  // namespace dbb
