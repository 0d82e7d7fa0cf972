// Hand-made packed data for the codec tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace codec_test {

struct Record {
    std::uint32_t position;
    std::uint32_t length;
    std::uint32_t distance;
};

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    out.insert(out.end(), bytes, bytes + 4);
}

inline void AppendRecord(std::vector<std::uint8_t>& out, const Record& record) {
    for (int shift = 0; shift < 24; shift += 8) out.push_back(static_cast<std::uint8_t>(record.position >> shift));
    AppendU32(out, record.length | record.distance << 10);
}

// N, the literals, T, the records.
inline std::vector<std::uint8_t> Packed(const std::string& literals, std::uint32_t unpackedSize,
                                        const std::vector<Record>& records = {}) {
    std::vector<std::uint8_t> out;
    AppendU32(out, static_cast<std::uint32_t>(literals.size()));
    out.insert(out.end(), literals.begin(), literals.end());
    AppendU32(out, unpackedSize);
    for (const Record& record : records) AppendRecord(out, record);
    return out;
}

}  // namespace codec_test
