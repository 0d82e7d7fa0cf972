// F12 screenshots on Windows, where there is no libpng: the 240x320 screen
// written by the header-only stb_image_write.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>

#include "hosts/sdl/pixel_convert.h"

namespace win32host {

// "mirelink-YYYYMMDD-HHMMSS-N.png", as on Linux.
std::string ShotFileName(const std::tm& when, int number);

// Writes 0x00RRGGBB pixels as an RGB PNG; false when the file could not be written.
bool SavePngShot(const std::filesystem::path& path,
                 std::span<const std::uint32_t, sdlhost::kScreenPixels> picture);

}  // namespace win32host
