// UnpackImage on any bytes. The input and the output are allocations of
// exactly their size, so that AddressSanitizer sees a read one byte past the
// data or a write one byte past the room. Less room only cuts the same
// output short.
#include <cstring>
#include <memory>

#include "gfx/image.h"
#include "state/game_state.h"
#include "tests/fuzz/require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kDecodeBufferBytes) return 0;
    // The game's room first, then some less, picked by the input's size.
    const std::unique_ptr<std::uint8_t[]> whole(new std::uint8_t[kDecodeBufferBytes]);
    const std::uint32_t written = UnpackImage(data, static_cast<std::uint32_t>(size), whole.get(), kDecodeBufferBytes);
    Require(written <= kDecodeBufferBytes, "no more bytes written than the room holds");
    if (written == 0) return 0;
    const auto room = static_cast<std::uint32_t>(size % written);
    const std::unique_ptr<std::uint8_t[]> cut(new std::uint8_t[room]);
    Require(UnpackImage(data, static_cast<std::uint32_t>(size), cut.get(), room) == room,
            "less room stops the output exactly at the room");
    Require(std::memcmp(cut.get(), whole.get(), room) == 0, "less room writes the same bytes");
    return 0;
}
