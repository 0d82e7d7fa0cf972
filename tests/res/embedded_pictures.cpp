#include "embedded_pictures.h"

#include <cstring>
#include <map>
#include <stdexcept>
#include <string>

#include "res/resources.h"
#include "tools/dbb/resource_script.h"

namespace res_test {

const Pixel32& Decoded::At(int frame, int x, int y) const {
    const std::size_t frameStart = static_cast<std::size_t>(frame) * width * FrameHeight();
    return pixels.at(frameStart + static_cast<std::size_t>(FrameHeight() - 1 - y) * width + x);
}

const std::vector<art::PictureLine>& ScriptPictures() {
    static const std::vector<art::PictureLine> pictures = [] {
        std::vector<art::PictureLine> lines = art::PicturesToDraw(dbb::LoadResourceScript(MIRELINK_RESOURCE_SCRIPT));
        if (lines.empty()) throw std::runtime_error("no pictures in the resource script");
        return lines;
    }();
    return pictures;
}

namespace {

const platform::ResourceEntry* FindEntry(const char* type, int id) {
    const platform::ResourceTable& table = MirelinkResources();
    for (std::size_t i = 0; i < table.count; ++i) {
        const platform::ResourceEntry& entry = table.entries[i];
        if (std::strcmp(entry.type, type) == 0 && entry.id == static_cast<std::uint32_t>(id)) return &entry;
    }
    return nullptr;
}

}  // namespace

std::optional<Decoded> LoadEmbedded(const art::PictureLine& line) {
    const platform::ResourceEntry* entry = FindEntry(line.kind == art::PictureKind::Icon ? "ICON" : "DBB", line.id);
    if (entry == nullptr) return std::nullopt;
    const std::size_t expected = 8 + 4 * static_cast<std::size_t>(line.width) * line.height;
    std::vector<std::uint8_t> bytes(entry->data, entry->data + entry->size);
    if (line.packed) {
        // Room for one byte more shows a decoder that would write too much.
        bytes.assign(expected + 1, 0);
        const std::uint32_t written =
            UnpackImage(entry->data, entry->size, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        if (written != expected) return std::nullopt;
        bytes.pop_back();
    }
    if (bytes.size() != expected) return std::nullopt;
    Decoded picture{static_cast<int>(ReadU32(bytes.data())), static_cast<int>(ReadU32(bytes.data() + 4)), line.frames,
                    std::vector<Pixel32>(static_cast<std::size_t>(line.width) * line.height)};
    std::memcpy(picture.pixels.data(), bytes.data() + 8, picture.pixels.size() * sizeof(Pixel32));
    return picture;
}

const Decoded& Picture(int id) {
    static std::map<int, Decoded> cache;
    if (auto found = cache.find(id); found != cache.end()) return found->second;
    for (const art::PictureLine& line : ScriptPictures()) {
        if (line.kind != art::PictureKind::Picture || line.id != id) continue;
        std::optional<Decoded> picture = LoadEmbedded(line);
        if (!picture) break;
        return cache.emplace(id, std::move(*picture)).first->second;
    }
    throw std::runtime_error("picture " + std::to_string(id) + " is not in the program");
}

bool Same(const Pixel32& a, const Pixel32& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

int Differing(const Decoded& a, int frameA, const Decoded& b, int frameB, int bx, int by) {
    int differing = 0;
    for (int y = 0; y < a.FrameHeight(); ++y) {
        for (int x = 0; x < a.width; ++x) differing += !Same(a.At(frameA, x, y), b.At(frameB, bx + x, by + y));
    }
    return differing;
}

}  // namespace res_test
