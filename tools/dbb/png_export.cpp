#include "tools/dbb/png_export.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "tools/dbb/raw_picture.h"

namespace dbb {

RgbaImage UprightRgba(std::span<const std::uint8_t> raw) {
    const auto header = WholePictureHeader(raw);
    if (!header) throw Error("not a whole raw picture");
    RgbaImage image{header->width, header->height, {}};
    image.rgba.resize(raw.size() - kHeaderBytes);
    const std::size_t rowBytes = std::size_t{image.width} * kPixelBytes;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        // Stored rows run bottom-up.
        const std::uint8_t* source = raw.data() + kHeaderBytes + (image.height - 1 - y) * rowBytes;
        std::uint8_t* target = image.rgba.data() + y * rowBytes;
        for (std::uint32_t x = 0; x < image.width; ++x, source += 4, target += 4) {
            target[0] = source[3];
            target[1] = source[2];
            target[2] = source[1];
            target[3] = 255;
        }
    }
    return image;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Windows names files in wide characters: a narrow name would lose any
// letter outside the system's code page.
std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

struct PngWriteState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriteState() { png_destroy_write_struct(&png, &info); }
};

}  // namespace

void WritePng(const std::filesystem::path& path, const RgbaImage& image) {
    if (image.width == 0 || image.height == 0) throw Error("cannot write an empty picture as PNG");
    std::unique_ptr<std::FILE, FileCloser> file(OpenForWriting(path));
    if (!file) throw Error("cannot create " + path.string());
    PngWriteState state;
    state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (state.png == nullptr) throw Error("out of memory writing " + path.string());
    state.info = png_create_info_struct(state.png);
    if (state.info == nullptr) throw Error("out of memory writing " + path.string());
    std::vector<png_bytep> rows(image.height);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        rows[y] = const_cast<png_bytep>(image.rgba.data() + std::size_t{y} * image.width * 4);
    }
    // libpng reports failure by jumping back here; nothing with a destructor
    // is created between this point and the writes.
    if (setjmp(png_jmpbuf(state.png))) throw Error("cannot write " + path.string());
    png_init_io(state.png, file.get());
    png_set_IHDR(state.png, state.info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(state.png, state.info, rows.data());
    png_write_png(state.png, state.info, PNG_TRANSFORM_IDENTITY, nullptr);
    if (std::fflush(file.get()) != 0) throw Error("cannot write " + path.string());
}

}  // namespace dbb
