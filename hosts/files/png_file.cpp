#include "hosts/files/png_file.h"

#include <png.h>

#include "hosts/files/replace_file.h"

std::string WritePng(const std::string& path, const RgbPicture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = picture.width;
    image.height = picture.height;
    image.format = PNG_FORMAT_RGB;
    const auto stride = static_cast<png_int_32>(picture.width * 3);
    // The library writes to memory here: writing to a file, it would remove
    // whatever the path names when a write fails.
    png_alloc_size_t size = 0;
    std::string bytes;
    if (png_image_write_get_memory_size(image, size, 0, picture.rgb.data(), stride, nullptr) != 0) {
        bytes.resize(size);
        if (png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.rgb.data(), stride, nullptr) != 0) {
            bytes.resize(size);
            return ReplaceFile(path, bytes);
        }
    }
    std::string reason = image.message;
    png_image_free(&image);
    return "cannot write '" + path + "': " + reason;
}
