// The decoder and the two picture loaders on a "DBB" resource holding any
// bytes, found through the platform's resource calls as the game finds its
// pictures. The input and the decoder's output are allocations of exactly
// their size, so that AddressSanitizer sees a read one byte past the data or
// a write one byte past the room; less room only cuts the same output short.
// Whatever either loader loads is drawn whole, so AddressSanitizer sees a raw
// picture whose size reaches past its resource. The decode buffer lies inside
// the game's state, where AddressSanitizer cannot see its end: a packed
// picture must be exactly the bytes its data unpacks to. And a loader refuses
// only what is no picture.
#include <cstring>
#include <memory>

#include "gfx/display_device.h"
#include "gfx/image.h"
#include "platform/platform.h"
#include "state/game_state.h"
#include "tests/fuzz/require.h"
#include "tests/support/fake_host.h"

namespace {

constexpr std::uint32_t kPictureId = 339;
constexpr std::uint32_t kHeaderBytes = 8;

struct Setting {
    test_support::FakeHost host;
    platform::ResourceEntry entry{"DBB", kPictureId, nullptr, 0};
    HINSTANCE instance = nullptr;
    std::unique_ptr<DisplayDevice> display;
    std::unique_ptr<std::uint8_t[]> unpacked{new std::uint8_t[kDecodeBufferBytes]};
};

Setting& TheSetting() {
    static Setting* const setting = [] {
        auto* made = new Setting;
        made->host.Install();
        made->instance = platform::RegisterModule({&made->entry, 1});
        made->display = std::make_unique<DisplayDevice>(nullptr);
        Require(made->display->CheckFormat() == 0, "the 240x320 5-6-5 screen suits the game");
        return made;
    }();
    return *setting;
}

// `size` bytes hold a header of width and height and exactly that many pixels.
bool IsPicture(const std::uint8_t* bytes, std::uint64_t size) {
    if (size < kHeaderBytes || (size - kHeaderBytes) % 4 != 0) return false;
    return std::uint64_t{ReadU32(bytes)} * ReadU32(bytes + 4) == (size - kHeaderBytes) / 4;
}

bool IsEmpty(const ImageRef& slot) { return slot.width == 0 && slot.height == 0 && slot.pixels == nullptr; }

// Every pixel is read: drawn when the picture fits on the screen, as the
// game draws its pictures, else summed.
void ReadEveryPixel(const ImageRef& picture) {
    if (picture.width <= kScreenWidth && picture.height <= kScreenHeight) {
        TheSetting().display->DrawPicture(0, 0, picture);
        return;
    }
    volatile std::uint32_t sum = 0;
    for (std::uint64_t i = 0; i < std::uint64_t{picture.width} * picture.height; ++i) sum = sum + picture.pixels[i].red;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kDecodeBufferBytes) return 0;
    Setting& setting = TheSetting();
    setting.entry.data = data;
    setting.entry.size = static_cast<std::uint32_t>(size);

    ImageRef slot{};
    const bool raw = LoadImage(setting.instance, kPictureId, &slot) == 1;
    Require(raw == IsPicture(data, size), "a raw resource loads exactly when it is a picture");
    Require(raw || IsEmpty(slot), "a refused picture leaves its slot empty");
    Require(!raw || slot.pixels == reinterpret_cast<const Pixel32*>(data + kHeaderBytes), "a raw picture is used in place");
    if (raw) ReadEveryPixel(slot);

    const std::uint32_t written = UnpackImage(data, static_cast<std::uint32_t>(size), setting.unpacked.get(),
                                              kDecodeBufferBytes);
    Require(written <= kDecodeBufferBytes, "no more bytes written than the room holds");
    // Some less room, picked by the input's size.
    const auto room = static_cast<std::uint32_t>(written == 0 ? 0 : size % written);
    const std::unique_ptr<std::uint8_t[]> cut(new std::uint8_t[room]);
    Require(UnpackImage(data, static_cast<std::uint32_t>(size), cut.get(), room) == room,
            "less room stops the output exactly at the room");
    Require(std::memcmp(cut.get(), setting.unpacked.get(), room) == 0, "less room writes the same bytes");
    slot = {};
    const bool packed = LoadPackedImage(setting.instance, kPictureId, &slot) == 1;
    Require(packed == IsPicture(setting.unpacked.get(), written),
            "a packed resource loads exactly when it unpacks to a picture");
    if (!packed) {
        Require(IsEmpty(slot) && game.decodedPicture == 0, "a refused picture leaves its slot and the buffer's name empty");
        return 0;
    }
    Require(slot.width == ReadU32(setting.unpacked.get()) && slot.height == ReadU32(setting.unpacked.get() + 4),
            "a packed picture has the size it unpacks to");
    Require(slot.pixels == reinterpret_cast<const Pixel32*>(game.decodeBuffer + kHeaderBytes) &&
                game.decodedPicture == static_cast<std::int32_t>(kPictureId),
            "a packed picture is decoded into the shared buffer, which names it");
    Require(std::memcmp(slot.pixels, setting.unpacked.get() + kHeaderBytes, written - kHeaderBytes) == 0,
            "a packed picture holds the pixels it unpacks to");
    ReadEveryPixel(slot);
    return 0;
}
