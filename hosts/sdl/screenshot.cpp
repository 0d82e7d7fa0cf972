#include "hosts/sdl/screenshot.h"

#include <png.h>

#include <array>
#include <cstdio>
#include <vector>

namespace sdlhost {

std::string ScreenshotFileName(const std::tm& when, int number) {
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &when);
    return "mirelink-" + std::string(stamp.data()) + "-" + std::to_string(number) + ".png";
}

std::filesystem::path NextScreenshotPath(const std::filesystem::path& directory,
                                         const std::tm& when, int& number) {
    std::filesystem::path path;
    std::error_code error;
    do {
        path = directory / ScreenshotFileName(when, number++);
    } while (std::filesystem::exists(path, error));
    return path;
}

bool SavePng(const std::filesystem::path& path,
             std::span<const std::uint32_t, kScreenPixels> picture) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(picture.size() * 3);
    for (const std::uint32_t pixel : picture) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kScreenWidth;
    image.height = kScreenHeight;
    image.format = PNG_FORMAT_RGB;
    const int written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(),
                                                kScreenWidth * 3, nullptr);
    png_image_free(&image);
    return written != 0;
}

}  // namespace sdlhost
