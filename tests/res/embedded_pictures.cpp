#include "embedded_pictures.h"

#include <cstring>
#include <map>

#include "res/resources.h"
#include "tools/dbb/embedded_pictures.h"

namespace res_test {

const Pixel32& Decoded::At(int frame, int x, int y) const {
    const std::size_t frameStart = static_cast<std::size_t>(frame) * width * FrameHeight();
    return pixels.at(frameStart + static_cast<std::size_t>(FrameHeight() - 1 - y) * width + x);
}

const Decoded& Picture(int id) {
    static std::map<int, Decoded> cache;
    if (auto found = cache.find(id); found != cache.end()) return found->second;
    // Unpacked, if packed, by the game's own decoder to exactly its size.
    const dbb::EmbeddedPictures embedded(MirelinkResources(), MirelinkPictureCatalogue());
    const auto key = static_cast<std::uint32_t>(id);
    const std::vector<std::uint8_t> raw = embedded.RawBytes(key);
    Decoded picture{static_cast<int>(ReadU32(raw.data())), static_cast<int>(ReadU32(raw.data() + 4)),
                    static_cast<int>(embedded.Describe(key).frames), std::vector<Pixel32>((raw.size() - 8) / 4)};
    std::memcpy(picture.pixels.data(), raw.data() + 8, picture.pixels.size() * sizeof(Pixel32));
    return cache.emplace(id, std::move(picture)).first->second;
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
