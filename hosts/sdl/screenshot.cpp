#include "hosts/sdl/screenshot.h"

#include <array>
#include <cstdio>
#include <vector>

#include "hosts/files/png_file.h"

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

std::string SavePng(const std::filesystem::path& path,
                    std::span<const std::uint32_t, kScreenPixels> picture) {
    RgbPicture rgb{kScreenWidth, kScreenHeight, {}};
    rgb.rgb.reserve(picture.size() * 3);
    for (const std::uint32_t pixel : picture) {
        rgb.rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    return WritePng(path.string(), rgb);
}

}  // namespace sdlhost
