#include "tools/dbb/resource_script.h"

#include <charconv>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "tools/dbb/raw_picture.h"

namespace dbb {
namespace {

// Resource ids travel as the low 16 bits of a resource name.
constexpr std::uint32_t kMaxId = 0xFFFF;
constexpr std::uint32_t kMaxSide = 0xFFFF;

struct LineReader {
    std::istringstream words;
    std::string name;
    int number;

    [[noreturn]] void Fail(const std::string& what) const {
        throw Error(name + ":" + std::to_string(number) + ": " + what);
    }

    std::string Word(const char* what) {
        std::string word;
        if (!(words >> word)) Fail(std::string("missing ") + what);
        return word;
    }

    std::uint32_t Number(const char* what, std::uint32_t low, std::uint32_t high) {
        const std::string word = Word(what);
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
            Fail(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                 std::to_string(high) + ", not '" + word + "'");
        }
        return value;
    }

    std::string Rest() {
        std::string rest;
        std::getline(words >> std::ws, rest);
        return rest;
    }

    void ExpectEnd() {
        std::string extra;
        if (words >> extra) Fail("unexpected '" + extra + "'");
    }
};

PictureLine ReadPicture(LineReader& reader) {
    PictureLine picture;
    picture.line = reader.number;
    picture.id = reader.Number("id", 1, kMaxId);
    const std::string form = reader.Word("form");
    if (form == "raw") {
        picture.form = PictureForm::Raw;
    } else if (form == "packed") {
        picture.form = PictureForm::Packed;
    } else {
        reader.Fail("form must be raw or packed, not '" + form + "'");
    }
    picture.width = reader.Number("width", 1, kMaxSide);
    picture.height = reader.Number("height", 1, kMaxSide);
    picture.frames = reader.Number("frames", 1, picture.height);
    if (picture.height % picture.frames != 0) reader.Fail("height is not a whole number of frames");
    if (!RawPictureBytes(picture.width, picture.height)) reader.Fail("picture too large");
    picture.description = reader.Rest();
    return picture;
}

IconLine ReadIcon(LineReader& reader) {
    IconLine icon;
    icon.line = reader.number;
    icon.id = reader.Number("id", 1, kMaxId);
    icon.width = reader.Number("width", 1, kMaxSide);
    icon.height = reader.Number("height", 1, kMaxSide);
    if (!RawPictureBytes(icon.width, icon.height)) reader.Fail("icon too large");
    reader.ExpectEnd();
    return icon;
}

// The quoted text, with \" and \\ as the only escapes.
std::string QuotedText(LineReader& reader) {
    const std::string rest = reader.Rest();
    if (rest.size() < 2 || rest.front() != '"') reader.Fail("text must be in double quotes");
    std::string text;
    std::size_t at = 1;
    for (; at < rest.size() && rest[at] != '"'; ++at) {
        if (rest[at] == '\\') {
            if (++at == rest.size() || (rest[at] != '"' && rest[at] != '\\')) reader.Fail("unknown escape in text");
        }
        text.push_back(rest[at]);
    }
    if (at == rest.size()) reader.Fail("text has no closing quote");
    if (rest.find_first_not_of(" \t\r", at + 1) != std::string::npos) reader.Fail("unexpected text after the closing quote");
    return text;
}

StringLine ReadString(LineReader& reader) {
    StringLine entry;
    entry.line = reader.number;
    entry.id = reader.Number("id", 0, kMaxId);
    const std::string text = QuotedText(reader);
    try {
        entry.text = Utf8ToUtf16(text);
    } catch (const Error& error) {
        reader.Fail(error.what());
    }
    return entry;
}

template <typename Line>
void RejectDuplicateIds(const std::vector<Line>& lines, const std::string& name, const char* kind) {
    std::set<std::uint32_t> seen;
    for (const Line& line : lines) {
        if (!seen.insert(line.id).second) {
            throw Error(name + ":" + std::to_string(line.line) + ": " + kind + " " + std::to_string(line.id) +
                        " appears twice");
        }
    }
}

// Decodes one UTF-8 sequence starting at text[at]; advances `at`.
char32_t NextCodePoint(const std::string& text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t value = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, value = lead & 0x07, least = 0x10000;
    } else {
        throw Error("text is not valid UTF-8");
    }
    for (int i = 0; i < extra; ++i) {
        if (at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            throw Error("text is not valid UTF-8");
        }
        value = value << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        throw Error("text is not valid UTF-8");
    }
    return value;
}

}  // namespace

const char* FormName(PictureForm form) { return form == PictureForm::Packed ? "packed" : "raw"; }

std::uint32_t PictureLine::Bytes() const { return *RawPictureBytes(width, height); }

std::u16string Utf8ToUtf16(const std::string& text) {
    std::u16string units;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t code = NextCodePoint(text, at);
        if (code < 0x10000) {
            units.push_back(static_cast<char16_t>(code));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    return units;
}

ResourceScript ParseResourceScript(std::istream& in, const std::string& name) {
    ResourceScript script;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        LineReader reader{std::istringstream(text), name, number};
        std::string keyword;
        if (!(reader.words >> keyword) || keyword.front() == '#') continue;
        if (keyword == "dbb") {
            script.pictures.push_back(ReadPicture(reader));
        } else if (keyword == "icon") {
            script.icons.push_back(ReadIcon(reader));
        } else if (keyword == "string") {
            script.strings.push_back(ReadString(reader));
        } else {
            reader.Fail("unknown resource kind '" + keyword + "'");
        }
    }
    RejectDuplicateIds(script.pictures, name, "picture");
    RejectDuplicateIds(script.icons, name, "icon");
    RejectDuplicateIds(script.strings, name, "string");
    return script;
}

ResourceScript LoadResourceScript(const std::filesystem::path& path) {
    std::ifstream in(path);
    if (!in) throw Error("cannot open " + path.string());
    return ParseResourceScript(in, path.string());
}

}  // namespace dbb
