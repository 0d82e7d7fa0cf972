// Synthetic pictures and hand-made packed data for the codec tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/resource_builder.h"

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;

struct Record {
    std::uint32_t position, length, distance;
};

using test_support::AppendU32;

// A raw picture of flat colours with a few shapes on white: how most of the
// art looks.
inline Bytes CartoonPicture(std::uint32_t width, std::uint32_t height) {
    Bytes raw;
    AppendU32(raw, width);
    AppendU32(raw, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const int dx = static_cast<int>(x % 60) - 30;
            const int dy = static_cast<int>(y % 70) - 35;
            std::uint8_t shade = 255;
            if (dx * dx + dy * dy < 400) {
                shade = 40;
            } else if ((x / 7 + y / 5) % 11 == 0) {
                shade = 120;
            } else if (y % 90 < 3) {
                shade = 0;
            }
            raw.insert(raw.end(), {0, shade, static_cast<std::uint8_t>(shade / 2), 200});
        }
    }
    return raw;
}

// N, the literals, T, the records (3-byte position, then length | distance << 10).
inline Bytes Packed(const std::string& literals, std::uint32_t unpackedSize, const std::vector<Record>& records = {}) {
    Bytes out;
    AppendU32(out, static_cast<std::uint32_t>(literals.size()));
    for (const char literal : literals) out.push_back(static_cast<std::uint8_t>(literal));
    AppendU32(out, unpackedSize);
    for (const Record& record : records) {
        AppendU32(out, record.position);
        out.pop_back();
        AppendU32(out, record.length | record.distance << 10);
    }
    return out;
}

}  // namespace codec_test
