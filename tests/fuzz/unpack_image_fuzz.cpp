// UnpackImage on any bytes. The input and the output are allocations of
// exactly their size, so that AddressSanitizer sees a read one byte past the
// data or a write one byte past the room. Less room only cuts the same
// output short.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "gfx/image.h"
#include "state/game_state.h"
#include "tests/fuzz/require.h"

namespace {

struct Output {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::uint32_t written = 0;
};

Output Unpack(const std::uint8_t* data, std::size_t size, std::uint32_t capacity) {
    Output output{std::unique_ptr<std::uint8_t[]>(new std::uint8_t[capacity]), 0};
    output.written = UnpackImage(data, static_cast<std::uint32_t>(size), output.bytes.get(), capacity);
    Require(output.written <= capacity, "no more bytes written than the room holds");
    return output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kDecodeBufferBytes) return 0;
    // The game's room first, then some less, picked by the input's size.
    const Output whole = Unpack(data, size, kDecodeBufferBytes);
    if (whole.written == 0) return 0;
    const auto room = static_cast<std::uint32_t>(size % whole.written);
    const Output cut = Unpack(data, size, room);
    Require(cut.written == room, "less room stops the output exactly at the room");
    Require(std::memcmp(cut.bytes.get(), whole.bytes.get(), room) == 0, "less room writes the same bytes");
    return 0;
}
