// The runner's --display parser on any text: a screen it accepts has sides
// of 1 to 4096 and 1 to 32 bits a pixel, and written back in the option's
// own form it reads back the same.
#include <cstdio>
#include <string>
#include <variant>

#include "hosts/headless/display_option.h"
#include "tests/fuzz/require.h"

namespace {

bool Same(const platform::DisplayConfig& a, const platform::DisplayConfig& b) {
    return a.width == b.width && a.height == b.height && a.xPitch == b.xPitch && a.yPitch == b.yPitch &&
           a.bitsPerPixel == b.bitsPerPixel && a.format == b.format && a.rotated == b.rotated;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = Text(data, size);
    const auto parsed = ParseDisplayOption(text);
    const auto* screen = std::get_if<platform::DisplayConfig>(&parsed);
    if (screen == nullptr) {
        Require(!std::get<std::string>(parsed).empty(), "a refusal says why");
        return 0;
    }
    Require(screen->width >= 1 && screen->width <= 4096 && screen->height >= 1 && screen->height <= 4096,
            "the sides are 1 to 4096");
    Require(screen->bitsPerPixel >= 1 && screen->bitsPerPixel <= 32, "the pixels have 1 to 32 bits");
    char written[64];
    std::snprintf(written, sizeof written, "%ux%u:0x%X:%d", screen->width, screen->height, screen->format,
                  screen->bitsPerPixel);
    const auto again = ParseDisplayOption(written);
    const auto* same = std::get_if<platform::DisplayConfig>(&again);
    Require(same != nullptr && Same(*screen, *same), "the screen written back reads back the same");
    return 0;
}
