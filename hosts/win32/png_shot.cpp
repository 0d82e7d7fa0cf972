#include "hosts/win32/png_shot.h"

#include <array>
#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WINDOWS_UTF8
#define STBIW_WINDOWS_UTF8
#include <stb/stb_image_write.h>

namespace win32host {

std::string ShotFileName(const std::tm& when, int number) {
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &when);
    return "mirelink-" + std::string(stamp.data()) + "-" + std::to_string(number) + ".png";
}

bool SavePngShot(const std::filesystem::path& path,
                 std::span<const std::uint32_t, sdlhost::kScreenPixels> picture) {
    std::vector<unsigned char> rgb;
    rgb.reserve(picture.size() * 3);
    for (const std::uint32_t pixel : picture) {
        rgb.push_back(static_cast<unsigned char>(pixel >> 16));
        rgb.push_back(static_cast<unsigned char>(pixel >> 8));
        rgb.push_back(static_cast<unsigned char>(pixel));
    }
    // The path as UTF-8, which stb opens as such on Windows.
    const std::u8string name = path.u8string();
    return stbi_write_png(reinterpret_cast<const char*>(name.c_str()), sdlhost::kScreenWidth,
                          sdlhost::kScreenHeight, 3, rgb.data(), sdlhost::kScreenWidth * 3) != 0;
}

}  // namespace win32host
