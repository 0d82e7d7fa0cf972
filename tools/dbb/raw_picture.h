// Raw pictures as files and byte blocks: u32 width, u32 height, then
// width x height pixels of four bytes (0, blue, green, red), rows bottom-up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "gfx/image.h"  // ReadU32, as the game reads picture headers

namespace dbb {

constexpr std::uint32_t kHeaderBytes = 8;
constexpr std::uint32_t kPixelBytes = 4;

// Every failure of the tools' library: the message is meant for the user.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value);

// 8 + 4 x width x height, or nothing when that does not fit 32 bits.
std::optional<std::uint32_t> RawPictureBytes(std::uint64_t width, std::uint64_t height);

struct PictureHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The header of a raw picture, when `bytes` is exactly one whole raw picture.
std::optional<PictureHeader> WholePictureHeader(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// A raw picture file, checked to be one whole picture.
struct RawPicture {
    PictureHeader header;
    std::vector<std::uint8_t> bytes;  // the whole file, header included
};
RawPicture ReadRawPicture(const std::filesystem::path& path);

}  // namespace dbb
