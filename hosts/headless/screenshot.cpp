#include "hosts/headless/screenshot.h"

#include "platform/gx/gx.h"

namespace {

constexpr std::uint32_t kBlankWidth = 240;
constexpr std::uint32_t kBlankHeight = 320;

std::uint8_t Widen5(unsigned v) { return static_cast<std::uint8_t>((v << 3) | (v >> 2)); }
std::uint8_t Widen6(unsigned v) { return static_cast<std::uint8_t>((v << 2) | (v >> 4)); }

// The game picks 5-6-5 whenever the display offers it, else 5-5-5.
bool Uses565(const platform::DisplayConfig& config) {
    return (config.format & kfDirect565) != 0 || (config.format & kfDirect555) == 0;
}

}  // namespace

std::size_t DisplayMemoryBytes(const platform::DisplayConfig& config) {
    if (config.yPitch <= 0) return 0;
    return static_cast<std::size_t>(config.height) * static_cast<std::size_t>(config.yPitch);
}

std::array<std::uint8_t, 3> DecodeRgb565(std::uint16_t value) {
    return {Widen5((value >> 11) & 0x1F), Widen6((value >> 5) & 0x3F), Widen5(value & 0x1F)};
}

std::array<std::uint8_t, 3> DecodeRgb555(std::uint16_t value) {
    return {Widen5((value >> 11) & 0x1F), Widen5((value >> 6) & 0x1F), Widen5((value >> 1) & 0x1F)};
}

RgbPicture DecodeFrame(const PresentedFrame* frame) {
    if (!frame) return {kBlankWidth, kBlankHeight, std::vector<std::uint8_t>(kBlankWidth * kBlankHeight * 3, 0)};
    const platform::DisplayConfig& config = frame->config;
    RgbPicture picture{config.width, config.height, {}};
    picture.rgb.assign(static_cast<std::size_t>(config.width) * config.height * 3, 0);
    const bool is565 = Uses565(config);
    const std::size_t size = frame->memory.size();
    std::uint8_t* out = picture.rgb.data();
    for (std::uint32_t y = 0; y < config.height; ++y) {
        for (std::uint32_t x = 0; x < config.width; ++x, out += 3) {
            const long long at = static_cast<long long>(y) * config.yPitch + static_cast<long long>(x) * config.xPitch;
            if (at < 0 || static_cast<std::size_t>(at) + 2 > size) continue;  // pixels outside memory stay black
            const auto value = static_cast<std::uint16_t>(frame->memory[at] | (frame->memory[at + 1] << 8));
            const auto rgb = is565 ? DecodeRgb565(value) : DecodeRgb555(value);
            out[0] = rgb[0];
            out[1] = rgb[1];
            out[2] = rgb[2];
        }
    }
    return picture;
}
