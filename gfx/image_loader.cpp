// The two picture loaders: raw pictures are used in place inside the program's
// resources, packed ones are decoded into the shared decode buffer. A picture
// that is missing or damaged leaves its slot empty (nothing is drawn for it).
#include <cstdint>

#include "gfx/image.h"
#include "state/game_state.h"

namespace {

constexpr std::uint32_t kHeaderBytes = 8;

struct ResourceBytes {
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
};

ResourceBytes FindPicture(HINSTANCE instance, int id) {
    // Resource names carry 16 bits: a larger id would find another picture.
    if (id <= 0 || id > 0xFFFF) return {};
    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<unsigned>(id)), u"DBB");
    if (resource == nullptr) return {};
    const auto* data = static_cast<const std::uint8_t*>(LoadResource(instance, resource));
    if (data == nullptr) return {};
    return {data, SizeofResource(instance, resource)};
}

// True when `picture` (`size` bytes, header included) is exactly the header
// plus width x height pixels. Divides rather than multiplies, so that no
// header can overflow its way to a match.
bool IsWholePicture(const std::uint8_t* picture, std::uint64_t size) {
    if (size < kHeaderBytes || (size - kHeaderBytes) % 4 != 0) return false;
    const std::uint64_t pixels = (size - kHeaderBytes) / 4;
    const std::uint32_t width = ReadU32(picture);
    const std::uint32_t height = ReadU32(picture + 4);
    if (width == 0 || height == 0) return pixels == 0;
    return pixels % width == 0 && pixels / width == height;
}

int Describe(const std::uint8_t* picture, ImageRef* slot) {
    slot->width = ReadU32(picture);
    slot->height = ReadU32(picture + 4);
    slot->pixels = reinterpret_cast<const Pixel32*>(picture + kHeaderBytes);
    return 1;
}

int LeaveEmpty(ImageRef* slot) {
    *slot = ImageRef{};
    return 0;
}

}  // namespace

int LoadImage(HINSTANCE instance, int id, ImageRef* slot) {
    if (slot == nullptr) return 0;
    const ResourceBytes resource = FindPicture(instance, id);
    if (resource.data == nullptr || !IsWholePicture(resource.data, resource.size)) return LeaveEmpty(slot);
    return Describe(resource.data, slot);
}

int LoadPackedImage(HINSTANCE instance, int id, ImageRef* slot) {
    if (slot == nullptr) return 0;
    const ResourceBytes resource = FindPicture(instance, id);
    if (resource.data == nullptr) return LeaveEmpty(slot);
    game.decodedPicture = 0;
    const std::uint32_t written =
        UnpackImage(resource.data, resource.size, game.decodeBuffer, kDecodeBufferBytes);
    if (!IsWholePicture(game.decodeBuffer, written)) return LeaveEmpty(slot);
    game.decodedPicture = id;
    return Describe(game.decodeBuffer, slot);
}
