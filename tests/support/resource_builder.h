// Builds a resource table in memory for tests: strings, raw pictures, icons
// and arbitrary bytes, registered as a module like the program's own table.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace test_support {

// Little-endian, as every number of a resource is stored.
void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value);
// The raw picture layout, for building resources by hand.
std::vector<std::uint8_t> RawPicture(std::uint32_t width, std::uint32_t height, std::uint32_t pixel);

class ResourceBuilder {
public:
    ResourceBuilder& Add(std::string type, std::uint32_t id, std::vector<std::uint8_t> bytes);
    // A string table entry: UTF-16LE code units, no terminator.
    ResourceBuilder& AddString(std::uint32_t id, std::u16string_view text);
    // A raw picture or icon: u32 width, u32 height, then 4-byte pixels
    // (unused, blue, green, red), every pixel `pixel`.
    ResourceBuilder& AddPicture(std::uint32_t id, std::uint32_t width, std::uint32_t height, std::uint32_t pixel = 0) {
        return Add("DBB", id, RawPicture(width, height, pixel));
    }
    ResourceBuilder& AddIcon(std::uint32_t id, std::uint32_t width, std::uint32_t height) {
        return Add("ICON", id, RawPicture(width, height, 0));
    }

    // The table stays valid while the builder lives and nothing more is added.
    platform::ResourceTable Table();
    HINSTANCE Register() { return platform::RegisterModule(Table()); }

private:
    struct Stored {
        std::string type;
        std::uint32_t id;
        std::vector<std::uint8_t> bytes;
    };
    std::deque<Stored> stored_;
    std::vector<platform::ResourceEntry> entries_;
};

}  // namespace test_support
