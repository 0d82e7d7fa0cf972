// The packed picture decoder: literal bytes interleaved with copies of earlier
// output, driven by copy records sorted by output position.
//
// Packed layout: u32 N, N literal bytes, u32 T (unpacked size), then 7-byte
// records: u24 position P, u32 C with length C & 0x3FF and distance C >> 10.
// The decoder trusts nothing in the data: it reads only inside `size` bytes and
// writes only inside `capacity` bytes, and stops early on anything it cannot
// honour.
#include <cstring>

#include "gfx/image.h"

std::uint32_t ReadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

CopyRecord ReadCopyRecord(const std::uint8_t* bytes) {
    const std::uint32_t position = static_cast<std::uint32_t>(bytes[0]) |
                                   static_cast<std::uint32_t>(bytes[1]) << 8 |
                                   static_cast<std::uint32_t>(bytes[2]) << 16;
    const std::uint32_t code = ReadU32(bytes + 3);
    return {position, code & 0x3FFu, code >> 10};
}

namespace {

// Walks the records area; a record counts only when all its bytes are there.
class RecordCursor {
  public:
    RecordCursor(const std::uint8_t* packed, std::uint32_t start, std::uint32_t size)
        : packed_(packed), next_(start), size_(size) {
        Advance();
    }
    bool Available() const { return available_; }
    const CopyRecord& Current() const { return current_; }
    void Advance() {
        available_ = next_ <= size_ && size_ - next_ >= kCopyRecordBytes;
        if (!available_) return;
        current_ = ReadCopyRecord(packed_ + next_);
        next_ += kCopyRecordBytes;
    }

  private:
    const std::uint8_t* packed_;
    std::uint32_t next_;
    std::uint32_t size_;
    bool available_ = false;
    CopyRecord current_{};
};

// Copies forward so that a copy overlapping its own source repeats a pattern.
void CopyEarlierOutput(std::uint8_t* destination, std::uint32_t out, std::uint32_t distance,
                       std::uint32_t count) {
    std::uint8_t* target = destination + out;
    const std::uint8_t* source = target - distance;
    if (distance >= count) {
        std::memcpy(target, source, count);
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i) target[i] = source[i];
}

}  // namespace

std::uint32_t UnpackImage(const std::uint8_t* packed, std::uint32_t size, std::uint8_t* destination,
                          std::uint32_t capacity) {
    if (packed == nullptr || destination == nullptr || size < 4) return 0;
    const std::uint32_t literalCount = ReadU32(packed);
    // The unpacked size follows the literals; without it there is nothing to do.
    if (literalCount > size - 4 || size - 4 - literalCount < 4) return 0;
    const std::uint8_t* literals = packed + 4;
    const std::uint32_t unpackedSize = ReadU32(literals + literalCount);
    const std::uint32_t limit = unpackedSize < capacity ? unpackedSize : capacity;

    RecordCursor records(packed, 8 + literalCount, size);
    std::uint32_t out = 0;
    std::uint32_t lit = 0;
    while (out < limit) {
        if (records.Available() && records.Current().position == out) {
            const CopyRecord& copy = records.Current();
            if (copy.length > 0) {
                // A copy from before the start, or of the byte being written, has no source.
                if (copy.distance == 0 || copy.distance > out) break;
                const std::uint32_t room = limit - out;
                const std::uint32_t count = copy.length < room ? copy.length : room;
                CopyEarlierOutput(destination, out, copy.distance, count);
                out += count;
            }
            records.Advance();
            continue;
        }
        if (lit >= literalCount) break;
        destination[out++] = literals[lit++];
    }
    return out;
}
