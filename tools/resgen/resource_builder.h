// Builds the program's resource table from the resource script and the drawn
// pictures: checks every picture file against the script, packs the pictures
// marked packed and proves that each one unpacks to its picture again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/dbb/picture_catalogue.h"
#include "tools/dbb/resource_script.h"

namespace resgen {

struct BuiltResource {
    std::string type;  // "DBB", "ICON" or "STRING"
    std::uint32_t id = 0;
    std::vector<std::uint8_t> bytes;
};

struct BuiltTable {
    std::vector<BuiltResource> resources;
    std::vector<dbb::CataloguedPicture> catalogue;
};

struct BuildResult {
    BuiltTable table;
    std::vector<std::string> problems;  // one line each; the table is usable only when empty
};

// Pictures come from ART_DIR/<id>.dbb, the icon from ART_DIR/icon<id>.dbb.
BuildResult BuildResources(const dbb::ResourceScript& script, const std::filesystem::path& artDir);

// The packed form of `raw`, proven to unpack to exactly `raw` and to fit the
// game's decode buffer. Throws dbb::Error otherwise.
std::vector<std::uint8_t> PackVerified(const std::vector<std::uint8_t>& raw);

}  // namespace resgen
