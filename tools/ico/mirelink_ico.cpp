// mirelink-ico: packs the drawn icons (PNG files) into one Windows .ico, each
// size kept as its PNG, as Windows reads them since Vista.
//   mirelink-ico OUT.ico IN.png...   (each IN at most 256 pixels square)
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Image {
    std::vector<unsigned char> bytes;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The PNG's own size, from its header; false for anything that is no PNG.
bool ReadPng(const char* path, Image* image) {
    std::ifstream in(path, std::ios::binary);
    image->bytes.assign(std::istreambuf_iterator<char>(in), {});
    const auto& b = image->bytes;
    if (b.size() < 24 || png_sig_cmp(b.data(), 0, 8) != 0) return false;
    image->width = (std::uint32_t{b[16]} << 24) | (b[17] << 16) | (b[18] << 8) | b[19];
    image->height = (std::uint32_t{b[20]} << 24) | (b[21] << 16) | (b[22] << 8) | b[23];
    return image->width >= 1 && image->width <= 256 && image->height >= 1 && image->height <= 256;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: mirelink-ico OUT.ico IN.png...\n");
        return 2;
    }
    std::vector<Image> images(static_cast<std::size_t>(argc - 2));
    for (int i = 2; i < argc; ++i) {
        if (!ReadPng(argv[i], &images[static_cast<std::size_t>(i - 2)])) {
            std::fprintf(stderr, "mirelink-ico: %s is no PNG of 1 to 256 pixels a side\n", argv[i]);
            return 1;
        }
    }
    std::string out;
    Put(out, 0, 2);  // reserved
    Put(out, 1, 2);  // an icon
    Put(out, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Image& image : images) {
        Put(out, image.width % 256, 1);  // 256 is written as 0
        Put(out, image.height % 256, 1);
        Put(out, 0, 2);   // no palette, reserved
        Put(out, 1, 2);   // planes
        Put(out, 32, 2);  // bits a pixel
        Put(out, static_cast<std::uint32_t>(image.bytes.size()), 4);
        Put(out, offset, 4);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const Image& image : images) out.append(image.bytes.begin(), image.bytes.end());
    std::ofstream file(argv[1], std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file.flush()) {
        std::fprintf(stderr, "mirelink-ico: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
