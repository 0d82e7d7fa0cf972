// The resource script: every picture of the program with its form, size and
// frame count, the window icon, and the string table. One line each:
//   dbb    ID  raw|packed  WIDTH  HEIGHT  FRAMES  description
//   icon   ID  WIDTH  HEIGHT
//   string ID  "TEXT"          (UTF-8; \" and \\ escape a quote and a backslash)
// '#' starts a comment line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace dbb {

enum class PictureForm { Raw, Packed };

const char* FormName(PictureForm form);

struct PictureLine {
    std::uint32_t id = 0;
    PictureForm form = PictureForm::Raw;
    std::uint32_t width = 0;
    std::uint32_t height = 0;  // all frames together
    std::uint32_t frames = 1;
    std::string description;
    int line = 0;

    std::uint32_t Bytes() const;  // unpacked: 8 + 4 x width x height
};

struct IconLine {
    std::uint32_t id = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int line = 0;
};

struct StringLine {
    std::uint32_t id = 0;
    std::u16string text;
    int line = 0;
};

struct ResourceScript {
    std::vector<PictureLine> pictures;
    std::vector<IconLine> icons;
    std::vector<StringLine> strings;
};

// Throws dbb::Error naming `name` and the line of the first fault.
ResourceScript ParseResourceScript(std::istream& in, const std::string& name);
ResourceScript LoadResourceScript(const std::filesystem::path& path);

// UTF-8 to UTF-16 code units; throws dbb::Error on malformed text.
std::u16string Utf8ToUtf16(const std::string& text);

}  // namespace dbb
