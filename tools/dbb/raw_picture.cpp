#include "tools/dbb/raw_picture.h"

#include <fstream>
#include <iterator>

namespace dbb {

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::optional<std::uint32_t> RawPictureBytes(std::uint64_t width, std::uint64_t height) {
    if (width > UINT32_MAX || height > UINT32_MAX) return std::nullopt;
    // Both factors fit 32 bits, so the product fits 64 bits.
    const std::uint64_t pixels = width * height;
    if (pixels > (UINT32_MAX - kHeaderBytes) / kPixelBytes) return std::nullopt;
    return static_cast<std::uint32_t>(kHeaderBytes + kPixelBytes * pixels);
}

std::optional<PictureHeader> WholePictureHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderBytes) return std::nullopt;
    const PictureHeader header{ReadU32(bytes.data()), ReadU32(bytes.data() + 4)};
    const auto expected = RawPictureBytes(header.width, header.height);
    if (!expected || *expected != bytes.size()) return std::nullopt;
    return header;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error("cannot open " + path.string());
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw Error("cannot read " + path.string());
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw Error("cannot create " + path.string());
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw Error("cannot write " + path.string());
}

RawPicture ReadRawPicture(const std::filesystem::path& path) {
    RawPicture picture;
    picture.bytes = ReadFileBytes(path);
    const auto header = WholePictureHeader(picture.bytes);
    if (!header) {
        throw Error(path.string() + ": not a raw picture (" + std::to_string(picture.bytes.size()) +
                    " bytes do not make a header and width x height pixels)");
    }
    picture.header = *header;
    return picture;
}

}  // namespace dbb
