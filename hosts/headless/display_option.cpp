#include "hosts/headless/display_option.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "platform/gx/gx.h"

namespace {

// Larger screens are no use to a 240x320 game and would only cost memory.
constexpr std::uint32_t kMaxSide = 4096;
constexpr std::uint32_t kMaxBitsPerPixel = 32;

template <class Number>
std::optional<Number> ParseNumber(std::string_view text, int base, Number low, Number high) {
    Number value{};
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value, base);
    if (text.empty() || error != std::errc{} || end != last || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<DWORD> ParseFormat(std::string_view text) {
    if (text == "565") return kfDirect565;
    if (text == "555") return kfDirect555;
    if (text == "888") return kfDirect888;
    if (text.size() > 2 && (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X"))
        return ParseNumber<DWORD>(text.substr(2), 16, 0, 0xFFFFFFFFu);
    return std::nullopt;
}

}  // namespace

std::variant<platform::DisplayConfig, std::string> ParseDisplayOption(std::string_view text) {
    const std::string usage = "--display wants WIDTHxHEIGHT:FORMAT:BPP (e.g. 240x320:565:16), not '" +
                              std::string(text) + "'";
    const auto x = text.find('x');
    const auto firstColon = text.find(':');
    const auto secondColon = firstColon == std::string_view::npos ? firstColon : text.find(':', firstColon + 1);
    if (x == std::string_view::npos || secondColon == std::string_view::npos || x > firstColon) return usage;

    const auto width = ParseNumber<std::uint32_t>(text.substr(0, x), 10, 1, kMaxSide);
    const auto height = ParseNumber<std::uint32_t>(text.substr(x + 1, firstColon - x - 1), 10, 1, kMaxSide);
    if (!width || !height) return usage + ": sides are 1 to " + std::to_string(kMaxSide);
    const auto format = ParseFormat(text.substr(firstColon + 1, secondColon - firstColon - 1));
    if (!format) return usage + ": FORMAT is 565, 555, 888 or hex flags such as 0x180";
    const auto bits = ParseNumber<std::int32_t>(text.substr(secondColon + 1), 10, 1, kMaxBitsPerPixel);
    if (!bits) return usage + ": BPP is 1 to " + std::to_string(kMaxBitsPerPixel);

    platform::DisplayConfig config;
    config.width = *width;
    config.height = *height;
    config.bitsPerPixel = *bits;
    config.format = *format;
    config.xPitch = std::max(1, *bits / 8);
    config.yPitch = static_cast<std::int32_t>(*width) * config.xPitch;
    return config;
}
