#include "tools/resgen/resource_builder.h"

#include <algorithm>

#include "state/game_state.h"
#include "tools/dbb/packer.h"
#include "tools/dbb/raw_picture.h"

namespace resgen {
namespace {

std::string SizeText(std::uint32_t width, std::uint32_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::vector<std::uint8_t> CheckedPictureFile(const std::filesystem::path& path, std::uint32_t width,
                                             std::uint32_t height) {
    if (!std::filesystem::exists(path)) throw dbb::Error(path.string() + ": missing");
    dbb::RawPicture picture = dbb::ReadRawPicture(path);
    if (picture.header.width != width || picture.header.height != height) {
        throw dbb::Error(path.string() + ": is " + SizeText(picture.header.width, picture.header.height) +
                         ", the script says " + SizeText(width, height));
    }
    return std::move(picture.bytes);
}

BuiltResource BuildPicture(const dbb::PictureLine& line, const std::filesystem::path& artDir) {
    const auto path = artDir / (std::to_string(line.id) + ".dbb");
    std::vector<std::uint8_t> raw = CheckedPictureFile(path, line.width, line.height);
    if (line.form == dbb::PictureForm::Packed) {
        try {
            return {"DBB", line.id, PackVerified(raw)};
        } catch (const dbb::Error& error) {
            throw dbb::Error(path.string() + ": " + error.what());
        }
    }
    return {"DBB", line.id, std::move(raw)};
}

BuiltResource BuildIcon(const dbb::IconLine& line, const std::filesystem::path& artDir) {
    const auto path = artDir / ("icon" + std::to_string(line.id) + ".dbb");
    return {"ICON", line.id, CheckedPictureFile(path, line.width, line.height)};
}

BuiltResource BuildString(const dbb::StringLine& line) {
    BuiltResource resource{"STRING", line.id, {}};
    for (const char16_t unit : line.text) {
        resource.bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        resource.bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return resource;
}

template <typename Build>
void Attempt(BuildResult& result, Build build) {
    try {
        result.table.resources.push_back(build());
    } catch (const dbb::Error& error) {
        result.problems.emplace_back(error.what());
    }
}

}  // namespace

std::vector<std::uint8_t> PackVerified(const std::vector<std::uint8_t>& raw) {
    if (raw.size() > kDecodeBufferBytes) {
        throw dbb::Error("unpacked size " + std::to_string(raw.size()) + " exceeds the game's decode buffer of " +
                         std::to_string(kDecodeBufferBytes) + " bytes");
    }
    return dbb::PackAndVerify(raw);
}

BuildResult BuildResources(const dbb::ResourceScript& script, const std::filesystem::path& artDir) {
    BuildResult result;
    std::vector<dbb::PictureLine> pictures = script.pictures;
    std::sort(pictures.begin(), pictures.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    for (const dbb::PictureLine& line : pictures) {
        Attempt(result, [&] { return BuildPicture(line, artDir); });
        result.table.catalogue.push_back({line.id, line.form == dbb::PictureForm::Packed, line.frames});
    }
    for (const dbb::IconLine& line : script.icons) Attempt(result, [&] { return BuildIcon(line, artDir); });
    for (const dbb::StringLine& line : script.strings) Attempt(result, [&] { return BuildString(line); });
    return result;
}

}  // namespace resgen
