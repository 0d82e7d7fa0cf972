// F12 screenshots: the 240x320 screen as shown, saved as PNG files that never
// overwrite one another.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>

#include "hosts/sdl/pixel_convert.h"

namespace sdlhost {

// "mirelink-YYYYMMDD-HHMMSS-N.png" for the local time `when`.
std::string ScreenshotFileName(const std::tm& when, int number);

// The first name in `directory`, counting up from `number`, that no file has
// yet; `number` is left one past the name used.
std::filesystem::path NextScreenshotPath(const std::filesystem::path& directory,
                                         const std::tm& when, int& number);

// Writes a 240x320 picture of 0x00RRGGBB pixels as an RGB PNG. An empty
// string, or why it could not (and then every file is as it was).
std::string SavePng(const std::filesystem::path& path,
                    std::span<const std::uint32_t, kScreenPixels> picture);

}  // namespace sdlhost
