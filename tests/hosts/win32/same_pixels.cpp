// same-pixels A.png B.png: exits 0 when both pictures hold the same pixels,
// whatever wrote them (the Windows program's PNG writer is not the runner's).
#include <png.h>

#include <cstdio>
#include <vector>

namespace {

bool Read(const char* path, png_image* image, std::vector<unsigned char>* pixels) {
    *image = {};
    image->version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(image, path)) return false;
    image->format = PNG_FORMAT_RGB;
    pixels->resize(PNG_IMAGE_SIZE(*image));
    return png_image_finish_read(image, nullptr, pixels->data(), 0, nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: same-pixels A.png B.png\n");
        return 2;
    }
    png_image a;
    png_image b;
    std::vector<unsigned char> pixelsA;
    std::vector<unsigned char> pixelsB;
    if (!Read(argv[1], &a, &pixelsA) || !Read(argv[2], &b, &pixelsB)) {
        std::fprintf(stderr, "same-pixels: cannot read %s or %s\n", argv[1], argv[2]);
        return 2;
    }
    if (a.width != b.width || a.height != b.height || pixelsA != pixelsB) {
        std::fprintf(stderr, "same-pixels: %s and %s differ\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
