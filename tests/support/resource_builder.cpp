#include "tests/support/resource_builder.h"

namespace test_support {

void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::vector<std::uint8_t> RawPicture(std::uint32_t width, std::uint32_t height, std::uint32_t pixel) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(8 + std::size_t{width} * height * 4);
    AppendU32(bytes, width);
    AppendU32(bytes, height);
    for (std::size_t i = 0; i < std::size_t{width} * height; ++i) AppendU32(bytes, pixel);
    return bytes;
}

ResourceBuilder& ResourceBuilder::Add(std::string type, std::uint32_t id, std::vector<std::uint8_t> bytes) {
    stored_.push_back({std::move(type), id, std::move(bytes)});
    return *this;
}

ResourceBuilder& ResourceBuilder::AddString(std::uint32_t id, std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return Add("STRING", id, std::move(bytes));
}

platform::ResourceTable ResourceBuilder::Table() {
    entries_.clear();
    for (const Stored& resource : stored_) {
        entries_.push_back({resource.type.c_str(), resource.id, resource.bytes.data(),
                            static_cast<std::uint32_t>(resource.bytes.size())});
    }
    return {entries_.data(), entries_.size()};
}

}  // namespace test_support
