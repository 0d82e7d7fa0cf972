#include "res/art/picture.h"

#include <cairo.h>

#include <fstream>
#include <memory>

namespace art {

namespace {

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextPtr = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

// Below this coverage a pixel is see-through: edges of sprites stay hard, so
// no pale fringe shows when they are drawn over a dark ground.
constexpr std::uint32_t kOpaqueFrom = 128;

StoredPixel Settle(std::uint32_t argb, Rgb matte) {
    const std::uint32_t alpha = argb >> 24;
    if (alpha < kOpaqueFrom) return {0, 255, 255, 255};
    // Cairo stores colours premultiplied by alpha: lay them over the matte.
    auto channel = [alpha](std::uint32_t premultiplied, int ground) {
        const std::uint32_t value = premultiplied + (static_cast<std::uint32_t>(ground) * (255 - alpha) + 127) / 255;
        return static_cast<std::uint8_t>(value > 255 ? 255 : value);
    };
    StoredPixel pixel{0, channel(argb & 0xff, matte.blue), channel((argb >> 8) & 0xff, matte.green),
                      channel((argb >> 16) & 0xff, matte.red)};
    if (pixel.red == 255 && pixel.green == 255 && pixel.blue == 255) pixel = {0, 254, 254, 254};
    return pixel;
}

void AppendFrame(cairo_surface_t* surface, Rgb matte, std::vector<StoredPixel>& out) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int row = height - 1; row >= 0; --row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(row) * stride);
        for (int column = 0; column < width; ++column) out.push_back(Settle(line[column], matte));
    }
}

}  // namespace

Picture Render(const PictureLine& line, const Drawing& drawing) {
    Picture picture{line.width, line.height, line.frames, {}};
    picture.pixels.reserve(static_cast<std::size_t>(line.width) * line.height);
    const int frameHeight = line.FrameHeight();
    for (int index = 0; index < line.frames; ++index) {
        SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, line.width, frameHeight),
                           cairo_surface_destroy);
        ContextPtr context(cairo_create(surface.get()), cairo_destroy);
        drawing.draw(Frame{context.get(), line.width, frameHeight, index, line.frames});
        AppendFrame(surface.get(), drawing.matte, picture.pixels);
    }
    return picture;
}

std::vector<std::uint8_t> EncodeRaw(const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(8 + picture.pixels.size() * 4);
    auto putU32 = [&bytes](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    putU32(static_cast<std::uint32_t>(picture.width));
    putU32(static_cast<std::uint32_t>(picture.height));
    for (const StoredPixel& pixel : picture.pixels) {
        bytes.insert(bytes.end(), {pixel.unused, pixel.blue, pixel.green, pixel.red});
    }
    return bytes;
}

std::string WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return "cannot open " + path + " for writing";
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) return "cannot write " + path;
    return {};
}

}  // namespace art
