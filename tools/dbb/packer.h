// The packer for the game's packed pictures, and a checker of the packed
// layout it must produce:
//   u32 N, N literal bytes, u32 T (the unpacked size), then 7-byte copy
//   records (u24 output position P, u32 C = length | distance << 10), sorted
//   by position, each of length 1..1000 and distance >= length (a copy never
//   overlaps its source), distance at most 4194303.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gfx/image.h"

namespace dbb {

constexpr std::uint32_t kRecordBytes = kCopyRecordBytes;
constexpr std::uint32_t kMaxCopyLength = 1000;
constexpr std::uint32_t kMaxDistance = (1u << 22) - 1;
constexpr std::uint32_t kMaxRecordPosition = (1u << 24) - 1;

// Packs any bytes (in practice a whole raw picture). Throws dbb::Error when
// the input is too large for the format's 32-bit sizes.
std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> raw);

// Packs and proves that the result follows the format and unpacks to
// exactly `raw`. Throws dbb::Error otherwise.
std::vector<std::uint8_t> PackAndVerify(std::span<const std::uint8_t> raw);

// The whole raw picture that `packed` unpacks to. Throws dbb::Error when the
// data is damaged or does not unpack to exactly one whole picture.
std::vector<std::uint8_t> UnpackPicture(std::span<const std::uint8_t> packed);

// The tools refuse to unpack anything larger than this.
constexpr std::uint32_t kMaxUnpackedBytes = 1u << 28;

using ::CopyRecord;  // the game's own record, as its decoder reads it

struct PackedLayout {
    std::uint32_t literalCount = 0;
    std::uint32_t unpackedSize = 0;
    std::vector<CopyRecord> records;
};

// Reads the layout, or explains why `packed` does not follow the format
// (including every constraint the packer promises, and that the literals and
// records together make exactly the unpacked size).
struct LayoutCheck {
    std::optional<PackedLayout> layout;
    std::string problem;  // empty when the layout is sound
};
LayoutCheck CheckPackedLayout(std::span<const std::uint8_t> packed);

}  // namespace dbb
