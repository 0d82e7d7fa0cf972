#include "tools/dbb/embedded_pictures.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "gfx/image.h"
#include "tools/dbb/packer.h"
#include "tools/dbb/raw_picture.h"

namespace dbb {
namespace {

bool IsPicture(const platform::ResourceEntry& entry) { return std::strcmp(entry.type, "DBB") == 0; }

std::string Named(std::uint32_t id) { return "picture " + std::to_string(id); }

}  // namespace

const platform::ResourceEntry& EmbeddedPictures::Entry(std::uint32_t id) const {
    for (std::size_t i = 0; i < table_.count; ++i) {
        const platform::ResourceEntry& entry = table_.entries[i];
        if (IsPicture(entry) && entry.id == id) return entry;
    }
    throw Error("no " + Named(id) + " in the resources");
}

const CataloguedPicture& EmbeddedPictures::Catalogued(std::uint32_t id) const {
    for (std::size_t i = 0; i < catalogue_.count; ++i) {
        if (catalogue_.pictures[i].id == id) return catalogue_.pictures[i];
    }
    throw Error(Named(id) + " is not in the picture catalogue");
}

PictureRow EmbeddedPictures::DescribeEntry(const platform::ResourceEntry& entry) const {
    const CataloguedPicture& catalogued = Catalogued(entry.id);
    PictureRow row;
    row.id = entry.id;
    row.form = catalogued.packed ? PictureForm::Packed : PictureForm::Raw;
    row.frames = catalogued.frames;
    row.storedBytes = entry.size;
    // A packed picture's header is its first 8 unpacked bytes.
    std::uint8_t header[kHeaderBytes] = {};
    std::uint32_t headerBytes = 0;
    if (catalogued.packed) {
        headerBytes = UnpackImage(entry.data, entry.size, header, kHeaderBytes);
    } else if (entry.size >= kHeaderBytes) {
        std::memcpy(header, entry.data, kHeaderBytes);
        headerBytes = kHeaderBytes;
    }
    if (headerBytes != kHeaderBytes) throw Error(Named(entry.id) + " is damaged: no header");
    row.width = ReadU32(header);
    row.height = ReadU32(header + 4);
    return row;
}

PictureRow EmbeddedPictures::Describe(std::uint32_t id) const { return DescribeEntry(Entry(id)); }

std::vector<PictureRow> EmbeddedPictures::List() const {
    std::vector<PictureRow> rows;
    for (std::size_t i = 0; i < table_.count; ++i) {
        if (IsPicture(table_.entries[i])) rows.push_back(DescribeEntry(table_.entries[i]));
    }
    std::sort(rows.begin(), rows.end(), [](const PictureRow& a, const PictureRow& b) { return a.id < b.id; });
    return rows;
}

std::vector<std::uint8_t> EmbeddedPictures::RawBytes(std::uint32_t id) const {
    const platform::ResourceEntry& entry = Entry(id);
    const std::span<const std::uint8_t> stored(entry.data, entry.size);
    const bool packed = Catalogued(id).packed;
    try {
        if (packed) return UnpackPicture(stored);
        if (!WholePictureHeader(stored)) throw Error("not a whole raw picture");
        return {stored.begin(), stored.end()};
    } catch (const Error& error) {
        throw Error(Named(id) + ": " + error.what());
    }
}

}  // namespace dbb
