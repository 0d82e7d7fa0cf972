#include "hosts/headless/screenshot.h"

namespace {

constexpr std::uint32_t kBlankWidth = 240;
constexpr std::uint32_t kBlankHeight = 320;

}  // namespace

RgbPicture DecodeFrame(const PresentedFrame* frame) {
    if (!frame) return {kBlankWidth, kBlankHeight, std::vector<std::uint8_t>(kBlankWidth * kBlankHeight * 3, 0)};
    const platform::DisplayConfig& config = frame->config;
    std::vector<std::uint32_t> xrgb(static_cast<std::size_t>(config.width) * config.height);
    ScreenToXrgb(frame->memory, config, config.width, xrgb);
    RgbPicture picture{config.width, config.height, {}};
    picture.rgb.reserve(xrgb.size() * 3);
    for (const std::uint32_t pixel : xrgb) {
        picture.rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        picture.rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        picture.rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    return picture;
}
